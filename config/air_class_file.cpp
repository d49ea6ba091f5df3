// The starter air_class.cfg, from the category table below and the ICAO
// type designators of the open aircraft-type list.
#include "config/air_class_file.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "config/open_data.h"

namespace fm::config {
namespace {

struct CategorySpec {
  const char* name;
  const char* comment;
  // Plain lines: matched, upper-cased, inside "ATC_TYPE ATC_MODEL".
  std::vector<std::string> models;
  // Quoted strings of the "<" line: matched, as written, inside titles.
  std::vector<std::string> titles;
};

// A family of types in aircraft-types.csv: rows of one of the manufacturers
// whose model starts with one of the prefixes. Their four-letter ICAO
// designators with a digit become model patterns of the category (shorter
// ones and words would hit other types' names); a designator claimed by an earlier family stays
// there.
struct Family {
  const char* category;
  std::vector<std::string> manufacturers;
  std::vector<std::string> modelPrefixes;
};

const std::vector<CategorySpec>& Categories() {
  static const std::vector<CategorySpec> kCategories = {
      {"Airliner Narrow-body",
       "Single-aisle jet airliners",
       {"707", "717", "727", "737", "757", "A318", "A319", "A320", "A321", "DC-9", "DC9", "MD-8",
        "MD8", "MD-90", "MD90", "TU-134", "TU-154", "YAK-42"},
       {"Boeing 707", "B707",   "707-",  "Boeing 717",  "B717", "717-",
        "Boeing 727", "B727",   "727-",  "Boeing 737",  "B737", "737-",
        "Boeing 757", "B757",   "757-",  "Airbus A318", "A318", "A319",
        "A320",       "A321",   "DC-9",  "DC9",         "MD-8", "MD8",
        "MD-90",      "Tu-134", "Tu-154"}},
      {"Airliner Wide-body",
       "Twin-aisle jet airliners",
       {"747", "767", "777", "787", "A300", "A310", "A330", "A340", "A350", "A380", "DC-10", "DC10",
        "MD-11", "MD11", "L-1011", "TRISTAR", "IL-86", "IL-96"},
       {"Boeing 747", "B747",    "747-",       "Boeing 767", "B767", "767-",        "Boeing 777",
        "B777",       "777-",    "Boeing 787", "B787",       "787-", "Airbus A300", "A300",
        "A310",       "A330",    "A340",       "A350",       "A380", "DC-10",       "MD-11",
        "L-1011",     "TriStar", "Il-86",      "Il-96"}},
      {"Business Jet",
       "Business jets",
       {"LEARJET", "CITATION", "GULFSTREAM", "CHALLENGER", "FALCON 50", "FALCON 900", "FALCON 2000",
        "FALCON 7X", "GLOBAL EXPRESS", "HAWKER", "BEECHJET", "PHENOM"},
       {"Learjet", "Citation", "Gulfstream", "Challenger", "Dassault Falcon", "Falcon 50",
        "Falcon 900", "Falcon 2000", "Falcon 7X", "Global Express", "Hawker", "Beechjet",
        "Phenom"}},
      {"Glider",
       "Gliders and sailplanes",
       {"GLIDER", "SAILPLANE", "SGS 2-32", "ASK 21", "ASK-21", "DISCUS", "VENTUS"},
       {"Glider", "Sailplane", "Schweizer 2-32", "SGS 2-32", "ASK 21", "ASK-21", "Discus",
        "Ventus"}},
      {"Helicopter",
       "Helicopters",
       {"HELICOPTER", "JETRANGER", "JET RANGER", "LONGRANGER", "BELL 206",
        "BELL 407",   "BELL 412",  "ROBINSON",   "R22",        "R44",
        "EC135",      "EC-135",    "AS350",      "AS-350",     "ECUREUIL",
        "EUROCOPTER", "SIKORSKY",  "S-76",       "BLACK HAWK", "AGUSTA"},
       {"Helicopter", "JetRanger", "Jet Ranger", "LongRanger", "Bell 206", "Bell 407", "Bell 412",
        "Robinson", "R22", "R44", "EC135", "EC-135", "AS350", "Ecureuil", "Eurocopter", "Sikorsky",
        "S-76", "Black Hawk", "Agusta"}},
      {"Light Single",
       "Single-engine piston aircraft",
       {"CESSNA 150", "CESSNA 152", "CESSNA 172", "CESSNA 182", "C150",    "C152",   "C172",
        "C182",       "C206",       "C210",       "SKYHAWK",    "SKYLANE", "MOONEY", "M20",
        "BONANZA",    "CHEROKEE",   "WARRIOR",    "ARCHER",     "PA-28",   "PA28",   "CIRRUS",
        "SR20",       "SR22",       "EXTRA",      "PIPER CUB",  "J-3",     "DA40"},
       {"Cessna 150", "Cessna 152", "Cessna 172", "Cessna 182", "Skyhawk", "Skylane", "C172",
        "Mooney", "Bonanza", "Cherokee", "Piper Warrior", "Piper Archer", "PA-28", "Cirrus",
        "Extra 300", "Piper Cub", "J-3 Cub", "DA40"}},
      {"Light Twin",
       "Twin-engine piston aircraft",
       {"BARON", "SENECA", "NAVAJO", "PA-31", "PA-34", "AZTEC", "C310", "C340", "DUCHESS",
        "SEMINOLE", "TWIN COMANCHE", "DA42"},
       {"Baron", "Seneca", "Navajo", "Aztec", "Cessna 310", "Cessna 340", "Duchess", "Seminole",
        "Twin Comanche", "DA42"}},
      {"Military",
       "Military aircraft",
       {"F-14",    "F-15",     "F-16",    "F-18",        "F/A-18",  "F-22",         "F-35",
        "PHANTOM", "MIRAGE",   "TORNADO", "EUROFIGHTER", "HARRIER", "MIG-",         "THUNDERBOLT",
        "C-130",   "HERCULES", "C-17",    "GLOBEMASTER", "KC-135",  "STRATOTANKER", "E-3 SENTRY",
        "AWACS",   "B-52",     "T-38",    "SPITFIRE",    "P-51"},
       {"F-14",    "F-15",     "F-16",     "F/A-18",      "F-18",    "F-22",         "F-35",
        "Phantom", "Mirage",   "Tornado",  "Eurofighter", "Harrier", "MiG-",         "Thunderbolt",
        "C-130",   "Hercules", "C-17",     "Globemaster", "KC-135",  "Stratotanker", "AWACS",
        "B-52",    "T-38",     "Spitfire", "P-51"}},
      {"Regional Jet",
       "Regional jets",
       {"CRJ", "ERJ", "EMB-135", "EMB-145", "E170", "E175", "E190", "E195", "AVRO RJ", "RJ70",
        "RJ85", "RJ100", "BAE 146", "BAE-146", "FOKKER 70", "FOKKER 100", "F70", "F100", "F28"},
       {"CRJ", "ERJ", "EMB-135", "EMB-145", "Embraer 1", "E170", "E175", "E190", "E195", "Avro RJ",
        "RJ70", "RJ85", "RJ100", "BAe 146", "BAe-146", "Fokker 70", "Fokker 100", "Fokker F28"}},
      {"Turboprop",
       "Turboprop airliners and utility aircraft",
       {"DASH 8", "DASH-8",     "DHC-8",     "DH8",        "Q400",       "DASH 7",    "DHC-7",
        "ATR",    "SAAB 340",   "SAAB 2000", "BEECH 1900", "1900D",      "JETSTREAM", "DORNIER 328",
        "DO 228", "TWIN OTTER", "DHC-6",     "CARAVAN",    "CESSNA 208", "C208",      "KING AIR",
        "PC-12",  "PC12",       "PILATUS",   "METRO",      "EMB-120",    "BRASILIA",  "FOKKER 50",
        "SHORTS", "CASA",       "TBM",       "CHEYENNE"},
       {"Dash 8",    "Dash-8",     "DHC-8",     "Q400",        "Dash 7",  "ATR",        "Saab 340",
        "Saab 2000", "Beech 1900", "Jetstream", "Dornier 328", "Do 228",  "Twin Otter", "DHC-6",
        "Caravan",   "King Air",   "PC-12",     "Pilatus",     "Metro",   "EMB-120",    "Brasilia",
        "Fokker 50", "Shorts",     "CASA",      "TBM",         "Cheyenne"}},
      {"Vintage",
       "Vintage and historic aircraft",
       {"DC-3", "DC3", "C-47", "DAKOTA", "SKYTRAIN", "TRIMOTOR", "TRI-MOTOR", "4-AT", "SOPWITH",
        "CAMEL", "WRIGHT FLYER", "CONSTELLATION", "JU 52", "JU-52"},
       {"DC-3", "Dakota", "Skytrain", "Trimotor", "Tri-Motor", "Sopwith", "Camel", "Wright Flyer",
        "Constellation", "Ju 52", "Ju-52"}},
  };
  return kCategories;
}

const std::vector<Family>& Families() {
  static const std::vector<Family> kFamilies = {
      {"Airliner Narrow-body",
       {"Boeing"},
       {"707-", "717-", "727-", "737-", "757-", "MD-8", "MD-90"}},
      {"Airliner Narrow-body", {"Airbus"}, {"A-318", "A-319", "A-320", "A-321"}},
      {"Airliner Narrow-body", {"Douglas", "McDonnell Douglas"}, {"DC-9", "MD-8", "MD-90"}},
      {"Airliner Wide-body", {"Boeing"}, {"747-", "767-", "777-", "787-", "MD-11"}},
      {"Airliner Wide-body", {"Airbus"}, {"A-300", "A-310", "A-330", "A-340", "A-350", "A-380"}},
      {"Airliner Wide-body", {"Douglas", "McDonnell Douglas"}, {"DC-10", "MD-11"}},
      {"Business Jet", {"Learjet", "Gates Learjet"}, {""}},
      {"Business Jet", {"Gulfstream Aerospace"}, {"Gulfstream", "G-"}},
      {"Business Jet", {"Dassault"}, {"Falcon"}},
      {"Helicopter", {"Bell"}, {"206", "407", "412"}},
      {"Helicopter", {"Robinson"}, {"R-"}},
      {"Light Single", {"Cessna"}, {"150", "152", "172", "182", "206", "210"}},
      {"Light Single", {"Mooney"}, {"M-20"}},
      {"Light Single", {"Cirrus"}, {"SR-"}},
      {"Light Twin", {"Beech"}, {"55", "58", "95", "76"}},
      {"Light Twin", {"Piper"}, {"PA-23", "PA-30", "PA-34", "PA-44"}},
      {"Regional Jet", {"Canadair", "Bombardier"}, {"CRJ", "CL-600 Regional"}},
      {"Regional Jet", {"Embraer"}, {"EMB-135", "EMB-145", "ERJ-", "170", "175", "190", "195"}},
      {"Regional Jet", {"Fokker"}, {"70", "100", "F-28"}},
      {"Regional Jet", {"British Aerospace", "Avro"}, {"BAe-146", "RJ"}},
      {"Turboprop", {"Bombardier", "De Havilland Canada"}, {"DHC-8", "DHC-6", "DHC-7"}},
      {"Turboprop", {"ATR"}, {"ATR"}},
      {"Turboprop", {"SAAB"}, {"340", "2000"}},
      {"Turboprop", {"Beech"}, {"1900", "90", "200", "300", "350"}},
      {"Turboprop", {"Cessna"}, {"208"}},
      {"Turboprop", {"Pilatus"}, {"PC-12"}},
  };
  return kFamilies;
}

bool StartsWithAny(const std::string& text, const std::vector<std::string>& prefixes) {
  return std::any_of(prefixes.begin(), prefixes.end(),
                     [&](const std::string& p) { return text.compare(0, p.size(), p) == 0; });
}

// Four characters with a digit among them: a designator such as B738,
// never a word that other types' names hold (STAR, EXPL).
bool IsDesignatorPattern(const std::string& d) {
  return d.size() == 4 &&
         std::any_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A model pattern comes back from air_class.cfg as written when it is not
// taken for a header, a title line, a comment or blank space.
bool WritableModelPattern(const std::string& p) {
  return !p.empty() && p.find(']') == std::string::npos && p.front() != '<' && p.front() != ';' &&
         p.front() != ' ' && p.back() != ' ';
}

// A title pattern fits between two double quotes of a "<" line.
bool WritableTitlePattern(const std::string& p) {
  return p.find('"') == std::string::npos && p.find('>') == std::string::npos;
}

const char* const kIntroduction[] = {
    "; air_class.cfg: the categories of interchangeable aircraft.",
    ";",
    "; Fleetmix gives every flight an installed aircraft of the same category as",
    "; the aircraft that flew it in the traffic. A category is a section that",
    "; begins with its name in square brackets, for example [Light Twin]. Two",
    "; sections of one name are one category.",
    ";",
    "; A plain line in a section is a model pattern. The ATC_TYPE and ATC_MODEL",
    "; of an installed aircraft's aircraft.cfg, joined by a blank, get the",
    "; category whose model pattern appears in them; letter case does not",
    "; count. The pattern 737 puts ATC_TYPE=Boeing with ATC_MODEL=B737-800 into",
    "; its category.",
    ";",
    "; A line that begins with < holds title patterns, each in double quotes,",
    "; up to a closing >: <\"Boeing 737\" \"B737\">. A traffic aircraft gets the",
    "; category one of whose title patterns appears in its title, with the",
    "; same letter case.",
    ";",
    "; A category needs both kinds of lines to be given flights: traffic",
    "; aircraft reach it by title, installed aircraft by model.",
    ";",
    "; The categories are searched in the order of their names (capitals",
    "; before small letters), the patterns of a category in their own order,",
    "; and the first match wins. An installed aircraft that matches nothing is",
    "; \"Unknown\" and is never given a flight.",
    ";",
    "; Lines that begin with ; are comments; blank lines are skipped. A pattern",
    "; line must not contain ], which would make it a section header, and //",
    "; is not a comment here. Edit the file with any text editor and import",
    "; the aircraft again.",
    ";",
    "; The four-letter ICAO type designators among the model patterns come",
    "; from the Virtual Radar Server standing data (CC0 1.0).",
};

}  // namespace

bool MakeAirClassCfg(std::string_view aircraftTypesCsv, std::string& out, std::string& problem) {
  // Category name -> designators of its families, in byte order.
  std::map<std::string, std::set<std::string>> designators;
  std::set<std::string> claimed;
  std::vector<int> familyHits(Families().size(), 0);
  const std::vector<std::string> lines = opendata::SplitLines(aircraftTypesCsv);
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = opendata::SplitCsvLine(lines[i]);
    if (f.size() < 3 || f[0].empty() || f[0][0] == '-') continue;
    for (size_t k = 0; k < Families().size(); ++k) {
      const Family& family = Families()[k];
      if (std::find(family.manufacturers.begin(), family.manufacturers.end(), f[1]) ==
              family.manufacturers.end() ||
          !StartsWithAny(f[2], family.modelPrefixes)) {
        continue;
      }
      ++familyHits[k];
      if (IsDesignatorPattern(f[0]) && claimed.insert(f[0]).second) {
        designators[family.category].insert(f[0]);
      }
      break;
    }
  }
  for (size_t k = 0; k < Families().size(); ++k) {
    if (familyHits[k] == 0) {
      problem = std::string("no type of ") + Families()[k].manufacturers.front() + " for " +
                Families()[k].category + " in the aircraft-type list";
      return false;
    }
  }

  std::map<std::string, const CategorySpec*> ordered;
  for (const CategorySpec& c : Categories()) ordered[c.name] = &c;
  out.clear();
  for (const char* line : kIntroduction) out.append(line).append("\r\n");
  for (const auto& [name, spec] : ordered) {
    out.append("\r\n; ").append(spec->comment).append("\r\n");
    out.append("[").append(name).append("]\r\n");
    std::vector<std::string> models = spec->models;
    models.insert(models.end(), designators[name].begin(), designators[name].end());
    std::set<std::string> written;
    for (const std::string& m : models) {
      if (!WritableModelPattern(m)) {
        problem = "model pattern \"" + m + "\" cannot be written";
        return false;
      }
      if (written.insert(m).second) out.append(m).append("\r\n");
    }
    out.append("<");
    for (const std::string& t : spec->titles) {
      if (!WritableTitlePattern(t)) {
        problem = "title pattern \"" + t + "\" cannot be written";
        return false;
      }
      if (&t != &spec->titles.front()) out.append(" ");
      out.append("\"").append(t).append("\"");
    }
    out.append(">\r\n");
  }
  return true;
}

}  // namespace fm::config
