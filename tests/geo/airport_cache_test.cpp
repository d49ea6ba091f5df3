// The airport store and sccache.txt: what the store keeps, the file's
// bytes, the round trip and a damaged head. Damaged records are the fuzz
// target's and the fault table's.
#include <gtest/gtest.h>

#include "geo/airport_cache.h"
#include "platform/file_system.h"
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

  std::string name = "?", city, state, country, region;
  EXPECT_FALSE(store.FindAirport("lfpo", name, city, state, country, region));
  EXPECT_EQ(name, "?") << "outputs untouched when not found";
  store.ClearPlaces();
  EXPECT_FALSE(store.HasRegions());
  ASSERT_TRUE(store.FindAirport("LFXX", name, city, state, country, region));
  ASSERT_TRUE(store.FindAirport("LFPO", name, city, state, country, region));
  EXPECT_EQ(std::vector<std::string>({name, city, state, country, region}),
            std::vector<std::string>({"Orly", "Paris", "Default", "France", "Europe"}));
}

class AirportCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fixture.IsReady()); }
  std::string Path() const { return fixture.WorkPath("sccache.txt"); }
  CacheLoad Load(const std::string& bytes) {
    fixture.WorkFileBytes("sccache.txt", bytes);
    return LoadCache(store, Path(), status);
  }
  testing::FixtureInstallation fixture;
  AirportStore store;
  NoStatus status;
};

TEST_F(AirportCacheTest, SavesTheTreeDepthFirstAndLoadsItBack) {
  using Airport = std::vector<const char*>;
  const struct {
    std::vector<Airport> airports;
    const char* bytes;
  } cases[] = {
      {{{"North America", "United States", "California", "Los Angeles", "Los Angeles Intl", "KLAX"},
        {"Europe", "United Kingdom", "", "London", "London City Airport", "EGLC"},
        {"Europe", "United Kingdom", "", "London", "Heathrow", "EGLL"}},
       "00000011\r\n 0.70\r\n1Europe\r\n2United Kingdom\r\n3Default\r\n4London\r\n"
       "5EGLL Heathrow\r\n5EGLC London City Airport\r\n1North America\r\n2United States\r\n"
       "3California\r\n4Los Angeles\r\n5KLAX Los Angeles Intl\r\n"},
      // Empty names are bare kind digits.
      {{{"", "", "", "", "", ""}, {"R", "C", "S", "", "No city", "NOCY"}},
       "00000010\r\n 0.70\r\n1\r\n2\r\n3Default\r\n4\r\n5 \r\n1R\r\n2C\r\n3S\r\n4\r\n"
       "5NOCY No city\r\n"},
  };
  for (const auto& c : cases) {
    AirportStore saved;
    for (const Airport& a : c.airports) saved.AddAirport(a[0], a[1], a[2], a[3], a[4], a[5]);
    ASSERT_TRUE(SaveCache(saved, Path()));
    EXPECT_EQ(fixture.ReadWorkFile("sccache.txt"), c.bytes);
    ASSERT_EQ(LoadCache(store, Path(), status), CacheLoad::Loaded);
    EXPECT_EQ(store.Places(), saved.Places());
    EXPECT_EQ(CountsOf(store), CountsOf(saved));
  }
}

TEST_F(AirportCacheTest, HeaderFailuresAndWhatTheyLeave) {
  struct Case {
    const char* bytes;
    CacheLoad expected;
  } cases[] = {
      {"00000001\r\n", CacheLoad::Invalid},
      {"00000001\r\n0.70\r\n1R\r\n", CacheLoad::OldVersion},
      {"00000000\r\n 0.70\r\n", CacheLoad::Loaded},
      {"garbage\n 0.70\n1R\n2C\n3S\n4T\n5ABCD The Name\n", CacheLoad::Loaded},
  };
  for (const Case& c : cases) {
    store.AddAirport("Old", "", "", "", "", "OLD");
    EXPECT_EQ(Load(c.bytes), c.expected) << c.bytes;
    EXPECT_EQ(store.Places().count("Old"), 0u) << "emptied once the file opened";
  }
  EXPECT_EQ(store.Places().at("R").at("C").at("S").at("T").at("The Name"), "ABCD");

  store.AddAirport("Old", "", "", "", "", "OLD");
  RemoveFile(Path());
  EXPECT_EQ(LoadCache(store, Path(), status), CacheLoad::Invalid);
  EXPECT_TRUE(store.HasRegions()) << "untouched when the file did not open";
}

}  // namespace
}  // namespace fm
