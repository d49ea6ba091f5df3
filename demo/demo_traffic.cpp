// The demo's traffic: plans that fit each aircraft type, between real
// airports, with times from the distance and the cruise speed.
#include "demo/demo_traffic.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <random>

namespace fm::demo {
namespace {

enum class Kind {
  kNarrow,
  kWide,
  kRegional,
  kTurboprop,
  kBusiness,
  kSingle,
  kTwin,
  kHeli,
  kVintage
};

struct TrafficType {
  int cruiseKnots;
  const char* title;
  Kind kind;
  int weight;  // share of the plans
};

// Aircraft.txt, AC#1 first: the titles are those of the traffic package,
// not of the aircraft installed in the demo.
const std::vector<TrafficType>& Types() {
  static const std::vector<TrafficType> kTypes = {
      {430, "Boeing 737-400 Paint1", Kind::kNarrow, 70},
      {450, "Boeing 737-800 Paint1", Kind::kNarrow, 90},
      {450, "Airbus A320 Paint1", Kind::kNarrow, 90},
      {450, "Airbus A319 Paint2", Kind::kNarrow, 60},
      {460, "Boeing 757-200 Paint1", Kind::kNarrow, 40},
      {440, "MD-82 Paint1", Kind::kNarrow, 40},
      {490, "Boeing 747-400 Paint1", Kind::kWide, 25},
      {490, "Boeing 777-300 Paint1", Kind::kWide, 25},
      {470, "Boeing 767-300 Paint1", Kind::kWide, 20},
      {470, "Airbus A330-300 Paint1", Kind::kWide, 20},
      {480, "MD-11 Paint1", Kind::kWide, 10},
      {424, "Bombardier CRJ-200 Paint1", Kind::kRegional, 50},
      {420, "Embraer ERJ-145 Paint1", Kind::kRegional, 40},
      {410, "Avro RJ85 Paint1", Kind::kRegional, 30},
      {400, "Fokker 100 Paint1", Kind::kRegional, 30},
      {270, "Dash 8-100 Paint1", Kind::kTurboprop, 40},
      {275, "ATR 72-500 Paint1", Kind::kTurboprop, 40},
      {250, "Saab 340B Paint1", Kind::kTurboprop, 30},
      {280, "Beech 1900D Paint1", Kind::kTurboprop, 30},
      {175, "Cessna Caravan 208B Paint1", Kind::kTurboprop, 20},
      {450, "Learjet 45 Paint1", Kind::kBusiness, 25},
      {500, "Cessna Citation X Paint1", Kind::kBusiness, 15},
      {460, "Gulfstream IV Paint1", Kind::kBusiness, 15},
      {122, "Cessna Skyhawk 172SP Paint1", Kind::kSingle, 40},
      {190, "Mooney Bravo Paint1", Kind::kSingle, 20},
      {120, "Piper Cherokee Paint1", Kind::kSingle, 20},
      {200, "Beech Baron 58 Paint1", Kind::kTwin, 20},
      {190, "Piper Seneca V Paint1", Kind::kTwin, 15},
      {115, "Bell 206B JetRanger Paint1", Kind::kHeli, 15},
      {160, "Douglas DC-3 Paint1", Kind::kVintage, 10},
  };
  return kTypes;
}

bool IsAirliner(Kind k) { return k == Kind::kNarrow || k == Kind::kWide; }
bool IsLight(Kind k) { return k == Kind::kSingle || k == Kind::kTwin || k == Kind::kHeli; }

// Nautical miles between two airports on a sphere.
double DistanceNm(const bglbench::AirportRow& a, const bglbench::AirportRow& b) {
  constexpr double kRad = 3.14159265358979323846 / 180.0;
  const double dLat = (b.lat - a.lat) * kRad, dLon = (b.lon - a.lon) * kRad;
  const double h =
      std::sin(dLat / 2) * std::sin(dLat / 2) +
      std::cos(a.lat * kRad) * std::cos(b.lat * kRad) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * 3440.065 * std::asin(std::sqrt(std::min(1.0, h)));
}

class Plans {
 public:
  Plans(const std::vector<DemoAirport>& airports, std::uint32_t seed)
      : airports_(airports), random_(seed) {}

