#include "cli/console_page_host.h"

#include "resources/resource.h"

namespace fm::cli {
namespace {

const char* KindPrefix(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error:
      return "error: ";
    case BoxIcon::Warning:
      return "warning: ";
    case BoxIcon::Information:
      return "info: ";
    case BoxIcon::Question:
      return "question: ";
  }
  return "";
}

}  // namespace

void ConsoleOutput::Status(const std::string& text) {
  if (text == lastStatus_) return;
  lastStatus_ = text;
  if (!terminal_) {
    std::fprintf(stream_, "%s\n", text.c_str());
    std::fflush(stream_);
    return;
  }
  // The new text over the old one, blanks over what the old one left.
  std::string line = "\r" + text;
  if (text.size() < shownLength_) line.append(shownLength_ - text.size(), ' ');
  std::fputs(line.c_str(), stream_);
  std::fflush(stream_);
  shownLength_ = text.size();
  statusOpen_ = true;
}

void ConsoleOutput::EndProgressLine() {
  if (!statusOpen_) return;
  std::fputc('\n', stream_);
  statusOpen_ = false;
  shownLength_ = 0;
}

void ConsoleOutput::Message(BoxIcon icon, const std::string& text, BoxAnswer answer) {
  EndProgressLine();
  std::fprintf(stream_, "%s%s", KindPrefix(icon), text.c_str());
  if (icon == BoxIcon::Question) {
    std::fputs(answer == BoxAnswer::Ok ? " [OK]" : " [Cancel]", stream_);
  }
  std::fputc('\n', stream_);
  std::fflush(stream_);
}

void ConsoleOutput::Line(const std::string& text) {
  EndProgressLine();
  std::fprintf(stream_, "%s\n", text.c_str());
  std::fflush(stream_);
}

int ConsolePageHost::BoxCount(BoxIcon icon) const {
  auto it = boxCounts_.find(icon);
  return it == boxCounts_.end() ? 0 : it->second;
}

const StoredControl* ConsolePageHost::ControlToRead(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

void ConsolePageHost::SetText(int id, const std::string& text) {
  StoredControlsHost::SetText(id, text);
  if (id == IDC_STATUS) output_.Status(text);
}

BoxAnswer ConsolePageHost::ShowMessage(const std::string& text, BoxIcon icon, const std::string&) {
  ++boxCounts_[icon];
  const BoxAnswer answer = icon == BoxIcon::Question ? questionAnswer : BoxAnswer::Ok;
  output_.Message(icon, text, answer);
  return answer;
}

}  // namespace fm::cli
