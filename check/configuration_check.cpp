// The configuration check: the inputs of a generation counted once, then
// one group of findings per way a run loses a flight or an aircraft.
#include "check/configuration_check.h"

#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "aircraft/aircraft_text.h"
#include "check/air_nat_review.h"

namespace fm {
namespace {

constexpr char kUnknownCategory[] = "Unknown";
constexpr char kGlobal[] = "GLOBAL";
constexpr char kNothingFound[] = "No problems found.";

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text);
  quoted += '"';
  return quoted;
}

// "1 flight", "3 flights"; "1 country", "2 countries".
std::string Count(int n, const char* one, const char* many = nullptr) {
  if (n == 1) return "1 " + std::string(one);
  return std::to_string(n) + " " + (many ? std::string(many) : std::string(one) + "s");
}

// Upper-cased and without blanks: two names that differ only in letter case
// or blanks have the same key.
std::string LooseKey(std::string_view text) {
  std::string key;
  for (char c : UpperCaseText(text)) {
    if (!TrimBlanks(std::string_view(&c, 1)).empty()) key += c;
  }
  return key;
}

struct Group {
  std::string heading;  // ends in ":"
  std::vector<std::string> lines;
};

// What the inputs give, counted once.
struct Facts {
  std::map<std::string, int> flightsPerTitle;        // traffic title -> plans
  std::map<std::string, int> flightsPerMissingId;    // plans whose aircraft is not in Aircraft.txt
  std::map<std::string, std::string> titleCategory;  // traffic title -> category, "" for none
  std::map<std::string, int> flightsPerCategory;
  std::map<std::string, int> legsPerCountry;         // legs at airports the store holds
  std::map<std::string, int> legsPerUnknownAirport;  // legs at airports it does not hold
  std::set<std::string> installedCategories;         // categories with a variation for AI use
  std::map<std::string, int> variationsPerCallsign;  // "" (no airline) left out
  std::set<std::string> carriedCallsigns;            // of the variations for AI use, "" included
  int variations = 0;
};

Facts CountFacts(const WizardState& state) {
  Facts facts;
  std::map<std::string, int> flightsPerId;
  for (const FlightPlan& plan : state.flightPlans) {
    ++flightsPerId[plan.aircraftId];
    for (const FlightLeg& leg : plan.legs) {
      const Airport* airport = state.airportStore.FindAirport(leg.airportId);
      if (airport == nullptr) {
        ++facts.legsPerUnknownAirport[leg.airportId];
      } else {
        ++facts.legsPerCountry[airport->country];
      }
    }
  }
  for (const auto& [id, flights] : flightsPerId) {
    const auto traffic = state.trafficAircraft.find(id);
    if (traffic == state.trafficAircraft.end()) {
      facts.flightsPerMissingId[id] = flights;
    } else {
      facts.flightsPerTitle[traffic->second.title] += flights;
    }
  }
  // Titles of Aircraft.txt that fly nothing still tell a category apart.
  for (const auto& [id, traffic] : state.trafficAircraft) facts.flightsPerTitle[traffic.title];
  for (const auto& [title, flights] : facts.flightsPerTitle) {
    const std::string category = state.categories.ClassifyTrafficTitle(title);
    facts.titleCategory[title] = category;
    facts.flightsPerCategory[category] += flights;
  }
  for (const AircraftModel& model : state.aircraftModels) {
    for (const auto& [title, variation] : model.variations) {
      ++facts.variations;
      if (!variation.atcAirline.empty()) ++facts.variationsPerCallsign[variation.atcAirline];
      if (!variation.useForAi) continue;
      facts.installedCategories.insert(model.category);
      facts.carriedCallsigns.insert(variation.atcAirline);
    }
  }
  return facts;
}

std::string LineRef(const AirNatReview& review, const std::string& country) {
  const auto found = review.countryLines.find(country);
  return found == review.countryLines.end() ? std::string()
                                            : "line " + std::to_string(found->second.number) + " ";
}

// "; air_nat.cfg line 4 names "France "" for every country of the file that
// differs from `name` only in letter case or blanks.
std::string NearCountries(const std::string& name, const AirlineCountryMap& airlines,
                          const AirNatReview& review) {
  const std::string key = LooseKey(name);
  std::string text;
  for (const auto& [country, callsigns] : airlines.Countries()) {
    if (country != name && LooseKey(country) == key) {
      text += "; air_nat.cfg " + LineRef(review, country) + "names " + Quoted(country);
    }
  }
  return text;
}

Group UnknownVariations(const WizardState& state) {
  Group group;
  std::set<std::string> lines;
  for (const AircraftModel& model : state.aircraftModels) {
    if (model.category != kUnknownCategory) continue;
    for (const auto& [title, variation] : model.variations) {
      lines.insert("  " + Quoted(title) + " (atc_type " + Quoted(model.atcType) + ", atc_model " +
                   Quoted(model.atcModel) + ") in " + variation.cfgPath);
    }
  }
  group.lines.assign(lines.begin(), lines.end());
  group.heading = "Installed variations in the category \"Unknown\", never given a flight (" +
                  std::to_string(group.lines.size()) + "):";
  return group;
}

