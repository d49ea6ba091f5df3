// Random small installations. The generator is our own so
// that a seed names the same installation under every standard library.
#include "tests/traffic/redistribution_model.h"

namespace fm::testing::model {
namespace {

using Words = std::vector<std::string>;

// splitmix64, cut to 32 bits. One dice call per statement: the operands of
// + have no fixed order.
struct Dice {
  std::uint64_t state;
  std::uint32_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
  }
  int Between(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1));
  }
  bool OneIn(int n) { return Between(1, n) == 1; }
  std::string Pick(const Words& items) { return items[Next() % items.size()]; }
};

const Words kCategoryNames = {"Airliner", "B737", "Jet", "Prop"};
// "Boe" lies inside "Boeing", "737" inside titles of two families; "Zulu" is in no title.
const Words kTitlePatterns = {"Boe", "Boeing", "A3", "Airbus", "Cess", "737", "Dash", "Zulu"};
// Titles of the traffic's aircraft; "Fokker 100" no category claims.
const Words kTrafficTitles = {"Boeing 737-400", "Boeing 747-400", "Airbus A320", "Airbus A340",
                              "Cessna 172",     "Dash 8",         "Fokker 100"};
// Installed titles: a few common ones that several models share, and enough
// rarer ones for a run to use ten titles or more (ids AC#10 and up).
const Words kInstalledTitles = {"Boeing 737-400", "Boeing 737-800 KLM", "Airbus A320 AF",
                                "Cessna 172",     "Dash 8 Q400",        "Learjet 45"};
const Words kRareInstalledTitles = {"Airbus A321", "ATR 72",  "Boeing 757",  "Boeing 767 BA",
                                    "Cessna 208",  "Dash 7",  "Embraer 145", "Fokker 70",
                                    "MD-11",       "Saab 340"};
const Words kAirlines = {"SPEEDBIRD", "AIRFRANS", "KLM", "LUFTHANSA", "IBERIA", ""};
const Words kNationalCallsigns = {"SPEEDBIRD", "AIRFRANS", "KLM", "LUFTHANSA", " KLM", ""};
const Words kIcaos = {"EGLL", "LFPG", "EHAM", "EDDF", "KJFK", "LEMD"};
const Words kAirportCountries = {"United Kingdom", "France", "Netherlands", "Germany", ""};
const Words kAirNatCountries = {"United Kingdom", "France", "Netherlands", "Spain", "GLOBAL"};
const Words kSpeeds = {"120", "250", "300", "450"};

}  // namespace

ModelInput RandomInstallation(std::uint32_t seed) {
  Dice dice{seed};
  ModelInput input;
  // Now and then one large fleet of a single category that GLOBAL lets fly
  // anywhere, so that a run gives flights to ten titles or more.
  const bool fleet = dice.OneIn(10);
  Words categories;
  for (int c = fleet ? 1 : dice.Between(1, 4); c > 0; --c) {
    categories.push_back(dice.Pick(kCategoryNames));
    for (int n = dice.Between(1, 3); n > 0; --n)
      input.categoryTitlePatterns[categories.back()].insert(dice.Pick(kTitlePatterns));
  }
  if (fleet || !dice.OneIn(8)) input.categoryTitlePatterns[categories[0]].insert({"Boe", "A3"});

  // "Unknown" is the category of aircraft that no category claims.
  for (int m = fleet ? 8 : dice.Between(0, 8); m > 0; --m) {
    Model& model = input.aircraftModels.emplace_back();
    model.category = fleet ? categories[0] : dice.OneIn(6) ? "Unknown" : dice.Pick(categories);
    for (int v = fleet ? 4 : dice.Between(0, 4); v > 0; --v) {
      // A braced list is evaluated in order.
      Variation variation{
          dice.Pick(dice.OneIn(fleet ? 2 : 3) ? kRareInstalledTitles : kInstalledTitles),
          dice.Pick(kAirlines), !dice.OneIn(6)};
      model.variations[variation.title] = variation;
    }
  }

  Words countries;
  for (int n = dice.Between(0, 4); n > 0; --n) countries.push_back(dice.Pick(kAirportCountries));
  for (int n = countries.empty() ? 0 : dice.Between(0, 6); n > 0; --n) {
    const std::string icao = dice.Pick(kIcaos);
    input.airportCountry[icao] = dice.Pick(countries);
  }
  for (int n = dice.Between(0, 5); n > 0; --n) {
    std::set<std::string>& callsigns = input.countryAirlines[dice.Pick(kAirNatCountries)];
    for (int k = dice.Between(1, 3); k > 0; --k) callsigns.insert(dice.Pick(kNationalCallsigns));
  }
  if (fleet) input.countryAirlines["GLOBAL"].insert(kAirlines.begin(), kAirlines.end() - 1);

  Words ids = {"AC#99"};  // not in Aircraft.txt
  for (int a = fleet ? 6 : dice.Between(0, 6); a > 0; --a) {
    ids.push_back("AC#" + std::to_string(dice.Between(1, 12)));
    input.trafficAircraft[ids.back()] = {dice.Pick(kSpeeds), dice.Pick(kTrafficTitles)};
  }
  for (int p = dice.Between(fleet ? 25 : 0, 40); p > 0; --p) {
    std::string line = dice.Pick(ids);
    line += ",N1,100%,24Hr,IFR";
    for (int legs = dice.Between(1, 4); legs > 0; --legs)
      line += ",07:00:00,08:30:00,350,F,0101," + dice.Pick(kIcaos);
    input.planLines.push_back(line);
  }
  input.randomly = dice.OneIn(2);
  input.seed = dice.Next();
  return input;
}

}  // namespace fm::testing::model
