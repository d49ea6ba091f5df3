// The redistribution. The report and the tables are exactly those of the
// plain walk (per flight: collect the category's models, the visited
// countries' callsigns, the candidates; widen to GLOBAL, then to aircraft
// without airline), but everything that does not change between flights is
// worked out once per run: callsigns and titles are numbered in byte order,
// each category's usable variations are listed once, and each traffic
// aircraft is classified once.
#include "traffic/redistribution.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace fm {
namespace {

constexpr std::string_view kGlobal = "GLOBAL";
constexpr int kNoCallsign = -1;

constexpr char kNoCategory[] =
    "Unable to determine what category '%s' belongs to, therefore all flights it performed will "
    "not be included into the new AI traffic\n";
constexpr char kUnknownAircraftHead[] = "Aircraft ";
constexpr char kUnknownAircraftTail[] =
    " of the flight plans is not in Aircraft.txt, therefore all flights it performed will not be "
    "included into the new AI traffic\n";
constexpr char kZeroModels[] = "WARNING:zero matching aircraft\n";
constexpr char kRetryGlobal[] = "No match by callsign found, retry to fit using GLOBAL\n";
constexpr char kUseGa[] = "GA a/c will be used for this flight\n";
constexpr char kNoAirplane[] =
    "Cannot find appropriate airplane (even using GA planes), this flight will not be included "
    "in new traffic\n\n";
constexpr char kSelected[] = " was selected for this flight.\n\n";

// The report is gathered here and handed to the file in large pieces.
constexpr size_t kReportChunk = 1 << 16;

// Every callsign that some country lists, numbered in byte order, so that
// sorting numbers sorts the texts.
class CallsignNumbers {
 public:
  explicit CallsignNumbers(const AirlineCountryMap& airlines) {
    std::vector<std::string_view> all;
    for (const auto& [country, callsigns] : airlines.Countries()) {
      all.insert(all.end(), callsigns.begin(), callsigns.end());
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    names_ = std::move(all);
    numbers_.reserve(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) numbers_.emplace(names_[i], static_cast<int>(i));
    for (const auto& [country, callsigns] : airlines.Countries()) {
      std::vector<int>& list = byCountry_[country];
      for (const std::string& callsign : callsigns) list.push_back(Find(callsign));
    }
  }

  int Find(std::string_view callsign) const {
    auto found = numbers_.find(callsign);
    return found == numbers_.end() ? kNoCallsign : found->second;
  }
  // The numbers of a country's callsigns, or nullptr when no line names it.
  const std::vector<int>* OfCountry(std::string_view country) const {
    auto found = byCountry_.find(country);
    return found == byCountry_.end() ? nullptr : &found->second;
  }
  std::string_view Name(int number) const { return names_[static_cast<size_t>(number)]; }
  size_t Size() const { return names_.size(); }

 private:
  std::vector<std::string_view> names_;
  std::unordered_map<std::string_view, int> numbers_;
  std::unordered_map<std::string_view, std::vector<int>> byCountry_;
};

// A variation that may be given flights.
struct Candidate {
  int title;     // number of the title among all candidate titles
  int callsign;  // number of its airline, kNoCallsign when no country lists it
  bool noAirline;
};

// The models of one category, as one flight of it sees them.
struct CategoryCandidates {
  size_t modelCount = 0;
  std::vector<Candidate> candidates;  // models in list order, variations by title
  // Indexes into `candidates` by airline, and those without airline, each
  // ascending: a flight looks only at the airlines it may use.
  std::unordered_map<int, std::vector<int>> byCallsign;
  std::vector<int> noAirline;
};

// What a traffic aircraft contributes to each of its flights.
struct TrafficAircraftFacts {
  const TrafficAircraft* aircraft = nullptr;  // null: not in Aircraft.txt
  std::string category;                       // empty: no category claims its title
  const CategoryCandidates* models = nullptr;
};

// The sets of one flight, rebuilt for every plan.
struct FlightSets {
  std::vector<const std::string*> airports;    // sorted, distinct
  std::vector<std::string_view> countries;     // sorted, distinct
  std::vector<int> callsigns;                  // distinct; sorted before they are shown
  std::vector<unsigned> callsignMark;          // == mark: in `callsigns`
  unsigned mark = 0;
  std::vector<int> candidates;                 // indexes into the category's candidates

