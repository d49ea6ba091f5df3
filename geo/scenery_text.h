// The part of bgltext's airport-directory text that the scenery import
// reads from temp.sca: the airport containers, which give each container
// number its ICAO identifier, and the name lists, which give the names of
// the airports and of the places they lie in.
//
//   Container( APT 17 )
//   	APLocation( ... )
//   	ICAO_ID( "EGLL" )
//   ...
//   NameList( 1 )
//   	NameEntry( REGION 0 "Europe")
//   	NameEntry( AIRPORT 17 "Heathrow")
//   EndNL
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "geo/airport_store.h"
#include "platform/file_text.h"

namespace fm {

// Airport container number -> ICAO identifier, for one file (numbers
// restart in every file); the first identifier of a number wins.
using ContainerIds = std::unordered_map<std::int32_t, std::string>;

struct NameEntry {
  std::string kind;  // "REGION", "COUNTRY", "STATE", "CITY", "AIRPORT", ...
  std::int32_t number = 0;
  std::string name;
};

// False when the line holds no "NameEntry( ". Otherwise the kind up to the
// next blank, the number up to the blank after it, and the name between the
// first pair of double quotes after that; what is missing stays empty or 0.
bool ParseNameEntry(std::string_view line, NameEntry& entry);

// The number that a text starts with, as the C library reads one: blanks
// skipped, an optional sign, digits up to the first other character;
// values beyond 32 bits are held at the nearest limit.
std::int32_t LeadingInt(std::string_view text);

enum class SceneryTextRead { Done, ReadFailed };

// Reads the text to its end and adds every named airport to the store. A
// container whose ICAO line is not the second line after it ends the
// reading (what was added stays). An AIRPORT name whose number names no
// container read before it has no identifier and is left out.
SceneryTextRead ReadSceneryText(TextLineReader& reader, AirportStore& store);

}  // namespace fm
