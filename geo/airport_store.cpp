// The airport store: the place tree, the ICAO index and their counts.
#include "geo/airport_store.h"

namespace fm {
namespace {

// The entry of `key`, made empty when missing, without copying the key
// when it is there.
template <typename Map>
typename Map::mapped_type& Branch(Map& map, const std::string& key) {
  auto it = map.lower_bound(key);
  if (it == map.end() || it->first != key)
    it = map.emplace_hint(it, key, typename Map::mapped_type{});
  return it->second;
}

}  // namespace

CityAirports& AirportStore::CityOf(const std::string& region, const std::string& country,
                                   const std::string& state, const std::string& city) {
  static const std::string defaultState = kDefaultState;
  return Branch(
      Branch(Branch(Branch(places_, region), country), state.empty() ? defaultState : state), city);
}

bool AirportStore::AddAirport(const std::string& region, const std::string& country,
                              const std::string& state, const std::string& city,
                              const std::string& name, const std::string& icao) {
  AddAirportToCity(CityOf(region, country, state, city), region, country, state, city, name, icao);
  return true;
}

void AirportStore::AddAirportToCity(CityAirports& city, const std::string& region,
                                    const std::string& country, const std::string& state,
                                    const std::string& cityName, const std::string& name,
                                    const std::string& icao) {
  city.emplace(name, icao);
  auto [it, inserted] = index_.try_emplace(icao);
  if (inserted) {
    it->second = Airport{name, cityName, state.empty() ? kDefaultState : state, country, region};
  }
}

bool AirportStore::FindAirport(const std::string& icao, std::string& name, std::string& city,
                               std::string& state, std::string& country,
                               std::string& region) const {
  const Airport* airport = FindAirport(icao);
  if (airport == nullptr) return false;
  name = airport->name;
  city = airport->city;
  state = airport->state;
  country = airport->country;
  region = airport->region;
  return true;
}

const Airport* AirportStore::FindAirport(const std::string& icao) const {
  auto it = index_.find(icao);
  return it == index_.end() ? nullptr : &it->second;
}

PlaceCounts AirportStore::CountPlaces() const {
  PlaceCounts counts;
  counts.regions = static_cast<int>(places_.size());
  for (const auto& [regionName, countries] : places_) {
    counts.countries += static_cast<int>(countries.size());
    for (const auto& [countryName, states] : countries) {
      counts.states += static_cast<int>(states.size());
      for (const auto& [stateName, cities] : states) {
        counts.cities += static_cast<int>(cities.size());
        for (const auto& [cityName, airports] : cities) {
          counts.airports += static_cast<int>(airports.size());
        }
      }
    }
  }
  return counts;
}

}  // namespace fm
