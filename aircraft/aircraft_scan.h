// The folder scan of the aircraft import, and the counts it reports.
#pragma once

#include <string>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_model.h"

namespace fm {

// Reads the aircraft.cfg of every folder directly below `aircraftRoot`, in
// the order of the sorted listing, and appends one classified model per
// readable file. Files in the root and sub-folders of aircraft folders are
// not looked at; a missing root, an unreadable folder or file is skipped.
void ScanAircraftFolders(const std::string& aircraftRoot, const AircraftCategories& categories,
                         AircraftModelList& models);

// The three counts of the import's closing message.
struct CatalogueCounts {
  int airlines = 0;    // distinct atcAirline of all variations, "" included
  int models = 0;      // distinct "atcType atcModel" of all models
  int variations = 0;  // distinct uiVariation of all variations
};

CatalogueCounts CountCatalogue(const AircraftModelList& models);

}  // namespace fm
