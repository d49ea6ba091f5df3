// The flights-by-aircraft dialog over given generation results and an
// airport store: the first two airports of each plan line of the first
// traffic key with the title.
#include <gtest/gtest.h>

#include "aircraft/flights_dialog.h"
#include "resources/resource.h"
#include "tests/support/recording_sheet.h"

namespace fm::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(FlightsDialogTest, RowsForATitle) {
  WizardState state;
  state.airportStore.AddAirport("Europe", "United Kingdom", "England", "London", "London Heathrow",
                                "EGLL");
  state.airportStore.AddAirport("Europe", "France", "", "Paris", "Charles de Gaulle", "LFPG");
  state.airportStore.AddAirport("Europe", "Germany", "Hessen", "Frankfurt", "Frankfurt Main",
                                "EDDF");
  TrafficAircraftMap aircraft;
  aircraft["AC#1"] = {"250", "Boeing 737"};
  aircraft["AC#10"] = {"250", "Airbus A320"};
  aircraft["AC#2"] = {"250", "Boeing 737"};  // the same title under a later key
  const std::vector<std::string> planLines = {
      "AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG",
      "AC#10,N2,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0003,EDDF,09:00:00,10:00:00,050,F,0004,EGLL",
      "AC#2,N3,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0005,LFPG,09:00:00,10:00:00,050,F,0006,EGLL",
      "AC#1,N4,100%,WEEK,VFR,0/07:00:00,0/08:00:00,030,R,0007,XXXX",
      "AC#1,N5,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0008,LFPG,09:00:00,10:00:00,050,F,0009,"
      "EDDF,11:00:00,12:00:00,050,F,0010,EGLL",
  };
  const struct {
    const char* title;
    Rows rows;
  } cases[] = {
      {"Boeing 737",
       {{"London Heathrow, United Kingdom (EGLL)", "Charles de Gaulle, France (LFPG)"},
        {",  (XXXX)", ""},  // "%s, %s (%s)" with two empty texts
        {"Charles de Gaulle, France (LFPG)", "Frankfurt Main, Germany (EDDF)"}}},
      // AC#1 is not a prefix of AC#10.
      {"Airbus A320",
       {{"Frankfurt Main, Germany (EDDF)", "London Heathrow, United Kingdom (EGLL)"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    CFlightsByAcDlg dialog(state, c.title, planLines, aircraft);
    RecordingSheet sheet;
    Rows rows;
    sheet.onModal = [&](RecordingHost& host) {
      for (int row = 0; row < host.ListRowCount(IDC_FLIGHTS_LIST); ++row) {
        rows.push_back(
            {host.ListCell(IDC_FLIGHTS_LIST, row, 0), host.ListCell(IDC_FLIGHTS_LIST, row, 1)});
      }
      host.Press(IDC_OK_BUTTON);
    };
    EXPECT_EQ(sheet.RunModal(dialog), IDC_OK_BUTTON);
    EXPECT_EQ(rows, c.rows);
  }
}

}  // namespace
}  // namespace fm::testing
