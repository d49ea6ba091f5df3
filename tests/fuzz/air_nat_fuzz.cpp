// air_nat.cfg read as a file and line by line.
#include <cstdlib>
#include <string>

#include "geo/air_nat.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fm::AirlineCountryMap fromFile, byLine;
  if (fm::ReadAirNatFile(fm::fuzz::WriteScratchFile("air_nat.cfg", bytes), fromFile) !=
      fm::AirNatRead::Loaded) {
    std::abort();
  }
  for (fm::fuzz::ByteCursor cursor(data, size); !cursor.Empty();) {
    fm::ReadAirNatLine(cursor.Line(), byLine);
  }
  return 0;
}
