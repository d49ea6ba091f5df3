// The demo installation: a small FS2002 folder and a working folder made
// from the readable sources of the repository.
//
//   <out>/FS2002/AIRCRAFT/<folder>/aircraft.cfg        demo/aircraft, byte for byte
//   <out>/FS2002/SCENEDB/AFDFILES/SCENERY/AFD*.BGL     airports of data/airports.csv
//   <out>/FS2002/SCENEDB/ATC/SCENERY/TRAFFIC.BGL       the traffic, compiled
//   <out>/traffic/Aircraft.txt, FlightPlans.txt, Airports.txt   what it was compiled from
//   <out>/work/air_class.cfg, air_nat.cfg              the starter files of config/
//
// The same sources always give the same bytes.
#pragma once

#include <string>

namespace fm::demo {

struct DemoBuild {
  int aircraftFolders = 0;
  int airports = 0;
  int afdFiles = 0;
  int plans = 0;
};

// Makes the demo below `outDir` from the repository at `sourceDir`; what an
// earlier build (or a run on it) left there is removed first. False with
// `problem` set when a source cannot be read or a file cannot be written.
bool BuildDemo(const std::string& sourceDir, const std::string& outDir, DemoBuild& built,
               std::string& problem);

}  // namespace fm::demo
