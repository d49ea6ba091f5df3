// bgltext: turns one BGL scenery file into SCASM source text.
#include <cstdio>
#include <string>
#include <vector>

#include "bgltext/driver.h"
#include "bgltext/os_files.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bgltext::Console console(stdout);
  int status = bgltext::RunBgltext(args, console, bgltext::ShowErrorBox);
  std::fflush(stdout);
  return status;
}
