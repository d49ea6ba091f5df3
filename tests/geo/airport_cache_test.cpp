// The airport store and sccache.txt: what the store keeps, the file's
// bytes, the round trip and an old version. Damaged records are the fuzz
// target's and the fault table's.
#include <gtest/gtest.h>

#include "geo/airport_cache.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

std::vector<int> CountsOf(const AirportStore& store) {
  const PlaceCounts c = store.CountPlaces();
  return {c.regions, c.countries, c.states, c.cities, c.airports};
}

TEST(AirportStoreTest, FirstInsertionWinsAndTheIndexOutlivesTheTree) {
  AirportStore store;
  store.AddAirport("Europe", "France", "", "Paris", "Orly", "LFPO");
  store.AddAirport("Europe", "France", "", "Paris", "Orly", "LFXX");    // same name in the city
  store.AddAirport("Asia", "France", "Ile", "Paris", "Other", "LFPO");  // same identifier
  EXPECT_EQ(store.Places().at("Europe").at("France").at("Default").at("Paris").at("Orly"), "LFPO");
  EXPECT_EQ(CountsOf(store), (std::vector<int>{2, 2, 2, 2, 2}));

  std::string name, city, state, country, region;
  EXPECT_FALSE(store.FindAirport("lfpo", name, city, state, country, region));
  store.ClearPlaces();
  ASSERT_TRUE(store.FindAirport("LFXX", name, city, state, country, region));
  ASSERT_TRUE(store.FindAirport("LFPO", name, city, state, country, region));
  EXPECT_EQ(std::vector<std::string>({name, city, state, country, region}),
            std::vector<std::string>({"Orly", "Paris", "Default", "France", "Europe"}));
}

// Regions, countries, states, cities and airports in byte order, each
// under its parent; empty names are bare kind digits.
TEST(AirportCacheTest, SavesTheTreeDepthFirstAndLoadsItBack) {
  testing::FixtureInstallation fixture;
  const std::string path = fixture.WorkPath("sccache.txt");
  AirportStore saved, loaded;
  saved.AddAirport("North America", "United States", "California", "Los Angeles",
                   "Los Angeles Intl", "KLAX");
  saved.AddAirport("Europe", "United Kingdom", "", "London", "London City Airport", "EGLC");
  saved.AddAirport("Europe", "United Kingdom", "", "London", "Heathrow", "EGLL");
  saved.AddAirport("", "", "", "", "", "");
  saved.AddAirport("R", "C", "S", "", "No city", "NOCY");
  ASSERT_TRUE(SaveCache(saved, path));
  EXPECT_EQ(fixture.ReadWorkFile("sccache.txt"),
            "00000021\r\n 0.70\r\n1\r\n2\r\n3Default\r\n4\r\n5 \r\n"
            "1Europe\r\n2United Kingdom\r\n3Default\r\n4London\r\n"
            "5EGLL Heathrow\r\n5EGLC London City Airport\r\n1North America\r\n2United States\r\n"
            "3California\r\n4Los Angeles\r\n5KLAX Los Angeles Intl\r\n"
            "1R\r\n2C\r\n3S\r\n4\r\n5NOCY No city\r\n");
  NoStatus status;
  ASSERT_EQ(LoadCache(loaded, path, status), CacheLoad::Loaded);
  EXPECT_EQ(loaded.Places(), saved.Places());
  EXPECT_EQ(CountsOf(loaded), CountsOf(saved));
}

// A cache of another version is refused, but only once the file opened:
// the store is emptied then, and kept when there is no file.
TEST(AirportCacheTest, AnOldVersionEmptiesTheStoreAndNoFileKeepsIt) {
  testing::FixtureInstallation fixture;
  const std::string path = fixture.WorkPath("sccache.txt");
  AirportStore store;
  NoStatus status;
  store.AddAirport("Old", "", "", "", "", "OLD");
  EXPECT_EQ(LoadCache(store, path, status), CacheLoad::Invalid);
  EXPECT_TRUE(store.HasRegions());
  fixture.WorkFileBytes("sccache.txt", "00000001\r\n0.70\r\n1R\r\n");
  EXPECT_EQ(LoadCache(store, path, status), CacheLoad::OldVersion);
  EXPECT_FALSE(store.HasRegions());
}

}  // namespace
}  // namespace fm
