#include "aircraft/flights_dialog.h"

#include "resources/resource.h"
#include "traffic/traffic_lines.h"

namespace fm {
namespace {

constexpr char kCaptionPrefix[] = "Flights performed by ";

}  // namespace

int CFlightsByAcDlg::DialogId() const { return IDD_FLIGHTS_BY_AIRCRAFT; }

void CFlightsByAcDlg::OnButton(int id) {
  if (id == IDC_OK_BUTTON || id == IDC_CANCEL_BUTTON) Host().EndDialog(id);
}

// "%s, %s (%s)" with the airport's name and country and the identifier; an
// airport the store does not know gives empty name and country.
std::string CFlightsByAcDlg::AirportText(const std::string& icao) const {
  std::string name, city, state, country, region;
  if (!state_.airportStore.FindAirport(icao, name, city, state, country, region)) {
    name.clear();
    country.clear();
  }
  return name + ", " + country + " (" + icao + ")";
}

void CFlightsByAcDlg::OnInitDialog() {
  PageHost& host = Host();
  host.ListSetStyle(IDC_FLIGHTS_LIST, false, true);
  const int width = host.ListClientWidth(IDC_FLIGHTS_LIST) / 2;
  host.ListAddColumn(IDC_FLIGHTS_LIST, "From", width);
  host.ListAddColumn(IDC_FLIGHTS_LIST, "To", width);
  host.SetCaption(kCaptionPrefix + title_);

  // The new aircraft id of the title: the first in key order.
  std::string aircraftId;
  for (const auto& [id, aircraft] : aircraft_) {
    if (aircraft.title == title_) {
      aircraftId = id;
      break;
    }
  }
  if (aircraftId.empty()) return;

  for (const std::string& line : planLines_) {
    if (line.compare(0, line.find(','), aircraftId) != 0) continue;
    const auto parsed = ParseFlightPlanLine(line);
    if (!parsed || parsed->plan.legs.empty()) continue;
    const auto& legs = parsed->plan.legs;
    std::vector<std::string> cells{AirportText(legs[0].airportId)};
    if (legs.size() > 1) cells.push_back(AirportText(legs[1].airportId));
    host.ListAppendRow(IDC_FLIGHTS_LIST, cells);
  }
}

}  // namespace fm
