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

std::string Told(bool ok, size_t count, const char* what) {
  return std::string(ok ? "read, " : "not read, ") + std::to_string(count) + " " + what;
}

}  // namespace

std::string ReadAs(const std::string& file, const std::string& path) {
  if (file == "air_class.cfg") {
    AircraftCategories categories;
    const bool ok = categories.LoadCategories(path);
    return Told(ok, categories.size(), "categories");
  }
  if (file == "air_nat.cfg") {
    AirlineCountryMap map;
    const AirNatRead read = ReadAirNatFile(path, map);
    if (read == AirNatRead::Missing) return "missing";
    if (read == AirNatRead::ReadFailed) return "read failed";
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
    const bool ok = ReadAircraftFile(path, aircraft, lines);
    return Told(ok, aircraft.size(), "aircraft");
  }
  if (file == "FlightPlans.txt") {
    std::list<FlightPlan> plans;
    FlightPlanCounts counts;
    const bool ok = ReadFlightPlansFile(path, plans, counts);
    return Told(ok, plans.size(), "plans");
  }
  if (file == "aircraft.cfg") {
    AircraftModelList models;
    const std::string folder = path.substr(0, path.size() - sizeof("/aircraft.cfg") + 1);
    const bool ok = ReadAircraftCfg(folder, AircraftCategories(), models);
    return Told(ok, models.size(), "models");
  }
  if (file == "temp.sca") {
    TextLineReader reader;
    if (!reader.Open(path)) return "not opened";
    AirportStore store;
    const bool done = ReadSceneryText(reader, store) == SceneryTextRead::Done;
    return std::string(done ? "read" : "failed") + ", " + std::to_string(store.Index().size()) +
           " airports";
  }
  if (file == "a BGL file given to bgltext") {
    std::string console;
    bgltext::Console capture(&console);
    const int status =
        bgltext::RunBgltext({path, path + ".sca"}, capture, [](const char*, const char*) {});
    const bool cannotOpen = console.find("Can't open file : " + path) != std::string::npos;
    return std::string(cannotOpen ? "can't open" : "opened") + ", status " + std::to_string(status);
  }
  return "no reader for " + file;
}

}  // namespace fm::testing
