// The airports with their places, and the airlines of every country.
#pragma once

#include <map>
#include <set>
#include <string>

namespace fm {

struct Airport {
  std::string icao;
  std::string name;
  std::string city;
  std::string state;
  std::string country;
  std::string region;
};

// The callsigns registered for each country (air_nat.cfg).
class AirlineCountryMap {
 public:
  bool Empty() const { return countries_.empty(); }

 private:
  std::map<std::string, std::set<std::string>> countries_;
};

class AirportStore {
 public:
  // The place tree holds at least one region once airports are added.
  bool HasRegions() const { return !airports_.empty(); }
  void ClearPlaces() { airports_.clear(); }
  void AddAirport(const Airport& airport) { airports_.emplace(airport.icao, airport); }
  const Airport* FindAirport(const std::string& icao) const {
    auto it = airports_.find(icao);
    return it == airports_.end() ? nullptr : &it->second;
  }
  AirlineCountryMap& Airlines() { return airlines_; }

 private:
  std::map<std::string, Airport> airports_;
  AirlineCountryMap airlines_;
};

}  // namespace fm
