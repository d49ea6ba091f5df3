// The flights-by-aircraft dialog over given generation results and an
// airport store.
#include <gtest/gtest.h>

#include "aircraft/flights_dialog.h"
#include "resources/resource.h"
#include "tests/support/recording_sheet.h"

namespace fm {
namespace {

using testing::RecordingHost;
using testing::RecordingSheet;

struct Shown {
  std::string caption;
  std::vector<std::vector<std::string>> rows;
};

class FlightsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.airportStore.AddAirport("Europe", "United Kingdom", "England", "London",
                                  "London Heathrow", "EGLL");
    state.airportStore.AddAirport("Europe", "France", "", "Paris", "Charles de Gaulle", "LFPG");
    state.airportStore.AddAirport("Europe", "Germany", "Hessen", "Frankfurt", "Frankfurt Main",
                                  "EDDF");
    aircraft["AC#1"] = {"250", "Boeing 737"};
    aircraft["AC#10"] = {"250", "Airbus A320"};
    aircraft["AC#2"] = {"250", "Boeing 737"};  // the same title under a later key
  }

  Shown Open(const std::string& title) {
    CFlightsByAcDlg dialog(state, title, planLines, aircraft);
    RecordingSheet sheet;
    Shown shown;
    sheet.onModal = [&](RecordingHost& host) {
      shown.caption = host.Caption();
      EXPECT_EQ(host.ListColumns(IDC_FLIGHTS_LIST), (std::vector<std::string>{"From", "To"}));
      EXPECT_EQ(host.ListColumnWidths(IDC_FLIGHTS_LIST), (std::vector<int>{200, 200}));
      EXPECT_TRUE(host.ListHasFullRowSelect(IDC_FLIGHTS_LIST));
      for (int row = 0; row < host.ListRowCount(IDC_FLIGHTS_LIST); ++row) {
        shown.rows.push_back(
            {host.ListCell(IDC_FLIGHTS_LIST, row, 0), host.ListCell(IDC_FLIGHTS_LIST, row, 1)});
      }
      host.Press(IDC_OK_BUTTON);
      EXPECT_TRUE(host.Ended());
    };
    EXPECT_EQ(sheet.RunModal(dialog), IDC_OK_BUTTON);
    return shown;
  }

  WizardState state;
  std::vector<std::string> planLines = {
      "AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG",
      "AC#10,N2,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0003,EDDF,09:00:00,10:00:00,050,F,0004,EGLL",
      "AC#2,N3,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0005,LFPG,09:00:00,10:00:00,050,F,0006,EGLL",
      "AC#1,N4,100%,WEEK,VFR,0/07:00:00,0/08:00:00,030,R,0007,XXXX",
      "AC#1,N5,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0008,LFPG,09:00:00,10:00:00,050,F,0009,"
      "EDDF,11:00:00,12:00:00,050,F,0010,EGLL",
  };
  TrafficAircraftMap aircraft;
};

TEST_F(FlightsDialogTest, ListsTheFirstTwoAirportsOfEachLineOfTheFirstKeyWithTheTitle) {
  const Shown shown = Open("Boeing 737");
  EXPECT_EQ(shown.caption, "Flights performed by Boeing 737");
  const std::vector<std::vector<std::string>> rows = {
      {"London Heathrow, United Kingdom (EGLL)", "Charles de Gaulle, France (LFPG)"},
      {",  (XXXX)", ""},  // "%s, %s (%s)" with two empty texts
      {"Charles de Gaulle, France (LFPG)", "Frankfurt Main, Germany (EDDF)"},
  };
  EXPECT_EQ(shown.rows, rows);
}

TEST_F(FlightsDialogTest, AKeyIsNotThePrefixOfAnother) {
  const Shown shown = Open("Airbus A320");
  ASSERT_EQ(shown.rows.size(), 1u);
  EXPECT_EQ(shown.rows[0][0], "Frankfurt Main, Germany (EDDF)");
}

TEST_F(FlightsDialogTest, UnknownOrEmptyTitleGivesAnEmptyList) {
  for (const char* title : {"Cessna 172", ""}) {
    const Shown shown = Open(title);
    EXPECT_EQ(shown.caption, std::string("Flights performed by ") + title);
    EXPECT_TRUE(shown.rows.empty()) << title;
  }
  planLines.clear();
  EXPECT_TRUE(Open("Boeing 737").rows.empty());
}

}  // namespace
}  // namespace fm