  int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

  // One plan line for the aircraft type `id`.
  std::string Plan(int id, const TrafficType& type) {
    const int home = Home(type.kind);
    std::vector<int> stops;
    const int rounds = IsLight(type.kind) || type.kind == Kind::kWide || Below(3) != 0 ? 1 : 2;
    for (int r = 0; r < rounds; ++r) {
      stops.push_back(Destination(type.kind, home));
      stops.push_back(home);
    }
    const bool weekly = Below(10) == 0;
    char text[128];
    std::snprintf(text, sizeof text, "AC#%d,%s,100%%,%s,%s", id,
                  Registration(airports_[home].row.country).c_str(), weekly ? "WEEK" : "24Hr",
                  IsLight(type.kind) ? "VFR" : "IFR");
    std::string line = text;
    int minute = (weekly ? Below(7) * 1440 : 0) + (6 * 60 + Below(14 * 12) * 5);
    int from = home;
    for (int to : stops) {
      const double nm = DistanceNm(airports_[from].row, airports_[to].row);
      const int duration = (static_cast<int>(nm / type.cruiseKnots * 60) + 15 + 4) / 5 * 5;
      const int arrive = minute + duration;
      std::snprintf(text, sizeof text, ",%s,%s,%03d,%c,%04d,%s", Clock(minute, weekly).c_str(),
                    Clock(arrive, weekly).c_str(), Altitude(type.kind, nm, from, to),
                    IsLight(type.kind) ? 'R' : 'F', IsLight(type.kind) ? 0 : 1 + Below(9999),
                    airports_[to].row.icao.c_str());
      line += text;
      minute = arrive + (IsAirliner(type.kind) ? 45 : 30) + Below(4) * 15;
      from = to;
    }
    return line + "\r\n";
  }

 private:
  int Home(Kind kind) {
    if (IsAirliner(kind)) return Hub(-1);
    return Below(static_cast<int>(airports_.size()));
  }

  // A random hub, outside the region of airport `awayFrom` when given.
  int Hub(int awayFrom) {
    std::vector<int> hubs;
    for (size_t i = 0; i < airports_.size(); ++i) {
      if (airports_[i].hub &&
          (awayFrom < 0 || airports_[i].row.region != airports_[awayFrom].row.region)) {
        hubs.push_back(static_cast<int>(i));
      }
    }
    return hubs[static_cast<size_t>(Below(static_cast<int>(hubs.size())))];
  }

  int Destination(Kind kind, int home) {
    if (kind == Kind::kWide) return Hub(home);
    const bglbench::AirportRow& h = airports_[home].row;
    double range = 3000;
    switch (kind) {
      case Kind::kNarrow:
        range = 2500;
        break;
      case Kind::kRegional:
        range = 700;
        break;
      case Kind::kTurboprop:
        range = 350;
        break;
      case Kind::kBusiness:
        range = 1800;
        break;
      case Kind::kSingle:
        range = 150;
        break;
      case Kind::kTwin:
        range = 250;
        break;
      case Kind::kHeli:
        range = 80;
        break;
      case Kind::kVintage:
        range = 300;
        break;
      case Kind::kWide:
        break;
    }
    std::vector<int> fits;
    int nearest = -1;
    double nearestNm = 1e9;
    for (size_t i = 0; i < airports_.size(); ++i) {
      const DemoAirport& a = airports_[i];
      if (static_cast<int>(i) == home || a.row.region != h.region) continue;
      if (kind == Kind::kNarrow && !a.hub) continue;
      const double nm = DistanceNm(h, a.row);
      if (nm < nearestNm) {
        nearestNm = nm;
        nearest = static_cast<int>(i);
      }
      if (nm <= range && nm >= 15) fits.push_back(static_cast<int>(i));
    }
    if (fits.empty()) return nearest;
    return fits[static_cast<size_t>(Below(static_cast<int>(fits.size())))];
  }

