// Where a long operation shows how far it has come: the status line of the
// page that started it. Operations below the pages report through this, so
// they run the same in the wizard, the console host and the tests.
#pragma once

#include <string>

namespace fm {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  // Shows the text at once (the page repaints before the operation goes on).
  virtual void ShowStatus(const std::string& text) = 0;
};

// A sink that shows nothing.
class NoStatus final : public StatusSink {
 public:
  void ShowStatus(const std::string&) override {}
};

}  // namespace fm