  bool HasGlobal() const { return std::binary_search(countries.begin(), countries.end(), kGlobal); }
  void AddCountry(std::string_view country) {
    auto at = std::lower_bound(countries.begin(), countries.end(), country);
    if (at == countries.end() || *at != country) countries.insert(at, country);
  }
  void ClearCallsigns() {
    callsigns.clear();
    if (++mark == 0) {
      std::fill(callsignMark.begin(), callsignMark.end(), 0);
      mark = 1;
    }
  }
  bool IsValid(int callsign) const {
    return callsign != kNoCallsign && callsignMark[static_cast<size_t>(callsign)] == mark;
  }
};

template <typename Items, typename Text>
void AppendJoined(std::string& out, const Items& items, Text text, std::string_view separator,
                  bool afterEach) {
  bool first = true;
  for (const auto& item : items) {
    if (!first && !afterEach) out += separator;
    first = false;
    out += text(item);
    if (afterEach) out += separator;
  }
}

class Redistribution {
 public:
  Redistribution(const RedistributionInput& input, DistributionMethod method, std::uint32_t seed,
                 OutputFile& report, RedistributionEvents& events)
      : input_(input),
        method_(method),
        random_(seed),
        report_(report),
        events_(events),
        callsigns_(input.airports.Airlines()) {
    sets_.callsignMark.assign(callsigns_.Size(), 0);
    sets_.mark = 1;
  }

  RedistributionResult Run() {
    for (const FlightPlan& plan : input_.flightPlans) {
      ++processed_;
      ++result_.tally.plans;
      if (Redistribute(plan)) ShowProgress();
    }
    for (size_t title = 0; title < titleCounts_.size(); ++title) {
      if (titleCounts_[title] > 0) result_.flightCounts.emplace(titles_[title], titleCounts_[title]);
    }
    WriteOut();
    return std::move(result_);
  }

 private:
  // One plan; false when it was skipped before the search (no progress step).
  bool Redistribute(const FlightPlan& plan) {
    const TrafficAircraftFacts& facts = FactsOf(plan.aircraftId);
    if (!facts.aircraft) {
      ++result_.tally.unknownAircraft;
      if (warnedIds_.insert(plan.aircraftId).second) {
        text_ += kUnknownAircraftHead;
        text_ += plan.aircraftId;
        text_ += kUnknownAircraftTail;
      }
      return false;
    }
    if (facts.category.empty()) {
      ++result_.tally.noCategory;
      if (warnedTitles_.insert(facts.aircraft->title).second) {
        std::string line = Format(kNoCategory, facts.aircraft->title);
        text_ += line;
        events_.TitleWithoutCategory(line);
      }
      return false;
    }
    Search(plan, facts);
    return true;
  }

  void Search(const FlightPlan& plan, const TrafficAircraftFacts& facts) {
    const CategoryCandidates& models = *facts.models;
    if (models.modelCount == 0) text_ += kZeroModels;
    sets_.airports.clear();
    sets_.countries.clear();
    sets_.ClearCallsigns();
    sets_.candidates.clear();
    bool gaFallback = false;

    for (;;) {
      const bool firstAttempt = sets_.airports.empty();
      if (firstAttempt) CollectAirports(plan);
      for (const std::string* code : sets_.airports) sets_.AddCountry(CountryOf(*code));
      while (sets_.callsigns.empty()) {
        AddCallsignsOfCountries();
        if (firstAttempt) WriteCallsignLine(facts);
        if (!sets_.callsigns.empty()) break;
        // GLOBAL itself lists nothing: asking again would never end, so the
        // flight goes on to the aircraft without airline.
        if (sets_.HasGlobal()) break;
        text_ += kRetryGlobal;
        sets_.countries.assign(1, kGlobal);
      }

      CollectCandidates(models, gaFallback);
      if (!sets_.candidates.empty()) {
        Choose(plan, facts, gaFallback);
        return;
      }
      if (!sets_.HasGlobal()) {
        sets_.AddCountry(kGlobal);
        sets_.ClearCallsigns();
        continue;
      }
      if (gaFallback) {
        text_ += kNoAirplane;
        WriteUnmatchedLine(facts);
        return;
      }
      text_ += kUseGa;
      gaFallback = true;
    }
  }

  // The candidates in collection order: models in list order, variations
  // by title; those of a valid airline, and with the fallback those
  // without airline.
  void CollectCandidates(const CategoryCandidates& models, bool gaFallback) {
    std::vector<int>& found = sets_.candidates;
    for (int callsign : sets_.callsigns) {
      auto listed = models.byCallsign.find(callsign);
      if (listed != models.byCallsign.end()) {
        found.insert(found.end(), listed->second.begin(), listed->second.end());
      }
    }
    if (gaFallback) {
      for (int index : models.noAirline) {
        if (!sets_.IsValid(models.candidates[static_cast<size_t>(index)].callsign)) {
          found.push_back(index);
        }
      }
    }
    std::sort(found.begin(), found.end());
  }

