// make_config DATA_DIR OUT_DIR: writes the starter air_class.cfg and
// air_nat.cfg into OUT_DIR from the open data of DATA_DIR
// (aircraft-types.csv, airlines-openflights.dat, sim-country-names.txt).
#include <cstdio>
#include <string>

#include "config/air_class_file.h"
#include "config/air_nat_file.h"
#include "platform/file_paths.h"
#include "platform/file_text.h"

namespace {

int Fail(const std::string& what) {
  std::fprintf(stderr, "make_config: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_config DATA_DIR OUT_DIR\n");
    return 2;
  }
  const std::string data = argv[1], outDir = argv[2];
  std::string types, airlines, countries, text, problem;
  for (auto [name, bytes] :
       {std::pair{"aircraft-types.csv", &types}, std::pair{"airlines-openflights.dat", &airlines},
        std::pair{"sim-country-names.txt", &countries}}) {
    if (!fm::ReadFileBytes(fm::JoinPath(data, name), *bytes)) {
      return Fail(std::string("cannot read ") + fm::JoinPath(data, name));
    }
  }
  if (!fm::config::MakeAirClassCfg(types, text, problem)) return Fail(problem);
  if (!fm::WriteFileBytes(fm::JoinPath(outDir, "air_class.cfg"), text)) {
    return Fail("cannot write air_class.cfg in " + outDir);
  }
  if (!fm::config::MakeAirNatCfg(airlines, countries, text, problem)) return Fail(problem);
  if (!fm::WriteFileBytes(fm::JoinPath(outDir, "air_nat.cfg"), text)) {
    return Fail("cannot write air_nat.cfg in " + outDir);
  }
  return 0;
}
