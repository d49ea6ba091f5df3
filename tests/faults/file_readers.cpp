#include "tests/faults/file_readers.h"

#include <list>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_cfg_reader.h"
#include "bgltext/driver.h"
#include "geo/air_nat.h"
#include "geo/airport_cache.h"
#include "geo/scenery_text.h"
#include "platform/file_text.h"
#include "services/status_sink.h"
#include "traffic/traffic_files.h"

namespace fm::testing {
namespace {

// The container is counted after the read, whatever the order of arguments.
template <class Container>
std::string Told(bool ok, const Container& read, const char* what) {
  return std::string(ok ? "read, " : "not read, ") + std::to_string(read.size()) + " " + what;
}

}  // namespace

std::string ReadAs(const std::string& file, const std::string& path) {
  if (file == "air_class.cfg") {
    AircraftCategories categories;
    return Told(categories.LoadCategories(path), categories, "categories");
  }
  if (file == "air_nat.cfg") {
    AirlineCountryMap map;
    const AirNatRead read = ReadAirNatFile(path, map);
    if (read != AirNatRead::Loaded) return read == AirNatRead::Missing ? "missing" : "read failed";
    return "loaded, " + std::to_string(map.Countries().size()) + " countries";
  }
  if (file == "sccache.txt") {
    AirportStore store;
    NoStatus status;
    const CacheLoad loaded = LoadCache(store, path, status);
    return loaded == CacheLoad::Loaded ? "loaded" : CacheLoadText(loaded);
  }
  if (file == "Aircraft.txt") {
    TrafficAircraftMap aircraft;
    int lines = 0;
    return Told(ReadAircraftFile(path, aircraft, lines), aircraft, "aircraft");
  }
  if (file == "FlightPlans.txt") {
    std::list<FlightPlan> plans;
    FlightPlanCounts counts;
    return Told(ReadFlightPlansFile(path, plans, counts), plans, "plans");
  }
  if (file == "aircraft.cfg") {
    AircraftModelList models;
    const std::string folder = path.substr(0, path.size() - sizeof("/aircraft.cfg") + 1);
    return Told(ReadAircraftCfg(folder, AircraftCategories(), models), models, "models");
  }
  if (file == "temp.sca") {
    TextLineReader reader;
    if (!reader.Open(path)) return "not opened";
    AirportStore store;
    return Told(ReadSceneryText(reader, store) == SceneryTextRead::Done, store.Index(), "airports");
  }
  std::string console;
  bgltext::Console capture(&console);
  const int status =
      bgltext::RunBgltext({path, path + ".sca"}, capture, [](const char*, const char*) {});
  const bool cannotOpen = console.find("Can't open file : " + path) != std::string::npos;
  return std::string(cannotOpen ? "can't open" : "opened") + ", status " + std::to_string(status);
}

}  // namespace fm::testing
