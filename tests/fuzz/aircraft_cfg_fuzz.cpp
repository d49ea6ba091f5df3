// The aircraft.cfg reader on the input as the file of one aircraft folder,
// classified against a small category table.
#include <cstdlib>
#include <string_view>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_cfg_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fm::AircraftCategories categories = [] {
    fm::AircraftCategories table;
    for (const char* line : {"[Jet]", "BOEING", "AIRBUS 3", "<\"Boeing\" \"Airbus\">", "[Prop]",
                             "CESSNA", "<\"Cessna\">"}) {
      table.AddConfigLine(line);
    }
    return table;
  }();
  fm::fuzz::WriteScratchFile("aircraft.cfg",
                             std::string_view(reinterpret_cast<const char*>(data), size));
  fm::AircraftModelList models;
  if (!fm::ReadAircraftCfg(fm::fuzz::ScratchFolder(), categories, models)) std::abort();
  // One file is one model, and a model always has a category.
  if (models.size() != 1 || models.front().category.empty()) std::abort();
  return 0;
}
