// The redistribution. The report and the tables are exactly those of the
// plain walk (per flight: collect the category's models, the visited
// countries' callsigns, the candidates; widen to GLOBAL, then to aircraft
// without airline), but everything that does not change between flights is
// worked out once per run: callsigns and titles are numbered in byte order,
// each category's usable variations are listed once, and each traffic
// aircraft is classified once.
#include "traffic/redistribution.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace fm {
namespace {

constexpr std::string_view kGlobal = "GLOBAL";
constexpr int kNoCallsign = -1;

// The report is written as text mode writes it: every line ends in CR LF.
constexpr char kNoCategory[] =
    "Unable to determine what category '%s' belongs to, therefore all flights it performed will "
    "not be included into the new AI traffic\n";  // also the box's text; CR LF in the report
constexpr char kUnknownAircraftHead[] = "Aircraft ";
constexpr char kUnknownAircraftTail[] =
    " of the flight plans is not in Aircraft.txt, therefore all flights it performed will not be "
    "included into the new AI traffic\r\n";
constexpr char kZeroModels[] = "WARNING:zero matching aircraft\r\n";
constexpr char kRetryGlobal[] = "No match by callsign found, retry to fit using GLOBAL\r\n";
constexpr char kUseGa[] = "GA a/c will be used for this flight\r\n";
constexpr char kNoAirplane[] =
    "Cannot find appropriate airplane (even using GA planes), this flight will not be included "
    "in new traffic\r\n\r\n";
constexpr char kSelected[] = " was selected for this flight.\r\n\r\n";

// The report is gathered here and handed to the file in large pieces.
constexpr size_t kReportChunk = 1 << 16;

// The report lines not yet handed to the file. A flight's lines are made
// of dozens of short pieces; appending here is a bounds check and a copy.
class ReportText {
 public:
  explicit ReportText(size_t capacity)
      : data_(std::make_unique<char[]>(capacity)), capacity_(capacity) {}

  ReportText& operator<<(std::string_view piece) {
    if (piece.empty()) return *this;  // the empty country's name has no bytes at all
    if (piece.size() > capacity_ - size_) Grow(piece.size());
    std::memcpy(data_.get() + size_, piece.data(), piece.size());
    size_ += piece.size();
    return *this;
  }
  ReportText& operator<<(char c) {
    if (size_ == capacity_) Grow(1);
    data_[size_++] = c;
    return *this;
  }
  // The number in decimal.
  ReportText& operator<<(size_t number) {
    char digits[20];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return *this << std::string_view(digits, static_cast<size_t>(end - digits));
  }

  std::string_view View() const { return {data_.get(), size_}; }
  size_t Size() const { return size_; }
  void Clear() { size_ = 0; }

 private:
  void Grow(size_t more) {
    const size_t capacity = std::max(2 * capacity_, size_ + more);
    std::unique_ptr<char[]> data = std::make_unique<char[]>(capacity);
    std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  size_t capacity_;
  size_t size_ = 0;
};

// The countries (of every airport, of air_nat.cfg, the empty one and
// GLOBAL) and the callsigns that some country lists, each numbered in byte
// order, so that sorting numbers sorts the texts.
class PlaceNumbers {
 public:
  explicit PlaceNumbers(const AirportStore& store) {
    const AirlineCountryMap& airlines = store.Airlines();
    std::unordered_set<std::string_view> countries = {std::string_view(), kGlobal};
    for (const auto& [icao, airport] : store.Index()) countries.insert(airport.country);
    for (const auto& [country, callsigns] : airlines.Countries()) countries.insert(country);
    countryNames_.assign(countries.begin(), countries.end());
    std::sort(countryNames_.begin(), countryNames_.end());
    for (size_t i = 0; i < countryNames_.size(); ++i) {
      countryNumbers_.emplace(countryNames_[i], static_cast<int>(i));
    }
    global_ = Country(kGlobal);

    std::vector<std::string_view> all;
    for (const auto& [country, callsigns] : airlines.Countries()) {
      all.insert(all.end(), callsigns.begin(), callsigns.end());
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    callsignNames_ = std::move(all);
    callsignNumbers_.reserve(callsignNames_.size());
    for (size_t i = 0; i < callsignNames_.size(); ++i) {
      callsignNumbers_.emplace(callsignNames_[i], static_cast<int>(i));
    }
    countryCallsigns_.resize(countryNames_.size());
    for (const auto& [country, callsigns] : airlines.Countries()) {
      std::vector<int>& list = countryCallsigns_[static_cast<size_t>(Country(country))];
      for (const std::string& callsign : callsigns) list.push_back(Callsign(callsign));
    }
  }

  int Country(std::string_view name) const { return countryNumbers_.find(name)->second; }
  int Global() const { return global_; }
  std::string_view CountryName(int number) const {
    return countryNames_[static_cast<size_t>(number)];
  }
  // The callsigns of a country (none when no line names it).
  const std::vector<int>& CallsignsOf(int country) const {
    return countryCallsigns_[static_cast<size_t>(country)];
  }

  int Callsign(std::string_view callsign) const {
    auto found = callsignNumbers_.find(callsign);
    return found == callsignNumbers_.end() ? kNoCallsign : found->second;
  }
  std::string_view CallsignName(int number) const {
    return callsignNames_[static_cast<size_t>(number)];
  }
  size_t CallsignCount() const { return callsignNames_.size(); }

 private:
  std::vector<std::string_view> countryNames_;
  std::unordered_map<std::string_view, int> countryNumbers_;
  int global_ = 0;
  std::vector<std::string_view> callsignNames_;
  std::unordered_map<std::string_view, int> callsignNumbers_;
  std::vector<std::vector<int>> countryCallsigns_;
};

// A text of one to seven bytes as one number, in the same order as the
// texts: the bytes from the top, the length in the lowest byte. 0 for
// other texts.
std::uint64_t ShortKey(const std::string& text) {
  if (text.empty() || text.size() > 7) return 0;
  std::uint64_t key = 0;
  for (unsigned char c : text) key = (key << 8) | c;
  return (key << (8 * (8 - text.size()))) | text.size();
}

// Numbers by short key in one array: airport codes and aircraft ids are
// short, and a look-up here touches one place in memory.
class ShortKeyTable {
 public:
  ShortKeyTable() : keys_(64, 0), values_(64, 0) {}

