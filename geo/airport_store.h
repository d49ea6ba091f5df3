// The airports with their places, and the airlines of every country.
// (The interface the other subsystems use; the cache file and the fast
// index come with the scenery import.)
#pragma once

#include <map>
#include <set>
#include <string>

namespace fm {

// One airport of the index; its ICAO identifier is the key.
struct Airport {
  std::string name;
  std::string city;
  std::string state;
  std::string country;
  std::string region;
};

// region -> country -> state -> city -> airport name -> ICAO identifier.
using CityAirports = std::map<std::string, std::string>;
using StateCities = std::map<std::string, CityAirports>;
using CountryStates = std::map<std::string, StateCities>;
using RegionCountries = std::map<std::string, CountryStates>;
using PlaceTree = std::map<std::string, RegionCountries>;

// The callsigns registered for each country (air_nat.cfg).
class AirlineCountryMap {
 public:
  bool Empty() const { return countries_.empty(); }
  void Clear() { countries_.clear(); }
  // The first line for a country wins.
  void Add(const std::string& country, std::set<std::string> callsigns) {
    countries_.emplace(country, std::move(callsigns));
  }
  // The callsigns of the country, or nullptr when no line names it.
  const std::set<std::string>* FindCountryAirlines(const std::string& country) const {
    auto it = countries_.find(country);
    return it == countries_.end() ? nullptr : &it->second;
  }

 private:
  std::map<std::string, std::set<std::string>> countries_;
};

// The five counts of CountPlaces, each summed over the whole place tree.
struct PlaceCounts {
  int regions = 0, countries = 0, states = 0, cities = 0, airports = 0;
};

class AirportStore {
 public:
  // An empty state is stored as "Default"; the first airport of a name in a
  // city and the first record of an ICAO identifier win.
  bool AddAirport(const std::string& region, const std::string& country, std::string state,
                  const std::string& city, const std::string& name, const std::string& icao) {
    if (state.empty()) state = "Default";
    places_[region][country][state][city].emplace(name, icao);
    index_.emplace(icao, Airport{name, city, state, country, region});
    return true;
  }
  // False when the identifier is unknown (the outputs are then untouched).
  bool FindAirport(const std::string& icao, std::string& name, std::string& city,
                   std::string& state, std::string& country, std::string& region) const {
    auto it = index_.find(icao);
    if (it == index_.end()) return false;
    name = it->second.name;
    city = it->second.city;
    state = it->second.state;
    country = it->second.country;
    region = it->second.region;
    return true;
  }
  // The place tree holds at least one region.
  bool HasRegions() const { return !places_.empty(); }
  const PlaceTree& Places() const { return places_; }
  // Empties the place tree; the ICAO index keeps every airport of the run.
  void ClearPlaces() { places_.clear(); }
  AirlineCountryMap& Airlines() { return airlines_; }
  const AirlineCountryMap& Airlines() const { return airlines_; }

 private:
  PlaceTree places_;
  std::map<std::string, Airport> index_;
  AirlineCountryMap airlines_;
};

}  // namespace fm