  void CollectAirports(const FlightPlan& plan) {
    for (const FlightLeg& leg : plan.legs) sets_.airports.push_back(&leg.airportId);
    std::sort(sets_.airports.begin(), sets_.airports.end(),
              [](const std::string* a, const std::string* b) { return *a < *b; });
    sets_.airports.erase(
        std::unique(sets_.airports.begin(), sets_.airports.end(),
                    [](const std::string* a, const std::string* b) { return *a == *b; }),
        sets_.airports.end());
  }

  // The store's country of the airport; the empty text for one it lacks.
  std::string_view CountryOf(const std::string& code) const {
    const Airport* airport = input_.airports.FindAirport(code);
    return airport ? std::string_view(airport->country) : std::string_view();
  }

  void AddCallsignsOfCountries() {
    for (std::string_view country : sets_.countries) {
      const std::vector<int>* listed = callsigns_.OfCountry(country);
      if (!listed) continue;
      for (int callsign : *listed) {
        unsigned& mark = sets_.callsignMark[static_cast<size_t>(callsign)];
        if (mark != sets_.mark) {
          mark = sets_.mark;
          sets_.callsigns.push_back(callsign);
        }
      }
    }
  }

  void WriteCallsignLine(const TrafficAircraftFacts& facts) {
    std::sort(sets_.callsigns.begin(), sets_.callsigns.end());
    text_ += "For fl. \"";
    AppendJoined(text_, sets_.airports, [](const std::string* code) { return *code; }, ",", false);
    text_ += '(';
    AppendJoined(text_, sets_.countries, [](std::string_view c) { return c; }, ",", false);
    text_ += ")\" was used \"";
    text_ += facts.aircraft->title;
    text_ += "\" (";
    text_ += std::to_string(facts.models->modelCount);
    text_ += " a/c in the same cat. [";
    text_ += facts.category;
    text_ += "]). Valid callsigns are ";
    AppendJoined(text_, sets_.callsigns, [this](int c) { return callsigns_.Name(c); }, ",", false);
    text_ += '\n';
  }

  void WriteUnmatchedLine(const TrafficAircraftFacts& facts) {
    ++result_.tally.leftOut;
    text_ += "Could not find a match for flight ";
    AppendJoined(text_, sets_.airports, [](const std::string* code) { return *code; }, ",", true);
    text_ += '(';
    AppendJoined(text_, sets_.countries, [](std::string_view c) { return c; }, ",", true);
    text_ += ")[ for aircraft ";
    text_ += facts.aircraft->title;
    text_ += " (MG# was ";
    text_ += std::to_string(facts.models->modelCount);
    text_ += ")\n";
  }

  void Choose(const FlightPlan& plan, const TrafficAircraftFacts& facts, bool gaFallback) {
    const std::vector<Candidate>& all = facts.models->candidates;
    size_t index = 0;
    if (method_ == DistributionMethod::kRandomly) {
      int r = random_.Draw();
      while (r == 32767) r = random_.Draw();
      const double x = r * (1.0 / 32767.0);
      index = static_cast<size_t>(x * static_cast<double>(sets_.candidates.size()));
    } else {
      int best = 1000000;
      for (size_t i = 0; i < sets_.candidates.size(); ++i) {
        const int count = titleCounts_[static_cast<size_t>(all[sets_.candidates[i]].title)];
        if (count <= best) {
          best = count;
          index = i;
        }
      }
    }
    const int title = all[static_cast<size_t>(sets_.candidates[index])].title;
    text_ += titles_[static_cast<size_t>(title)];
    text_ += kSelected;
    ++titleCounts_[static_cast<size_t>(title)];

    std::string& id = newIds_[static_cast<size_t>(title)];
    if (id.empty()) {
      id = "AC#" + std::to_string(result_.newAircraft.size() + 1);
      result_.newAircraft.emplace(id, TrafficAircraft{facts.aircraft->cruiseSpeed,
                                                      titles_[static_cast<size_t>(title)]});
    }
    const std::string& line = plan.lineText;
    const size_t comma = line.find(',');
    std::string newLine;
    newLine.reserve(id.size() + line.size() + 1);
    newLine += id;
    newLine += ',';
    newLine.append(line, comma == std::string::npos ? 0 : comma + 1);
    result_.newPlanLines.push_back(std::move(newLine));

    ++result_.tally.generated;
    if (gaFallback) {
      ++result_.tally.byNoAirline;
    } else if (sets_.HasGlobal()) {
      ++result_.tally.byGlobal;
    } else {
      ++result_.tally.byCountry;
    }
  }

