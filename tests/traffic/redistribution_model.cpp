// The redistribution written out step by step, as plainly as the rules read:
// every decision goes to the report in the order it is taken.
#include "tests/traffic/redistribution_model.h"

#include <algorithm>
#include <string_view>

namespace fm::testing::model {
namespace {

constexpr std::string_view kGlobal = "GLOBAL";

// The run's generator: seeded once, drawn only by the random choice.
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  int Draw() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 32767u);
  }

 private:
  std::uint32_t state_;
};

struct Plan {
  std::string lineText;
  std::string aircraftId;
  std::vector<std::string> airports;
};

std::string Join(const std::set<std::string>& items, char separator) {
  std::string text;
  bool first = true;
  for (const std::string& item : items) {
    if (!first) text += separator;
    first = false;
    text += item;
  }
  return text;
}

std::string EachFollowedBy(const std::set<std::string>& items, char after) {
  std::string text;
  for (const std::string& item : items) text += item + after;
  return text;
}

// Text mode: every line feed written becomes CR LF.
std::string TextMode(const std::string& text) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

std::string ClassifyTrafficTitle(const ModelInput& input, const std::string& title) {
  for (const auto& [category, patterns] : input.categoryTitlePatterns) {
    for (const std::string& pattern : patterns) {
      if (title.find(pattern) != std::string::npos) return category;
    }
  }
  return {};
}

std::string CountryOf(const ModelInput& input, const std::string& icao) {
  auto found = input.airportCountry.find(icao);
  return found == input.airportCountry.end() ? std::string() : found->second;
}

void AddCallsigns(const ModelInput& input, const std::set<std::string>& countries,
                  std::set<std::string>& callsigns) {
  for (const std::string& country : countries) {
    auto found = input.countryAirlines.find(country);
    if (found != input.countryAirlines.end())
      callsigns.insert(found->second.begin(), found->second.end());
  }
}

// Evenly: the last candidate with the smallest count so far.
std::size_t ChooseEvenly(const std::vector<std::string>& candidates,
                         const std::map<std::string, int>& flightCounts) {
  std::size_t choice = 0;
  int best = 1000000;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    auto found = flightCounts.find(candidates[i]);
    int count = found == flightCounts.end() ? 0 : found->second;
    if (count <= best) {
      choice = i;
      best = count;
    }
  }
  return choice;
}

std::size_t ChooseRandomly(std::size_t candidates, Lcg& generator) {
  int r = generator.Draw();
  while (r == 32767) r = generator.Draw();
  double x = r * (1.0 / 32767.0);
  return static_cast<std::size_t>(x * static_cast<double>(candidates));
}

// The airport codes of a FlightPlans.txt line's legs, or false for a line
// that is not a plan (no comma). Legs cut short by the line's end are not
// legs; fields beyond a whole leg are ignored.
bool ParsePlanLine(const std::string& line, std::string& aircraftId,
                   std::vector<std::string>& airports) {
  airports.clear();
  std::size_t comma = line.find(',');
  if (comma == std::string::npos) return false;
  aircraftId = line.substr(0, comma);
  for (int field = 2; field <= 5 && comma != std::string::npos; ++field)
    comma = line.find(',', comma + 1);
  if (comma == std::string::npos) return true;
  // Each leg is six fields; its airport is the sixth. A leg's first field
  // starts at s, so an empty first field puts a comma right at s.
  std::size_t s = comma + 1;
  for (;;) {
    std::size_t commas[6];
    int found = 0;
    for (std::size_t at = s; found < 6; at = commas[found - 1] + 1) {
      std::size_t next = line.find(',', at);
      if (next == std::string::npos) break;
      commas[found++] = next;
    }
    bool last = found < 6;
    std::size_t end = last ? line.size() : commas[5];
    if (found >= 5) airports.push_back(line.substr(commas[4] + 1, end - commas[4] - 1));
    if (last) return true;
    s = end + 1;
  }
}

}  // namespace

