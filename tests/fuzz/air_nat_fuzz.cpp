// air_nat.cfg read as a file and line by line, and the country list
// written from the read map's countries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "geo/air_nat.h"
#include "geo/airport_store.h"
#include "platform/file_paths.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fm::AirlineCountryMap fromFile;
  if (fm::ReadAirNatFile(fm::fuzz::WriteScratchFile("air_nat.cfg", bytes), fromFile) !=
      fm::AirNatRead::Loaded) {
    std::abort();
  }
  fm::AirlineCountryMap byLine;
  fm::fuzz::ByteCursor cursor(data, size);
  while (!cursor.Empty()) fm::ReadAirNatLine(cursor.Line(), byLine);

  fm::AirportStore store;
  for (const auto& [country, callsigns] : fromFile.Countries()) {
    store.AddAirport("Region", country, "", "City", "Airport", "X" + country);
  }
  fm::WriteCountryList(store, fm::JoinPath(fm::fuzz::ScratchFolder(), fm::kNewAirNatFile));
  return 0;
}
