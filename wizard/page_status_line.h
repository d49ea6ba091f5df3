// A page's status line (control 1008 of the traffic, scenery and generate
// pages) as the sink of an operation's progress: the text is set, the
// messages waiting for the page are dispatched so that it repaints, and the
// wait cursor is shown again.
#pragma once

#include <string>

#include "services/status_sink.h"
#include "ui/page_host.h"

namespace fm {

class PageStatusLine final : public StatusSink {
 public:
  PageStatusLine(PageHost& host, int controlId) : host_(host), id_(controlId) {}

  void ShowStatus(const std::string& text) override {
    host_.SetText(id_, text);
    host_.DispatchWaitingMessages();
  }

 private:
  PageHost& host_;
  int id_;
};

}  // namespace fm
