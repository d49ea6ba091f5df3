// Asks for the FS2002 folder the way every page does, and prints it.
#include <cstdio>

#include "services/system_services.h"

int main() {
  const std::string root = fm::FindFsRoot();
  std::printf("%s\n", root.c_str());
  return 0;
}
