// Random small installations. The generator is our own so
// that a seed names the same installation under every standard library.
#include "tests/traffic/redistribution_model.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace fm::testing::model {
namespace {

using Words = std::vector<std::string>;

// splitmix64, cut to 32 bits.
struct Dice {
  std::uint64_t state;
  std::uint32_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
  }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool OneIn(int n) { return Below(n) == 0; }
  std::string Pick(const Words& items) { return items[Next() % items.size()]; }
  // count distinct items, in a random order
  Words Some(Words items, int count) {
    for (std::size_t i = items.size(); i > 1; --i)
      std::swap(items[i - 1], items[static_cast<std::size_t>(Below(static_cast<int>(i)))]);
    items.resize(std::min(items.size(), static_cast<std::size_t>(count)));
    return items;
  }
};

const Words kCategoryNames = {"Airliner", "B737", "Jet", "Prop"};
// "Boe" lies inside "Boeing", "737" inside titles of two families; "Zulu" is in no title.
const Words kTitlePatterns = {"Boe", "Boeing", "A3", "Airbus", "Cess", "737", "Dash", "Zulu"};
// Titles of the traffic's aircraft; "Fokker 100" only an empty pattern claims.
const Words kTrafficTitles = {"Boeing 737-400", "Boeing 747-400", "Airbus A320", "Airbus A340",
                              "Cessna 172",     "Dash 8",         "Fokker 100"};
// Installed titles: a few common ones that several models share, and enough
// rarer ones for a run to use ten titles or more (ids AC#10 and up).
const Words kInstalledTitles = {"Boeing 737-400", "Boeing 737-800 KLM", "Airbus A320 AF",
                                "Cessna 172",     "Dash 8 Q400",        "Learjet 45"};
const Words kRareInstalledTitles = {"Airbus A321", "ATR 72",  "Boeing 757",  "Boeing 767 BA",
                                    "Cessna 208",  "Dash 7",  "Embraer 145", "Fokker 70",
                                    "MD-11",       "Saab 340"};
const Words kAirlines = {"SPEEDBIRD", "AIRFRANS", "KLM", "LUFTHANSA", "IBERIA"};
const Words kNationalCallsigns = {"SPEEDBIRD", "AIRFRANS", "KLM", "LUFTHANSA", " KLM"};
const Words kIcaos = {"EGLL", "LFPG", "EHAM", "EDDF", "KJFK", "LEMD"};
const Words kAirportCountries = {"United Kingdom", "France", "Netherlands", "Germany", ""};
const Words kAirNatCountries = {"United Kingdom", "France", "Netherlands", "Germany", "Spain"};
const Words kSpeeds = {"120", "250", "300", "450"};

// One dice call per statement: the operands of + have no fixed order.
std::string PlanLine(Dice& dice, const std::string& aircraftId) {
  std::string line = aircraftId + ",N" + std::to_string(dice.Between(1, 999)) + ",100%,";
  line += dice.Pick({"24Hr", "12Hr", "WEEK"}) + ",";
  line += dice.Pick({"IFR", "VFR"});
  for (int legs = dice.Between(1, 4); legs > 0; --legs) {
    char times[48];
    const int hour = dice.Between(0, 21);
    std::snprintf(times, sizeof times, ",%02d:00:00,%02d:30:00,", hour, hour + 2);
    line += times;
    line += dice.Pick({"050", "350"}) + ",";
    line += dice.Pick({"F", "R"}) + ",";
    line += "0" + std::to_string(dice.Between(100, 999)) + ",";
    line += dice.OneIn(6) ? std::string("XXXX") : dice.Pick(kIcaos);  // XXXX: no such airport
  }
  return line;
}

}  // namespace