  // Cruising levels by direction: eastbound odd thousands, westbound even
  // (plus 500 feet under visual rules).
  int Altitude(Kind kind, double nm, int from, int to) {
    const bool east = airports_[to].row.lon >= airports_[from].row.lon;
    if (IsLight(kind)) return (east ? 35 : 45) + 20 * Below(3);
    int top = kind == Kind::kTurboprop || kind == Kind::kVintage ? 24 : nm < 300 ? 28 : 39;
    int level = top - 2 * Below(4);
    if ((level % 2 == 1) != east) --level;
    return level * 10;
  }

  std::string Registration(const std::string& country) {
    static const std::map<std::string, std::string> kPrefixes = {
        {"Australia", "VH-"},   {"Canada", "C-F"},           {"France", "F-"},
        {"Germany", "D-"},      {"Ireland", "EI-"},          {"Italy", "I-"},
        {"Japan", "JA"},        {"Netherlands, The", "PH-"}, {"Spain", "EC-"},
        {"Switzerland", "HB-"}, {"United Kingdom", "G-"}};
    auto it = kPrefixes.find(country);
    std::string r;
    if (it == kPrefixes.end()) {  // United States: N, digits, two letters
      r = "N";
      r += std::to_string(100 + Below(900));
      for (int i = 0; i < 2; ++i) r += static_cast<char>('A' + Below(26));
      return r;
    }
    r = it->second;
    if (r == "JA") return r + std::to_string(1000 + Below(9000));
    const int letters = r.size() == 2 ? 4 : 3;
    for (int i = 0; i < letters; ++i) r += static_cast<char>('A' + Below(26));
    return r;
  }

  static std::string Clock(int minute, bool weekly) {
    char text[32];
    if (weekly) {
      const int m = minute % (7 * 1440);
      std::snprintf(text, sizeof text, "%d/%02d:%02d:00", m / 1440, m % 1440 / 60, m % 60);
    } else {
      const int m = minute % 1440;
      std::snprintf(text, sizeof text, "%02d:%02d:00", m / 60, m % 60);
    }
    return text;
  }

  const std::vector<DemoAirport>& airports_;
  std::mt19937 random_;
};

std::string Coordinate(double degrees, char positive, char negative) {
  const double a = std::fabs(degrees);
  const int whole = static_cast<int>(a);
  char text[32];
  std::snprintf(text, sizeof text, "%c%d* %05.2f'", degrees < 0 ? negative : positive, whole,
                (a - whole) * 60);
  return text;
}

}  // namespace

std::vector<std::string> DemoTrafficTitles() {
  std::vector<std::string> titles;
  for (const TrafficType& t : Types()) titles.push_back(t.title);
  return titles;
}

DemoTraffic MakeDemoTraffic(const std::vector<DemoAirport>& airports, int plans,
                            std::uint32_t seed) {
  DemoTraffic traffic;
  int totalWeight = 0;
  for (size_t i = 0; i < Types().size(); ++i) {
    const TrafficType& t = Types()[i];
    traffic.aircraft += "AC#" + std::to_string(i + 1) + "," + std::to_string(t.cruiseKnots) +
                        ",\"" + t.title + "\"\r\n";
    totalWeight += t.weight;
  }
  Plans maker(airports, seed);
  for (int p = 0; p < plans; ++p) {
    // A type drawn by its share of the plans.
    int pick = maker.Below(totalWeight);
    size_t type = 0;
    while (pick >= Types()[type].weight) pick -= Types()[type++].weight;
    traffic.flightPlans += maker.Plan(static_cast<int>(type + 1), Types()[type]);
  }
  traffic.plans = plans;

  std::map<std::string, const bglbench::AirportRow*> byIcao;
  for (const DemoAirport& a : airports) byIcao[a.row.icao] = &a.row;
  for (const auto& [icao, row] : byIcao) {
    traffic.airports += icao + "," + Coordinate(row->lat, 'N', 'S') + "," +
                        Coordinate(row->lon, 'E', 'W') + "," +
                        std::to_string(static_cast<long>(std::lround(row->altFeet))) + "\r\n";
  }
  return traffic;
}

}  // namespace fm::demo
