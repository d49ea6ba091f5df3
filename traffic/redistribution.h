// The flight-to-aircraft redistribution: every imported flight plan is given
// an installed aircraft of the same category whose airline is registered
// for a country the flight visits (then for GLOBAL, then an aircraft
// without airline), and every decision is written to the report.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_model.h"
#include "geo/airport_store.h"
#include "platform/file_text.h"
#include "traffic/traffic_records.h"

namespace fm {

enum class DistributionMethod { kEvenly, kRandomly };

// What one run read: the imports of the wizard's model, never changed.
struct RedistributionInput {
  const std::list<FlightPlan>& flightPlans;
  const TrafficAircraftMap& trafficAircraft;
  const AircraftModelList& aircraftModels;
  const AircraftCategories& categories;
  const AirportStore& airports;
};

// How the flights of a run fared; the console summary shows these.
struct RedistributionTally {
  int plans = 0;            // flight plans visited
  int generated = 0;        // plans that received an aircraft
  int byCountry = 0;        // matched by an airline of a visited country
  int byGlobal = 0;         // matched once GLOBAL had joined the countries
  int byNoAirline = 0;      // matched by an aircraft without airline
  int leftOut = 0;          // no aircraft found after every fallback
  int noCategory = 0;       // left out: the traffic title is in no category
  int unknownAircraft = 0;  // left out: the plan's aircraft is not in Aircraft.txt
};

// The three tables of a run and its tally.
struct RedistributionResult {
  std::vector<std::string> newPlanLines;    // in the order of the plans
  TrafficAircraftMap newAircraft;           // "AC#1", "AC#2", ... in order of first use
  std::map<std::string, int> flightCounts;  // installed title -> flights given to it
  RedistributionTally tally;
};

// What a run shows while it goes: the page turns these into its message
// boxes and its status line.
class RedistributionEvents {
 public:
  virtual ~RedistributionEvents() = default;
  // The first flight of a traffic title that no category claims; `text` is
  // the report's line, with its line end.
  virtual void TitleWithoutCategory(const std::string& text) = 0;
  // The whole percent of plans visited changed ("37% processed"); the
  // report has been flushed to disk just before.
  virtual void Progress(const std::string& text) = 0;
};

// The run's random generator: a 32-bit linear congruential generator
// giving values 0..32767.
class TrafficRandom {
 public:
  explicit TrafficRandom(std::uint32_t seed) : state_(seed) {}
  int Draw() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 32767u);
  }

 private:
  std::uint32_t state_;
};

// One run over every plan, in list order. `report` is open; every line of
// the run is written to it (text mode) and it is flushed to disk at each
// progress step. The caller closes it.
RedistributionResult RedistributeTraffic(const RedistributionInput& input,
                                         DistributionMethod method, std::uint32_t seed,
                                         OutputFile& report, RedistributionEvents& events);

}  // namespace fm
