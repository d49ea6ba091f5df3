// The generated aircraft installation: each folder an aircraft type of the
// open type list, painted four times in liveries of airlines of the open
// airline list, with the flight-model sections a real aircraft.cfg carries
// between and after its [fltsim.N] sections.
#include "bench/aircraft_installation_generator.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"

namespace fm::bench {
namespace {

struct AircraftType {
  std::string icao, manufacturer, model, category;
};

// A CSV line split at commas outside double quotes, quotes removed.
std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

std::string CategoryOf(const std::string& engineType, const std::string& wake,
                       const std::string& species) {
  if (species == "H") return "Helicopter";
  if (engineType == "J")
    return wake == "H" ? "Jet Heavy" : wake == "M" ? "Jet Medium" : "Jet Light";
  if (engineType == "T") return wake == "L" ? "Turboprop Light" : "Turboprop";
  return "Piston";
}

// Up to 400 active types with a manufacturer, in file order.
std::vector<AircraftType> LoadTypes() {
  std::ifstream in(BENCH_AIRCRAFT_TYPES_CSV);
  std::vector<AircraftType> types;
  std::set<std::string> seen;
  std::string line;
  std::getline(in, line);  // the heading
  while (std::getline(in, line) && types.size() < 400) {
    const auto f = SplitCsv(line);
    if (f.size() < 9 || f[0].empty() || f[0][0] == '-' || f[1].empty() || f[8] != "1") continue;
    if (!seen.insert(f[0]).second) continue;
    types.push_back({f[0], f[1], f[2], CategoryOf(f[4], f[7], f[6])});
  }
  if (types.empty()) types.push_back({"B738", "Boeing", "737-800", "Jet Medium"});
  return types;
}

// Callsigns of the airline list (field 6), without repeats.
std::vector<std::string> LoadCallsigns() {
  std::ifstream in(BENCH_AIRLINES_DAT);
  std::vector<std::string> callsigns;
  std::set<std::string> seen;
  std::string line;
  while (std::getline(in, line)) {
    const auto f = SplitCsv(line);
    if (f.size() < 6 || f[5].empty() || f[5] == "\\N") continue;
    if (seen.insert(f[5]).second) callsigns.push_back(f[5]);
  }
  if (callsigns.empty()) callsigns.push_back("SPEEDBIRD");
  return callsigns;
}

// The sections of the flight model, in the order aircraft.cfg files carry
// them, each with its number of key lines.
constexpr std::pair<const char*, int> kModelSections[] = {
    {"WEIGHT_AND_BALANCE", 12},
    {"flight_tuning", 8},
    {"GeneralEngineData", 6},
    {"jet_engine", 2},
    {"TurbineEngineData", 9},
    {"contact_points", 12},
    {"lights", 10},
    {"flaps.0", 9},
    {"views", 3},
    {"airplane_geometry", 20},
    {"Reference Speeds", 6},
    {"autopilot", 14},
    {"electrical", 14},
    {"fuel", 12},
    {"brakes", 3},
    {"exits", 3},
    {"keyboard_response", 4},
    {"radios", 8},
    {"direction_indicators", 2},
    {"pitot_static", 2},
};

std::string CfgText(int index, const AircraftType& type, const std::vector<std::string>& airlines) {
  std::ostringstream cfg;
  cfg << "// ===========================================================\r\n"
      << "// " << type.manufacturer << " " << type.model << " for FS2002, package " << index
      << "\r\n// ===========================================================\r\n\r\n";
  for (int v = 0; v < 4; ++v) {
    const std::string& airline = airlines[(index * 4 + v) * 7919 % airlines.size()];
    cfg << "[fltsim." << v << "]\r\n"
        << "title=" << type.manufacturer << " " << type.model << " " << airline << " " << index
        << "\r\nsim=" << type.icao << "\r\nmodel=\r\npanel=\r\nsound=\r\ntexture=" << v
        << "\r\nkb_checklists=" << type.icao << "_check\r\nkb_reference=" << type.icao
        << "_ref\r\natc_id=N" << index << v << "\r\natc_airline=" << airline
        << "\r\natc_flight_number=" << 100 + v << "\r\nui_manufacturer=" << type.manufacturer
        << "\r\nui_type=" << type.model << "\r\nui_variation=" << airline
        << "\r\ndescription=" << type.manufacturer << " " << type.model << " in the colours of "
        << airline << "\r\n\r\n";
  }
  cfg << "[General]\r\natc_type=" << type.manufacturer << "\r\natc_model=" << type.icao
      << "\r\neditable=1\r\nperformance=Cruise speed 450 kts\\nRange 3000 nm\r\n\r\n";
  for (const auto& [section, keys] : kModelSections) {
    cfg << "[" << section << "]\r\n";
    for (int k = 0; k < (keys + 1) / 2; ++k) {
      cfg << section[0] << "_key_" << k << "\t\t= " << (index + k) % 97 << ".25, 0.0, " << k * 3
          << "\t// tuned\r\n";
    }
    cfg << "\r\n";
  }
  return cfg.str();
}

// Every category's ATC models as plain lines, and its titles as one
// bracket line of quoted strings.
std::string ClassText(const std::vector<AircraftType>& types) {
  std::map<std::string, std::vector<const AircraftType*>> byCategory;
  for (const AircraftType& t : types) byCategory[t.category].push_back(&t);
  std::string text = "; categories of the generated installation\r\n";
  for (const auto& [category, members] : byCategory) {
    text += "[" + category + "]\r\n";
    std::string titles = "<";
    for (const AircraftType* t : members) {
      text += t->icao + "\r\n";
      titles += " \"" + t->manufacturer + " " + t->model + "\"";
    }
    text += titles + " >\r\n";
  }
  return text;
}

}  // namespace

bool GenerateAircraftInstallation(const std::string& base, int folders,
                                  GeneratedInstallation& out) {
  static const std::vector<AircraftType> types = LoadTypes();
  static const std::vector<std::string> airlines = LoadCallsigns();
  out = GeneratedInstallation();
  out.root = JoinPath(base, "FS2002");
  out.classFile = JoinPath(base, "air_class.cfg");
  out.folders = folders;
  const std::string aircraft = JoinPath(out.root, "AIRCRAFT");
  if (!MakeDirectories(aircraft) || !WriteFileBytes(out.classFile, ClassText(types))) return false;
  for (int i = 0; i < folders; ++i) {
    const AircraftType& type = types[static_cast<size_t>(i) * 31 % types.size()];
    char name[64];
    std::snprintf(name, sizeof name, "%s_%05d", type.icao.c_str(), i);
    const std::string folder = JoinPath(aircraft, name);
    const std::string text = CfgText(i, type, airlines);
    if (!MakeDirectory(folder) || !WriteFileBytes(JoinPath(folder, "aircraft.cfg"), text)) {
      return false;
    }
    out.cfgBytes += static_cast<long long>(text.size());
  }
  return true;
}

}  // namespace fm::bench
