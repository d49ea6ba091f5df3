// The few operating-system services that bgltext needs besides the C library.
#include "bgltext/os_files.h"

#include <cstdio>

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/types.h>
#endif

namespace bgltext {

void MakeDirectory(const std::string& path) {
#ifdef _WIN32
  _mkdir(path.c_str());
#else
  mkdir(path.c_str(), 0777);
#endif
}

void ShowErrorBox(const char* caption, const char* text) {
#ifdef _WIN32
  MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR);
#else
  (void)caption;
  std::fputs(text, stdout);
  std::fputc('\n', stdout);
#endif
}

}  // namespace bgltext