  void ShowProgress() {
    const int percent = static_cast<int>(static_cast<double>(processed_) /
                                         static_cast<double>(input_.flightPlans.size()) * 100.0);
    std::string progress = std::to_string(percent) + "% processed";
    if (progress == lastProgress_) {
      if (text_.size() >= kReportChunk) WriteOut();
      return;
    }
    lastProgress_ = std::move(progress);
    WriteOut();
    report_.Flush();
    events_.Progress(lastProgress_);
  }

  // Hands the gathered lines to the file with their line ends as CR LF,
  // in one write.
  void WriteOut() {
    bytes_.clear();
    size_t from = 0;
    for (size_t lf = text_.find('\n'); lf != std::string::npos; lf = text_.find('\n', from)) {
      bytes_.append(text_, from, lf - from);
      bytes_ += "\r\n";
      from = lf + 1;
    }
    bytes_.append(text_, from, std::string::npos);
    report_.WriteBytes(bytes_);
    text_.clear();
  }

  const TrafficAircraftFacts& FactsOf(const std::string& aircraftId) {
    auto [entry, added] = facts_.try_emplace(aircraftId);
    TrafficAircraftFacts& facts = entry->second;
    if (!added) return facts;
    auto found = input_.trafficAircraft.find(aircraftId);
    if (found == input_.trafficAircraft.end()) return facts;
    facts.aircraft = &found->second;
    facts.category = input_.categories.ClassifyTrafficTitle(found->second.title);
    if (!facts.category.empty()) facts.models = &ModelsOf(facts.category);
    return facts;
  }

  const CategoryCandidates& ModelsOf(const std::string& category) {
    auto [entry, added] = categories_.try_emplace(category);
    CategoryCandidates& models = entry->second;
    if (!added) return models;
    for (const AircraftModel& model : input_.aircraftModels) {
      if (model.category != category) continue;
      ++models.modelCount;
      for (const auto& [title, variation] : model.variations) {
        if (!variation.useForAi) continue;
        const int index = static_cast<int>(models.candidates.size());
        const Candidate candidate{TitleNumber(title), callsigns_.Find(variation.atcAirline),
                                  variation.atcAirline.empty()};
        models.candidates.push_back(candidate);
        if (candidate.callsign != kNoCallsign) models.byCallsign[candidate.callsign].push_back(index);
        if (candidate.noAirline) models.noAirline.push_back(index);
      }
    }
    return models;
  }

  int TitleNumber(const std::string& title) {
    auto [entry, added] = titleNumbers_.try_emplace(title, static_cast<int>(titles_.size()));
    if (added) {
      titles_.push_back(title);
      titleCounts_.push_back(0);
      newIds_.emplace_back();
    }
    return entry->second;
  }

  static std::string Format(const char* format, const std::string& text) {
    const int length = std::snprintf(nullptr, 0, format, text.c_str());
    std::string out(static_cast<size_t>(length), '\0');
    std::snprintf(out.data(), out.size() + 1, format, text.c_str());
    return out;
  }

  const RedistributionInput& input_;
  const DistributionMethod method_;
  TrafficRandom random_;
  OutputFile& report_;
  RedistributionEvents& events_;
  const CallsignNumbers callsigns_;

  RedistributionResult result_;
  std::string text_;   // report lines not yet handed to the file
  std::string bytes_;  // the same with CR LF line ends
  std::string lastProgress_;
  size_t processed_ = 0;
  std::unordered_map<std::string, TrafficAircraftFacts> facts_;  // by traffic aircraft id
  std::unordered_map<std::string, CategoryCandidates> categories_;
  std::unordered_map<std::string, int> titleNumbers_;
  std::vector<std::string> titles_;  // candidate titles by number
  std::vector<int> titleCounts_;     // flights given to each title
  std::vector<std::string> newIds_;  // the new aircraft id of each title, once it has one
  std::set<std::string> warnedTitles_;
  std::set<std::string> warnedIds_;
  FlightSets sets_;
};

}  // namespace

RedistributionResult RedistributeTraffic(const RedistributionInput& input,
                                         DistributionMethod method, std::uint32_t seed,
                                         OutputFile& report, RedistributionEvents& events) {
  return Redistribution(input, method, seed, report, events).Run();
}

}  // namespace fm