// Why a category has no installed aircraft, when the table tells.
std::string WhyNoAircraft(const WizardState& state, const std::string& name,
                          const AircraftCategory& category) {
  if (name.size() < 2) return "; a name of one character is never given to an installed aircraft";
  if (category.modelPatterns.empty()) return "; it has no model pattern";
  for (const AircraftModel& model : state.aircraftModels) {
    if (model.variations.empty()) continue;
    const std::string subject = UpperCaseText(model.atcType + " " + model.atcModel);
    for (const std::string& pattern : category.modelPatterns) {
      if (subject.find(UpperCaseText(pattern)) == std::string::npos) continue;
      return "; its pattern " + Quoted(pattern) + " matches " +
             Quoted(model.variations.begin()->first) + ", which falls into " +
             Quoted(model.category) + " first";
    }
  }
  return {};
}

Group CategoriesWithoutAircraft(const WizardState& state, const Facts& facts) {
  Group group;
  int leftOut = 0;
  for (const auto& [name, category] : state.categories) {
    if (facts.installedCategories.count(name)) continue;
    const auto flights = facts.flightsPerCategory.find(name);
    const int count = flights == facts.flightsPerCategory.end() ? 0 : flights->second;
    leftOut += count;
    group.lines.push_back("  " + Quoted(name) + ": " + Count(count, "flight") + " left out" +
                          WhyNoAircraft(state, name, category));
  }
  group.heading = "Categories that no installed aircraft falls into (" +
                  std::to_string(group.lines.size()) + ", " + Count(leftOut, "flight") +
                  " left out):";
  return group;
}

Group TitlesWithoutCategory(const Facts& facts) {
  Group group;
  int leftOut = 0;
  for (const auto& [title, category] : facts.titleCategory) {
    if (!category.empty()) continue;
    const int flights = facts.flightsPerTitle.at(title);
    leftOut += flights;
    group.lines.push_back("  " + Quoted(title) + ": " + Count(flights, "flight"));
  }
  group.heading = "Traffic titles that no category claims (" + std::to_string(group.lines.size()) +
                  ", " + Count(leftOut, "flight") + " left out):";
  return group;
}

Group PlansWithoutAircraft(const Facts& facts) {
  Group group;
  int leftOut = 0;
  for (const auto& [id, flights] : facts.flightsPerMissingId) {
    leftOut += flights;
    group.lines.push_back("  " + id + ": " + Count(flights, "flight"));
  }
  group.heading = "Aircraft of flight plans that Aircraft.txt does not hold (" +
                  std::to_string(group.lines.size()) + ", " + Count(leftOut, "flight") +
                  " left out):";
  return group;
}

Group UnknownAirports(const Facts& facts) {
  Group group;
  int legs = 0;
  for (const auto& [icao, count] : facts.legsPerUnknownAirport) {
    legs += count;
    group.lines.push_back("  " + Quoted(icao) + ": " + Count(count, "leg"));
  }
  group.heading =
      "Airports of the traffic that the loaded scenery does not hold, without a "
      "country (" +
      std::to_string(group.lines.size()) + ", " + Count(legs, "leg") + "):";
  return group;
}

Group CountriesNotNamed(const WizardState& state, const Facts& facts, const AirNatReview& review) {
  const AirlineCountryMap& airlines = state.airportStore.Airlines();
  Group group;
  int legs = 0;
  for (const auto& [country, count] : facts.legsPerCountry) {
    if (airlines.FindCountryAirlines(country) != nullptr) continue;
    legs += count;
    group.lines.push_back("  " + Quoted(country) + ": " + Count(count, "leg") +
                          NearCountries(country, airlines, review));
  }
  group.heading = "Airport countries that air_nat.cfg does not name (" +
                  std::to_string(group.lines.size()) + ", " + Count(legs, "leg") + "):";
  return group;
}

Group CallsignsNotListed(const WizardState& state, const Facts& facts, const AirNatReview& review) {
  // Every callsign of the file by its loose key, with where it stands.
  std::multimap<std::string, std::string> listed;
  std::set<std::string> exact;
  for (const auto& [country, callsigns] : state.airportStore.Airlines().Countries()) {
    for (const std::string& callsign : callsigns) {
      exact.insert(callsign);
      const auto line = review.countryLines.find(country);
      listed.emplace(LooseKey(callsign),
                     Quoted(callsign) + " (" + country +
                         (line == review.countryLines.end()
                              ? std::string()
                              : ", line " + std::to_string(line->second.number)) +
                         ")");
    }
  }
  Group group;
  int variations = 0;
  for (const auto& [callsign, count] : facts.variationsPerCallsign) {
    if (exact.count(callsign)) continue;
    variations += count;
    std::string line = "  " + Quoted(callsign) + ": " + Count(count, "variation");
    const auto [first, last] = listed.equal_range(LooseKey(callsign));
    for (auto it = first; it != last; ++it) {
      line += (it == first ? "; air_nat.cfg has " : ", ") + it->second;
    }
    group.lines.push_back(line);
  }
  group.heading = "Installed callsigns that no country of air_nat.cfg lists (" +
                  std::to_string(group.lines.size()) + ", " + Count(variations, "variation") + "):";
  return group;
}

