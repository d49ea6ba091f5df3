// The modal window that shows a page's help text.
#pragma once

#include <string>

#include "ui/page_host.h"

namespace fm {

class CHelpDlg : public DialogLogic {
 public:
  explicit CHelpDlg(std::string text = {}) : text_(std::move(text)) {}

  int DialogId() const override;
  void OnInitDialog() override;
  void OnButton(int id) override;

  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

}  // namespace fm
