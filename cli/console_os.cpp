#include "cli/console_os.h"

#include <cstdio>

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fm::cli {

SettingRead ConsoleOs::ReadFsRootSetting() {
  if (!fsRoot) return base_.ReadFsRootSetting();
  SettingRead read;
  read.status = SettingStatus::Ok;
  read.value = *fsRoot;
  return read;
}

ProcessResult ConsoleOs::StartProcess(const std::string& commandLine, bool waitForExit,
                                      bool showWindow, const std::string& workingFolder) {
  // A tool that shows its output starts on a line of its own.
  if (showWindow) output_.EndProgressLine();
  std::fflush(stdout);
#if !defined(_WIN32)
  // Standard output carries only the summary: a tool's lines go where its
  // window would show them, to standard error when it is shown, nowhere
  // when it is hidden (its failures still reach standard error).
  const int savedOutput = ::dup(STDOUT_FILENO);
  const int target = showWindow ? STDERR_FILENO : ::open("/dev/null", O_WRONLY);
  if (savedOutput >= 0 && target >= 0) ::dup2(target, STDOUT_FILENO);
  if (!showWindow && target >= 0) ::close(target);
  const ProcessResult result =
      base_.StartProcess(commandLine, waitForExit, showWindow, workingFolder);
  if (savedOutput >= 0) {
    ::dup2(savedOutput, STDOUT_FILENO);
    ::close(savedOutput);
  }
  return result;
#else
  return base_.StartProcess(commandLine, waitForExit, showWindow, workingFolder);
#endif
}

BoxAnswer ConsoleOs::ShowMessage(const std::string& text, const std::string&, BoxIcon icon,
                                 BoxButtons buttons) {
  const BoxAnswer answer = buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
  output_.Message(icon, text, answer);
  return answer;
}

void ConsoleOs::EndProcess(int exitCode) {
  output_.EndProgressLine();
  throw ProcessExit{exitCode};
}

}  // namespace fm::cli
