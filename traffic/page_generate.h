// The generate page: runs the redistribution, shows how many flights each
// installed aircraft received, and saves and compiles the new traffic.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "traffic/redistribution.h"
#include "traffic/traffic_records.h"
#include "wizard/ai_property_page.h"

namespace fm {

class CPageGenerate : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnInitDialog() override;
  void OnSetActive() override;
  void OnButton(int id) override;
  void OnRowDoubleClicked(int id, int row) override;

  // "Generate": the redistribution over the wizard's imports.
  void GenerateTraffic();
  // Writes aircraft.txt and FlightPlans.txt of the last run into the
  // working folder; returns only when both were written (the process ends
  // with exit code 1 otherwise).
  void SaveNewTraffic();
  // Runs the traffic compiler on the two text files as they lie.
  void CompileTraffic();

  // Later runs draw Randomly from this seed instead of the tick count
  // (reproducible runs of the console program).
  void SetRandomSeed(std::uint32_t seed) { seed_ = seed; }

  // The results of the last generation run.
  std::vector<std::string> newPlanLines;
  TrafficAircraftMap newAircraft;           // by new aircraft id
  std::map<std::string, int> flightCounts;  // by installed title
  RedistributionTally tally;

 private:
  void SaveOnly();
  void SaveAndCompile();
  void OpenInNotepad(const char* fileName);

  std::optional<std::uint32_t> seed_;
};

}  // namespace fm