ModelInput RandomInstallation(std::uint32_t seed) {
  Dice dice{seed};
  ModelInput input;

  // Now and then one large fleet of a single category that GLOBAL lets fly
  // anywhere, so that a run gives flights to ten titles or more.
  bool fleet = dice.OneIn(10);
  Words categories = dice.Some(kCategoryNames, fleet ? 1 : dice.Between(1, 4));
  for (const std::string& category : categories) {
    std::set<std::string>& patterns = input.categoryTitlePatterns[category];
    for (int n = dice.Between(1, 3); n > 0; --n) patterns.insert(dice.Pick(kTitlePatterns));
    if (dice.OneIn(25)) patterns.insert("");  // claims every title
  }

  // Mostly one category claims the common airliners.
  if (fleet) input.categoryTitlePatterns[categories[0]].insert({"Boe", "A3"});
  if (!dice.OneIn(8)) input.categoryTitlePatterns[categories[0]].insert(dice.Pick({"Boe", "A3"}));

  // Mostly a few models with a few variations each, so that flights find aircraft;
  // "Unknown" is the category of aircraft that no category claims.
  for (int m = fleet ? 8 : dice.OneIn(8) ? dice.Between(0, 1) : dice.Between(2, 8); m > 0; --m) {
    Model model{fleet           ? categories[0]
                : dice.OneIn(6) ? std::string("Unknown")
                                : dice.Pick(categories),
                {}};
    for (int v = fleet ? 4 : dice.OneIn(6) ? 0 : dice.Between(1, 4); v > 0; --v) {
      // A braced list is evaluated in order.
      Variation variation{
          dice.Pick(dice.OneIn(fleet ? 2 : 3) ? kRareInstalledTitles : kInstalledTitles),
          dice.OneIn(4) ? std::string() : dice.Pick(kAirlines), !dice.OneIn(6)};
      model.variations[variation.title] = variation;
    }
    input.aircraftModels.push_back(model);
  }

  Words countries = dice.Some(kAirportCountries, dice.Between(0, 4));
  if (!countries.empty()) {
    for (const std::string& icao : dice.Some(kIcaos, dice.Between(0, 6)))
      input.airportCountry[icao] = dice.Pick(countries);
  }
  Words nations = dice.Some(kAirNatCountries, dice.Between(0, 4));
  if (dice.OneIn(2)) nations.push_back("GLOBAL");
  for (const std::string& nation : nations) {
    std::set<std::string>& callsigns = input.countryAirlines[nation];
    for (int n = dice.Between(1, 3); n > 0; --n) callsigns.insert(dice.Pick(kNationalCallsigns));
    if (dice.OneIn(4)) callsigns.insert("");  // a list with an empty piece
  }
  if (fleet) input.countryAirlines["GLOBAL"].insert(kAirlines.begin(), kAirlines.end());

  for (int a = fleet ? 6 : dice.OneIn(10) ? 0 : dice.Between(1, 6); a > 0; --a) {
    std::string id = "AC#" + std::to_string(dice.Between(1, 12));
    input.trafficAircraft[id] = {dice.Pick(kSpeeds), dice.Pick(kTrafficTitles)};
  }
  Words ids;
  for (const auto& [id, aircraft] : input.trafficAircraft) ids.push_back(id);
  for (int i = fleet ? dice.Between(25, 40) : dice.Between(0, 40); i > 0; --i) {
    if (dice.OneIn(15)) {  // not a plan: no comma
      input.planLines.push_back(dice.OneIn(2) ? "" : "garbage");
      continue;
    }
    std::string id = ids.empty() || dice.OneIn(12) ? dice.Pick({"AC#99", "AC#13"}) : dice.Pick(ids);
    std::string line = PlanLine(dice, id);
    // Edited by hand: a field more after the legs or in the header, or the
    // line cut short inside a leg or the header.
    if (dice.OneIn(10)) {
      int edit = dice.Below(3);
      if (edit == 0) line += ",EXTRA";
      if (edit == 1) line.insert(line.find(',') + 1, "X,");
      if (edit == 2)
        line.resize(static_cast<std::size_t>(dice.Between(5, static_cast<int>(line.size()) - 1)));
    }
    input.planLines.push_back(line);
  }

  input.randomly = dice.OneIn(2);
  input.seed = dice.Next();
  return input;
}

}  // namespace fm::testing::model
