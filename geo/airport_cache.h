// sccache.txt: the place tree as text, written at the end of every import
// and read back by "Load Cached" instead of importing again.
//
//   00000042        the number of record lines, "%08d"
//    0.70           the version text
//   1Europe         region, country, state, city: the kind digit and the name
//   2United Kingdom
//   3Default
//   4London
//   5EGLL Heathrow  airport: ICAO identifier, one blank, the name
#pragma once

#include <string>

#include "geo/airport_store.h"
#include "services/status_sink.h"

namespace fm {

inline constexpr char kCacheFile[] = "sccache.txt";
inline constexpr char kCacheVersion[] = " 0.70";
// The cache loader's boxes have no owner window and a caption of their own.
inline constexpr char kCacheCaption[] = "AI Traffic Fleetsorter";
inline constexpr char kCacheInvalidText[] =
    "Cache file is not yet present, or is not valid. Import first";
inline constexpr char kCacheOldVersionText[] =
    "Cache file was created with previous version. Import first";

// Writes the place tree, whole or not at all: the file is written beside
// the earlier cache and renamed over it, so a failed write leaves the
// earlier cache as it was. False when it could not be written.
bool SaveCache(const AirportStore& store, const std::string& path);

enum class CacheLoad {
  Loaded,
  Invalid,     // missing, unreadable, or without its two header lines
  OldVersion,  // the second line is not the version text
};

// Empties the place tree once the file has opened and adds every airport of
// the file. The progress "%d%% processed" goes to `status` at most once per
// percentage point. A read that fails part-way counts as an invalid file
// and leaves the place tree empty.
CacheLoad LoadCache(AirportStore& store, const std::string& path, StatusSink& status);

// The text of a failed load's box ("" for Loaded).
const char* CacheLoadText(CacheLoad result);

}  // namespace fm