ModelOutput RunModel(const ModelInput& input) {
  ModelOutput out;
  Lcg generator(input.seed);
  std::string report;

  std::vector<Plan> plans;
  for (const std::string& line : input.planLines) {
    Plan plan;
    if (ParsePlanLine(line, plan.aircraftId, plan.airports)) {
      plan.lineText = line;
      plans.push_back(std::move(plan));
    }
  }

  std::map<std::string, std::pair<std::string, std::string>> newAircraft;  // id -> (speed, title)
  std::vector<std::string> newPlanLines;
  std::map<std::string, int> flightCounts;
  std::set<std::string> warnedTitles;
  std::set<std::string> warnedIds;
  std::string lastProgress;
  int processed = 0;

  for (const Plan& plan : plans) {
    ++processed;
    auto aircraft = input.trafficAircraft.find(plan.aircraftId);
    if (aircraft == input.trafficAircraft.end()) {
      if (warnedIds.insert(plan.aircraftId).second)
        report += "Aircraft " + plan.aircraftId +
                  " of the flight plans is not in Aircraft.txt, therefore all flights it "
                  "performed will not be included into the new AI traffic\n";
      continue;
    }
    const std::string& cruiseSpeed = aircraft->second.first;
    const std::string& title = aircraft->second.second;
    std::string category = ClassifyTrafficTitle(input, title);
    if (category.empty()) {
      if (warnedTitles.insert(title).second) {
        std::string text = "Unable to determine what category '" + title +
                           "' belongs to, therefore all flights it performed will not be "
                           "included into the new AI traffic\n";
        report += text;
        out.warningBoxes.push_back(text);
      }
      continue;
    }

    std::vector<const Model*> categoryModels;
    for (const Model& model : input.aircraftModels)
      if (model.category == category) categoryModels.push_back(&model);
    if (categoryModels.empty()) report += "WARNING:zero matching aircraft\n";
    std::string modelCount = std::to_string(categoryModels.size());

    std::set<std::string> visitedAirports, visitedCountries, validCallsigns;
    std::vector<std::string> candidates;
    bool gaFallback = false;
    bool matched = false;
    for (;;) {
      bool firstAttempt = visitedAirports.empty();
      visitedAirports.insert(plan.airports.begin(), plan.airports.end());
      for (const std::string& code : visitedAirports)
        visitedCountries.insert(CountryOf(input, code));
      while (validCallsigns.empty()) {
        AddCallsigns(input, visitedCountries, validCallsigns);
        if (firstAttempt)
          report += "For fl. \"" + Join(visitedAirports, ',') + "(" + Join(visitedCountries, ',') +
                    ")\" was used \"" + title + "\" (" + modelCount + " a/c in the same cat. [" +
                    category + "]). Valid callsigns are " + Join(validCallsigns, ',') + "\n";
        if (!validCallsigns.empty()) break;
        // GLOBAL itself gave nothing: asking again would never end.
        if (visitedCountries.count(std::string(kGlobal))) break;
        report += "No match by callsign found, retry to fit using GLOBAL\n";
        visitedCountries = {std::string(kGlobal)};
      }

      for (const Model* model : categoryModels) {
        for (const auto& [variationTitle, variation] : model->variations) {
          if (!variation.useForAi) continue;
          if ((gaFallback && variation.atcAirline.empty()) ||
              validCallsigns.count(variation.atcAirline))
            candidates.push_back(variation.title);
        }
      }
      if (!candidates.empty()) {
        matched = true;
        break;
      }
      if (!visitedCountries.count(std::string(kGlobal))) {
        visitedCountries.insert(std::string(kGlobal));
        validCallsigns.clear();
        continue;
      }
      if (gaFallback) {
        report +=
            "Cannot find appropriate airplane (even using GA planes), this flight will not be "
            "included in new traffic\n\n";
        break;
      }
      report += "GA a/c will be used for this flight\n";
      gaFallback = true;
    }

    if (matched) {
      std::size_t index = input.randomly ? ChooseRandomly(candidates.size(), generator)
                                         : ChooseEvenly(candidates, flightCounts);
      const std::string& chosen = candidates[index];
      report += chosen + " was selected for this flight.\n\n";
      ++flightCounts[chosen];
      std::string id;
      for (const auto& [newId, entry] : newAircraft) {
        if (entry.second == chosen) {
          id = newId;
          break;
        }
      }
      if (id.empty()) {
        id = "AC#" + std::to_string(newAircraft.size() + 1);
        newAircraft[id] = {cruiseSpeed, chosen};
      }
      std::size_t comma = plan.lineText.find(',');
      newPlanLines.push_back(
          id + "," +
          (comma == std::string::npos ? plan.lineText : plan.lineText.substr(comma + 1)));
    } else {
      report += "Could not find a match for flight " + EachFollowedBy(visitedAirports, ',') + "(" +
                EachFollowedBy(visitedCountries, ',') + ")[ for aircraft " + title + " (MG# was " +
                modelCount + ")\n";
    }

    int percent = static_cast<int>(static_cast<double>(processed) /
                                   static_cast<double>(plans.size()) * 100.0);
    std::string progress = std::to_string(percent) + "% processed";
    if (progress != lastProgress) {
      lastProgress = progress;
      out.statusTexts.push_back(progress);
    }
  }

  for (const auto& [title, count] : flightCounts) out.listRows.emplace_back(title, count);
  std::stable_sort(out.listRows.begin(), out.listRows.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  out.completionBox =
      "Generation complete. " + std::to_string(newPlanLines.size()) + " plans generated.";

  out.report = TextMode(report);
  std::string aircraftTxt;
  for (const auto& [id, entry] : newAircraft)
    aircraftTxt += id + "," + entry.first + ",\"" + entry.second + "\"\n";
  out.aircraftTxt = TextMode(aircraftTxt);
  std::string flightPlansTxt;
  for (const std::string& line : newPlanLines) flightPlansTxt += line + "\n";
  out.flightPlansTxt = TextMode(flightPlansTxt);
  return out;
}

}  // namespace fm::testing::model