Group CountriesNotCarried(const WizardState& state, const Facts& facts,
                          const AirNatReview& review) {
  Group group;
  int legs = 0;
  for (const auto& [country, callsigns] : state.airportStore.Airlines().Countries()) {
    const auto visited = facts.legsPerCountry.find(country);
    if (visited == facts.legsPerCountry.end() && country != kGlobal) continue;
    bool carried = false;
    for (const std::string& callsign : callsigns)
      carried = carried || facts.carriedCallsigns.count(callsign);
    if (carried) continue;
    const int count = visited == facts.legsPerCountry.end() ? 0 : visited->second;
    legs += count;
    const auto line = review.countryLines.find(country);
    std::string text =
        line == review.countryLines.end()
            ? "  " + Quoted(country)
            : "  line " + std::to_string(line->second.number) + ": " + Quoted(line->second.text);
    text += country == kGlobal ? std::string(": the fallback of every flight")
                               : ": its flights fall back to GLOBAL (" + Count(count, "leg") + ")";
    group.lines.push_back(text);
  }
  group.heading = "Countries of the traffic whose callsigns no installed aircraft carries (" +
                  std::to_string(group.lines.size()) + ", " + Count(legs, "leg") + "):";
  return group;
}

Group AirNatLines(const AirNatReview& review, const std::string& path) {
  Group group;
  if (!review.opened) {
    group.lines.push_back("  " + path + " cannot be opened: its lines are not checked");
  } else if (review.readFailed) {
    group.lines.push_back("  " + path +
                          " cannot be read to its end: the lines after the failed "
                          "read are not checked");
  }
  for (const AirNatLineNote& note : review.notes) {
    group.lines.push_back("  line " + std::to_string(note.line.number) + ": " +
                          Quoted(note.line.text) + ": " + note.reason);
  }
  group.heading = "air_nat.cfg lines that are ignored or read otherwise than they look (" +
                  std::to_string(group.lines.size()) + "):";
  return group;
}

Group MissingGlobal(const WizardState& state, const AirNatReview& review) {
  Group group;
  const AirlineCountryMap& airlines = state.airportStore.Airlines();
  if (airlines.FindCountryAirlines(kGlobal) == nullptr) {
    group.lines.push_back(
        "  a flight whose countries give no aircraft goes straight to the aircraft without an "
        "airline" +
        NearCountries(kGlobal, airlines, review));
  }
  group.heading = "air_nat.cfg has no GLOBAL line (" + std::to_string(group.lines.size()) + "):";
  return group;
}

}  // namespace

int RunConfigurationCheck(const WizardState& state, const std::string& airNatPath,
                          std::ostream& out) {
  const Facts facts = CountFacts(state);
  const AirNatReview review = ReviewAirNatFile(airNatPath);

  out << "Checked " << Count(facts.variations, "installed variation") << ", "
      << Count(static_cast<int>(state.categories.size()), "category", "categories") << ", "
      << Count(static_cast<int>(facts.flightsPerTitle.size()), "traffic title") << " in "
      << Count(static_cast<int>(state.flightPlans.size()), "flight plan") << ", "
      << Count(static_cast<int>(state.airportStore.Index().size()), "airport") << " and "
      << Count(static_cast<int>(state.airportStore.Airlines().Countries().size()), "country",
               "countries")
      << " of air_nat.cfg.\n";

  const Group groups[] = {
      UnknownVariations(state),
      CategoriesWithoutAircraft(state, facts),
      TitlesWithoutCategory(facts),
      PlansWithoutAircraft(facts),
      UnknownAirports(facts),
      CountriesNotNamed(state, facts, review),
      CallsignsNotListed(state, facts, review),
      CountriesNotCarried(state, facts, review),
      AirNatLines(review, airNatPath),
      MissingGlobal(state, review),
  };
  int findings = 0, shown = 0;
  for (const Group& group : groups) {
    if (group.lines.empty()) continue;
    out << "\n" << group.heading << "\n";
    for (const std::string& line : group.lines) out << line << "\n";
    findings += static_cast<int>(group.lines.size());
    ++shown;
  }
  if (findings == 0) {
    out << kNothingFound << "\n";
    return kCheckClean;
  }
  out << "\n" << Count(findings, "problem") << " found in " << Count(shown, "group") << ".\n";
  return kCheckFoundProblems;
}

}  // namespace fm
