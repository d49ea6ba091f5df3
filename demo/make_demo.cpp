// make_demo SOURCE_DIR OUT_DIR: builds the demo installation of the
// repository at SOURCE_DIR below OUT_DIR (OUT_DIR/FS2002 and OUT_DIR/work);
// an earlier one there is replaced whole.
#include <cstdio>
#include <string>

#include "demo/demo_builder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_demo SOURCE_DIR OUT_DIR\n");
    return 2;
  }
  fm::demo::DemoBuild built;
  std::string problem;
  if (!fm::demo::BuildDemo(argv[1], argv[2], built, problem)) {
    std::fprintf(stderr, "make_demo: %s\n", problem.c_str());
    return 1;
  }
  std::printf(
      "make_demo: %d aircraft folders, %d airports in %d airport-directory files, %d "
      "flight plans in %s\n",
      built.aircraftFolders, built.airports, built.afdFiles, built.plans, argv[2]);
  return 0;
}
