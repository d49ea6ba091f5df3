// trafficcompiler: Aircraft.txt, FlightPlans.txt and Airports.txt of the
// current folder into FS2002's installed traffic.
#include "tools/traffic_tools.h"

int main(int argc, char** argv) {
  return fm::TrafficToolMain("trafficcompiler", argc, argv, &fm::CompileTraffic);
}
