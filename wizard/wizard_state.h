// The shared model that the pages fill and read. One instance, owned by
// the wizard; each import replaces its own members wholesale.
#pragma once

#include <list>
#include <map>
#include <string>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_model.h"
#include "geo/airport_store.h"
#include "traffic/traffic_records.h"

namespace fm {

struct WizardState {
  std::list<AircraftModel> aircraftModels;
  AirportStore airportStore;
  std::list<FlightPlan> flightPlans;
  std::map<std::string, TrafficAircraft> trafficAircraft;  // by aircraftId
  AircraftCategories categories;                           // by name

  // Where the files named without a folder lie (air_class.cfg, air_nat.cfg,
  // sccache.txt, the traffic text files, report.txt): empty for the
  // current folder of the process, which the wizard uses; tests and the
  // console host may name another. A command line shows a name exactly as
  // given when this is empty.
  std::string workFolder;
};

}  // namespace fm