  // The value stored under the key, or nullptr.
  const int* Find(std::uint64_t key) const {
    for (size_t i = Slot(key);; i = (i + 1) & (keys_.size() - 1)) {
      if (keys_[i] == key) return &values_[i];
      if (keys_[i] == 0) return nullptr;
    }
  }
  void Insert(std::uint64_t key, int value) {
    if (2 * (count_ + 1) > keys_.size()) Grow();
    size_t i = Slot(key);
    while (keys_[i] != 0 && keys_[i] != key) i = (i + 1) & (keys_.size() - 1);
    if (keys_[i] == 0) ++count_;
    keys_[i] = key;
    values_[i] = value;
  }

 private:
  size_t Slot(std::uint64_t key) const {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (keys_.size() - 1);
  }
  void Grow() {
    std::vector<std::uint64_t> keys(keys_.size() * 2, 0);
    std::vector<int> values(values_.size() * 2, 0);
    keys.swap(keys_);
    values.swap(values_);
    count_ = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] != 0) Insert(keys[i], values[i]);
    }
  }

  std::vector<std::uint64_t> keys_;
  std::vector<int> values_;
  size_t count_ = 0;
};

// An airport code of a flight, with its short key when it has one.
struct AirportCode {
  std::uint64_t key;
  const std::string* text;

  bool operator<(const AirportCode& other) const {
    return key != 0 && other.key != 0 ? key < other.key : *text < *other.text;
  }
  bool operator==(const AirportCode& other) const {
    return key != 0 && other.key != 0 ? key == other.key : *text == *other.text;
  }
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
  // byCallsign[first[c] .. first[c + 1]) are those of callsign number c.
  std::vector<int> first;
  std::vector<int> byCallsign;
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
  std::vector<AirportCode> airports;   // sorted, distinct
  std::vector<int> countries;          // country numbers, sorted, distinct
  std::vector<int> callsigns;          // distinct; sorted before they are shown
  size_t searched = 0;                 // callsigns whose candidates have been collected
  std::vector<unsigned> callsignMark;  // == mark: in `callsigns`
  unsigned mark = 0;
  std::vector<int> candidates;  // indexes into the category's candidates

  int global = 0;  // the number of GLOBAL

