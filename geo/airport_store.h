// The airports with their places, and the airlines of every country: the
// place tree that the scenery page shows and the cache mirrors, the index by
// ICAO identifier that the flights' countries come from, and air_nat.cfg's
// map of callsigns.
#pragma once

#include <map>
#include <set>
#include <string>
#include <unordered_map>

namespace fm {

// One airport of the index; its ICAO identifier is the key.
struct Airport {
  std::string name;
  std::string city;
  std::string state;
  std::string country;
  std::string region;
};

// region -> country -> state -> city -> airport name -> ICAO identifier,
// every level ordered by the bytes of its names.
using CityAirports = std::map<std::string, std::string>;
using StateCities = std::map<std::string, CityAirports>;
using CountryStates = std::map<std::string, StateCities>;
using RegionCountries = std::map<std::string, CountryStates>;
using PlaceTree = std::map<std::string, RegionCountries>;

// ICAO identifier -> airport. Nothing shows its order, so it is hashed: the
// redistribution looks up every leg of every flight here.
using IcaoIndex = std::unordered_map<std::string, Airport>;

// The state under which an airport without a state is stored.
inline constexpr char kDefaultState[] = "Default";

// The callsigns registered for each country (air_nat.cfg).
class AirlineCountryMap {
 public:
  using Callsigns = std::set<std::string>;

  bool Empty() const { return countries_.empty(); }
  void Clear() { countries_.clear(); }
  // The first line for a country wins; sets are never merged.
  void Add(const std::string& country, Callsigns callsigns) {
    countries_.emplace(country, std::move(callsigns));
  }
  // The callsigns of the country, or nullptr when no line names it.
  const Callsigns* FindCountryAirlines(const std::string& country) const {
    auto it = countries_.find(country);
    return it == countries_.end() ? nullptr : &it->second;
  }
  const std::map<std::string, Callsigns>& Countries() const { return countries_; }

 private:
  std::map<std::string, Callsigns> countries_;
};

// The five counts of CountPlaces, each summed over the whole place tree: a
// country under two regions counts twice, every "Default" state counts.
struct PlaceCounts {
  int regions = 0, countries = 0, states = 0, cities = 0, airports = 0;
};

class AirportStore {
 public:
  // Stores the airport under its places, creating the branch on the way.
  // An empty state is stored as "Default"; the first airport of a name in a
  // city and the first record of an ICAO identifier win. Always true.
  bool AddAirport(const std::string& region, const std::string& country, const std::string& state,
                  const std::string& city, const std::string& name, const std::string& icao);
  // As AddAirport, into a city already found (the cache loader keeps the
  // city of its current lines).
  void AddAirportToCity(CityAirports& city, const std::string& region, const std::string& country,
                        const std::string& state, const std::string& cityName,
                        const std::string& name, const std::string& icao);
  // The city's airports, with its branch made when missing ("" state:
  // "Default").
  CityAirports& CityOf(const std::string& region, const std::string& country,
                       const std::string& state, const std::string& city);

  // False when the identifier is unknown (the outputs are then untouched);
  // else the five texts of its record.
  bool FindAirport(const std::string& icao, std::string& name, std::string& city,
                   std::string& state, std::string& country, std::string& region) const;
  // The record, or nullptr.
  const Airport* FindAirport(const std::string& icao) const;

  PlaceCounts CountPlaces() const;
  // The place tree holds at least one region.
  bool HasRegions() const { return !places_.empty(); }
  const PlaceTree& Places() const { return places_; }
  const IcaoIndex& Index() const { return index_; }
  // Empties the place tree; the ICAO index keeps every airport of the run.
  void ClearPlaces() { places_.clear(); }

  AirlineCountryMap& Airlines() { return airlines_; }
  const AirlineCountryMap& Airlines() const { return airlines_; }

 private:
  PlaceTree places_;
  IcaoIndex index_;
  AirlineCountryMap airlines_;
};

}  // namespace fm
