// trafficdecompiler: FS2002's installed traffic into Aircraft.txt,
// FlightPlans.txt and Airports.txt in the current folder.
#include "tools/traffic_tools.h"

int main(int argc, char** argv) {
  return fm::TrafficToolMain("trafficdecompiler", argc, argv, &fm::DecompileTraffic);
}