  bool HasGlobal() const { return std::binary_search(countries.begin(), countries.end(), global); }
  void AddCountry(int country) {
    auto at = std::lower_bound(countries.begin(), countries.end(), country);
    if (at == countries.end() || *at != country) countries.insert(at, country);
  }
  void ClearCallsigns() {
    callsigns.clear();
    searched = 0;
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
void AppendJoined(ReportText& out, const Items& items, Text text, char separator, bool afterEach) {
  bool first = true;
  for (const auto& item : items) {
    if (!first && !afterEach) out << separator;
    first = false;
    out << text(item);
    if (afterEach) out << separator;
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
        places_(input.airports) {
    sets_.callsignMark.assign(places_.CallsignCount(), 0);
    sets_.mark = 1;
    sets_.global = places_.Global();
  }

  RedistributionResult Run() {
    result_.newPlanLines.reserve(input_.flightPlans.size());
    for (const FlightPlan& plan : input_.flightPlans) {
      ++processed_;
      ++result_.tally.plans;
      if (Redistribute(plan)) ShowProgress();
    }
    for (size_t title = 0; title < titleCounts_.size(); ++title) {
      if (titleCounts_[title] > 0)
        result_.flightCounts.emplace(titles_[title], titleCounts_[title]);
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
        text_ << kUnknownAircraftHead;
        text_ << plan.aircraftId;
        text_ << kUnknownAircraftTail;
      }
      return false;
    }
    if (facts.category.empty()) {
      ++result_.tally.noCategory;
      if (warnedTitles_.insert(facts.aircraft->title).second) {
        std::string line = Format(kNoCategory, facts.aircraft->title);
        text_ << std::string_view(line).substr(0, line.size() - 1) << "\r\n";
        events_.TitleWithoutCategory(line);
      }
      return false;
    }
    Search(plan, facts);
    return true;
  }

  void Search(const FlightPlan& plan, const TrafficAircraftFacts& facts) {
    const CategoryCandidates& models = *facts.models;
    if (models.modelCount == 0) text_ << kZeroModels;
    sets_.airports.clear();
    sets_.countries.clear();
    sets_.ClearCallsigns();
    sets_.candidates.clear();
    bool gaFallback = false;

    for (;;) {
      const bool firstAttempt = sets_.airports.empty();
      if (firstAttempt) CollectAirports(plan);
      for (const AirportCode& code : sets_.airports) sets_.AddCountry(CountryOf(code));
      while (sets_.callsigns.empty()) {
        AddCallsignsOfCountries();
        if (firstAttempt) WriteCallsignLine(facts);
        if (!sets_.callsigns.empty()) break;
        // GLOBAL itself lists nothing: asking again would never end, so the
        // flight goes on to the aircraft without airline.
        if (sets_.HasGlobal()) break;
        text_ << kRetryGlobal;
        sets_.countries.assign(1, places_.Global());
      }

      CollectCandidates(models, gaFallback);
      if (!sets_.candidates.empty()) {
        Choose(plan, facts, gaFallback);
        return;
      }
      if (!sets_.HasGlobal()) {
        // The callsigns so far gave no candidate: only GLOBAL's can.
        sets_.AddCountry(places_.Global());
        AddCallsignsOf(places_.Global());
        continue;
      }
      if (gaFallback) {
        text_ << kNoAirplane;
        WriteUnmatchedLine(facts);
        return;
      }
      text_ << kUseGa;
      gaFallback = true;
    }
  }

  // The candidates in collection order: models in list order, variations
  // by title; those of a valid airline, and with the fallback those
  // without airline. Callsigns searched by an earlier attempt of the flight
  // gave none and are not searched again.
  void CollectCandidates(const CategoryCandidates& models, bool gaFallback) {
    std::vector<int>& found = sets_.candidates;
    for (; sets_.searched < sets_.callsigns.size(); ++sets_.searched) {
      const auto at = static_cast<size_t>(sets_.callsigns[sets_.searched]);
      for (int i = models.first[at]; i < models.first[at + 1]; ++i) {
        found.push_back(models.byCallsign[static_cast<size_t>(i)]);
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
    for (const FlightLeg& leg : plan.legs) {
      sets_.airports.push_back({ShortKey(leg.airportId), &leg.airportId});
    }
    std::sort(sets_.airports.begin(), sets_.airports.end());
    sets_.airports.erase(std::unique(sets_.airports.begin(), sets_.airports.end()),
                         sets_.airports.end());
  }

  // The number of the store's country of the airport; that of the empty
  // text for an airport it lacks.
  int CountryOf(const AirportCode& code) {
    if (code.key != 0) {
      if (const int* known = countryOfCode_.Find(code.key)) return *known;
    }
    const Airport* airport = input_.airports.FindAirport(*code.text);
    const int country = places_.Country(airport ? std::string_view(airport->country) : "");
    if (code.key != 0) countryOfCode_.Insert(code.key, country);
    return country;
  }

  void AddCallsignsOfCountries() {
    for (int country : sets_.countries) AddCallsignsOf(country);
  }
  void AddCallsignsOf(int country) {
    for (int callsign : places_.CallsignsOf(country)) {
      unsigned& mark = sets_.callsignMark[static_cast<size_t>(callsign)];
      if (mark != sets_.mark) {
        mark = sets_.mark;
        sets_.callsigns.push_back(callsign);
      }
    }
  }

  void WriteCallsignLine(const TrafficAircraftFacts& facts) {
    if (!std::is_sorted(sets_.callsigns.begin(), sets_.callsigns.end())) {
      std::sort(sets_.callsigns.begin(), sets_.callsigns.end());
    }
    text_ << "For fl. \"";
    WritePlaces(false);
    text_ << ")\" was used \"" << facts.aircraft->title << "\" (" << facts.models->modelCount
          << " a/c in the same cat. [" << facts.category << "]). Valid callsigns are ";
    AppendJoined(
        text_, sets_.callsigns, [this](int c) { return places_.CallsignName(c); }, ',', false);
    text_ << "\r\n";
  }

  void WriteUnmatchedLine(const TrafficAircraftFacts& facts) {
    ++result_.tally.leftOut;
    text_ << "Could not find a match for flight ";
    WritePlaces(true);
    text_ << ")[ for aircraft " << facts.aircraft->title << " (MG# was " << facts.models->modelCount
          << ")\r\n";
  }

  // The flight's airports, '(' and its countries, with commas between them
  // or after each.
  void WritePlaces(bool commaAfterEach) {
    AppendJoined(
        text_, sets_.airports, [](const AirportCode& code) { return std::string_view(*code.text); },
        ',', commaAfterEach);
    text_ << '(';
    AppendJoined(
        text_, sets_.countries, [this](int c) { return places_.CountryName(c); }, ',',
        commaAfterEach);
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
    text_ << titles_[static_cast<size_t>(title)];
    text_ << kSelected;
    ++titleCounts_[static_cast<size_t>(title)];

    std::string& id = newIds_[static_cast<size_t>(title)];
    if (id.empty()) {
      id = "AC#" + std::to_string(result_.newAircraft.size() + 1);
      result_.newAircraft.emplace(
          id, TrafficAircraft{facts.aircraft->cruiseSpeed, titles_[static_cast<size_t>(title)]});
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

  // The text "N% processed" changes exactly when N does.
  void ShowProgress() {
    const int percent = static_cast<int>(static_cast<double>(processed_) /
                                         static_cast<double>(input_.flightPlans.size()) * 100.0);
    if (percent == lastPercent_) {
      if (text_.Size() >= kReportChunk) WriteOut();
      return;
    }
    lastPercent_ = percent;
    WriteOut();
    report_.Flush();
    events_.Progress(std::to_string(percent) + "% processed");
  }

  void WriteOut() {
    report_.WriteBytes(text_.View());
    text_.Clear();
  }

  const TrafficAircraftFacts& FactsOf(const std::string& aircraftId) {
    const std::uint64_t key = ShortKey(aircraftId);
    if (key != 0) {
      if (const int* known = shortFacts_.Find(key)) return *factsList_[static_cast<size_t>(*known)];
    }
    TrafficAircraftFacts& facts = LookUpFacts(aircraftId);
    if (key != 0) {
      shortFacts_.Insert(key, static_cast<int>(factsList_.size()));
      factsList_.push_back(&facts);
    }
    return facts;
  }

  TrafficAircraftFacts& LookUpFacts(const std::string& aircraftId) {
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
        const Candidate candidate{TitleNumber(title), places_.Callsign(variation.atcAirline),
                                  variation.atcAirline.empty()};
        models.candidates.push_back(candidate);
        if (candidate.noAirline) models.noAirline.push_back(index);
      }
    }
    // Counted, then placed: the indexes of each callsign stay ascending.
    models.first.assign(places_.CallsignCount() + 1, 0);
    for (const Candidate& candidate : models.candidates) {
      if (candidate.callsign != kNoCallsign)
        ++models.first[static_cast<size_t>(candidate.callsign) + 1];
    }
    for (size_t c = 1; c < models.first.size(); ++c) models.first[c] += models.first[c - 1];
    models.byCallsign.resize(static_cast<size_t>(models.first.back()));
    std::vector<int> next(models.first.begin(), models.first.end() - 1);
    for (size_t i = 0; i < models.candidates.size(); ++i) {
      const int callsign = models.candidates[i].callsign;
      if (callsign != kNoCallsign) {
        models.byCallsign[static_cast<size_t>(next[static_cast<size_t>(callsign)]++)] =
            static_cast<int>(i);
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
  const PlaceNumbers places_;

  RedistributionResult result_;
  ReportText text_{2 * kReportChunk};
  int lastPercent_ = -1;  // no progress text shown yet
  size_t processed_ = 0;
  std::unordered_map<std::string, TrafficAircraftFacts> facts_;  // by traffic aircraft id
  ShortKeyTable shortFacts_;  // index into factsList_ by short id
  std::vector<TrafficAircraftFacts*> factsList_;
  ShortKeyTable countryOfCode_;  // country number by short airport code
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
