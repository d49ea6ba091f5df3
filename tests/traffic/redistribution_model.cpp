// The redistribution written out step by step, as plainly as the rules read:
// every decision goes to the report in the order it is taken.
#include "tests/traffic/redistribution_model.h"

#include <algorithm>

namespace fm::testing::model {
namespace {

const std::string kGlobal = "GLOBAL";

// The items with a comma between them, or after each when `after`.
std::string Join(const std::set<std::string>& items, bool after = false) {
  std::string text;
  for (const std::string& item : items) text += item + ",";
  if (!after && !text.empty()) text.pop_back();
  return text;
}

// Text mode: every line feed written becomes CR LF.
std::string TextMode(const std::string& text) {
  std::string bytes;
  for (char c : text) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return bytes;
}

// The fields of a FlightPlans.txt line, split at every comma.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = line.find(',', start);
    fields.push_back(line.substr(start, end - start));
  }
  return fields;
}

}  // namespace

ModelOutput RunModel(const ModelInput& input) {
  ModelOutput out;
  std::uint32_t generator = input.seed;  // seeded once, drawn only by the random choice
  auto draw = [&generator] {
    generator = generator * 214013u + 2531011u;
    return static_cast<int>((generator >> 16) & 32767u);
  };
  std::string report, lastProgress;
  std::map<std::string, std::pair<std::string, std::string>> newAircraft;  // id -> (speed, title)
  std::vector<std::string> newPlanLines;
  std::map<std::string, int> flightCounts;
  std::set<std::string> warnedTitles, warnedIds;
  std::size_t processed = 0, plans = 0;
  for (const std::string& line : input.planLines) plans += line.find(',') != std::string::npos;

  for (const std::string& line : input.planLines) {
    // A line without a comma is no plan. Five header fields, then legs of
    // six fields whose sixth is the airport; a leg cut short is no leg.
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() < 2) continue;
    const std::string& aircraftId = fields[0];
    std::vector<std::string> airports;
    for (std::size_t leg = 5; leg + 5 < fields.size(); leg += 6)
      airports.push_back(fields[leg + 5]);
    ++processed;
    auto aircraft = input.trafficAircraft.find(aircraftId);
    if (aircraft == input.trafficAircraft.end()) {
      if (warnedIds.insert(aircraftId).second)
        report += "Aircraft " + aircraftId +
                  " of the flight plans is not in Aircraft.txt, therefore all flights it "
                  "performed will not be included into the new AI traffic\n";
      continue;
    }
    const auto& [cruiseSpeed, title] = aircraft->second;
    std::string category;  // the first category, in name order, with a pattern inside the title
    for (const auto& [name, patterns] : input.categoryTitlePatterns)
      for (const std::string& pattern : patterns)
        if (category.empty() && title.find(pattern) != std::string::npos) category = name;
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
    const std::string modelCount = std::to_string(categoryModels.size());

    std::set<std::string> visitedAirports, visitedCountries, validCallsigns;
    std::vector<std::string> candidates;
    bool gaFallback = false;
    for (;;) {
      bool firstAttempt = visitedAirports.empty();
      visitedAirports.insert(airports.begin(), airports.end());
      for (const std::string& code : visitedAirports) {
        auto found = input.airportCountry.find(code);
        visitedCountries.insert(found == input.airportCountry.end() ? "" : found->second);
      }
      while (validCallsigns.empty()) {
        for (const std::string& country : visitedCountries) {
          auto found = input.countryAirlines.find(country);
          if (found != input.countryAirlines.end())
            validCallsigns.insert(found->second.begin(), found->second.end());
        }
        if (firstAttempt)
          report += "For fl. \"" + Join(visitedAirports) + "(" + Join(visitedCountries) +
                    ")\" was used \"" + title + "\" (" + modelCount + " a/c in the same cat. [" +
                    category + "]). Valid callsigns are " + Join(validCallsigns) + "\n";
        // GLOBAL itself giving nothing, asking again would never end.
        if (!validCallsigns.empty() || visitedCountries.count(kGlobal)) break;
        report += "No match by callsign found, retry to fit using GLOBAL\n";
        visitedCountries = {kGlobal};
      }
      for (const Model* model : categoryModels)
        for (const auto& [variationTitle, variation] : model->variations)
          if (variation.useForAi && ((gaFallback && variation.atcAirline.empty()) ||
                                     validCallsigns.count(variation.atcAirline)))
            candidates.push_back(variation.title);
      if (!candidates.empty()) break;
      if (!visitedCountries.count(kGlobal)) {
        visitedCountries.insert(kGlobal);
        validCallsigns.clear();
      } else if (gaFallback) {
        report +=
            "Cannot find appropriate airplane (even using GA planes), this flight will not be "
            "included in new traffic\n\n";
        break;
      } else {
        report += "GA a/c will be used for this flight\n";
        gaFallback = true;
      }
    }

    if (!candidates.empty()) {
      std::size_t index = 0;
      if (input.randomly) {
        int r = draw();
        while (r == 32767) r = draw();
        index =
            static_cast<std::size_t>(r * (1.0 / 32767.0) * static_cast<double>(candidates.size()));
      } else {  // Evenly: the last candidate with the smallest count so far
        for (std::size_t i = 0, best = 1000000; i < candidates.size(); ++i) {
          std::size_t count = static_cast<std::size_t>(flightCounts[candidates[i]]);
          if (count <= best) index = i, best = count;
        }
      }
      const std::string& chosen = candidates[index];
      report += chosen + " was selected for this flight.\n\n";
      ++flightCounts[chosen];
      std::string id;
      for (const auto& [newId, entry] : newAircraft)
        if (id.empty() && entry.second == chosen) id = newId;
      if (id.empty()) {
        id = "AC#" + std::to_string(newAircraft.size() + 1);
        newAircraft[id] = {cruiseSpeed, chosen};
      }
      newPlanLines.push_back(id + line.substr(line.find(',')));
    } else {
      report += "Could not find a match for flight " + Join(visitedAirports, true) + "(" +
                Join(visitedCountries, true) + ")[ for aircraft " + title + " (MG# was " +
                modelCount + ")\n";
    }

    std::string progress = std::to_string(static_cast<int>(static_cast<double>(processed) /
                                                           static_cast<double>(plans) * 100.0)) +
                           "% processed";
    if (progress != lastProgress) out.statusTexts.push_back(lastProgress = progress);
  }

  for (const auto& [title, count] : flightCounts)
    if (count > 0) out.listRows.emplace_back(title, count);
  std::stable_sort(out.listRows.begin(), out.listRows.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  out.completionBox =
      "Generation complete. " + std::to_string(newPlanLines.size()) + " plans generated.";
  out.report = TextMode(report);
  for (const auto& [id, entry] : newAircraft)
    out.aircraftTxt += TextMode(id + "," + entry.first + ",\"" + entry.second + "\"\n");
  for (const std::string& line : newPlanLines) out.flightPlansTxt += TextMode(line + "\n");
  return out;
}

}  // namespace fm::testing::model
