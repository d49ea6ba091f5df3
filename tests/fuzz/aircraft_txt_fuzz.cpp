// Aircraft.txt read as a file: never more aircraft than lines.
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "traffic/traffic_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fm::TrafficAircraftMap aircraft;
  int lines = 0;
  if (!fm::ReadAircraftFile(fm::fuzz::WriteScratchFile("Aircraft.txt", bytes), aircraft, lines) ||
      static_cast<size_t>(lines) < aircraft.size()) {
    std::abort();
  }
  return 0;
}
