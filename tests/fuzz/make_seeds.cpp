// Writes the binary seeds of the fuzz corpora (BGL images, JM streams,
// traffic files, and the airport directory text bgltext makes of a BGL
// image) into <corpus folder>/<target>/. The text seeds are kept by hand.
//   fuzz_make_seeds tests/fuzz/corpus
#include <cstdio>
#include <string>
#include <vector>

#include "bgltext/driver.h"
#include "platform/file_paths.h"
#include "platform/file_text.h"
#include "tools/bglwriter/afd_world_generator.h"
#include "tools/bglwriter/bgl_builder.h"
#include "tools/traffic_container.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
    return 1;
  }
  int status = 0;
  auto save = [&](const char* target, const char* name, const auto& bytes) {
    const std::string path = fm::JoinPath(fm::JoinPath(argv[1], target), name);
    if (!fm::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      status = 1;
    }
  };
  const std::vector<bglbench::AirportRow> rows = {
      {"EGLL", "Heathrow", "London", "United Kingdom", 51.47, -0.46, 83, "Europe", ""},
      {"KSEA", "Seattle Tacoma", "Seattle", "United States", 47.45, -122.31, 433, "North America",
       "Washington"},
      {"LFPG", "Charles de Gaulle", "Paris", "France", 49.01, 2.55, 392, "", ""}};
  const std::vector<uint8_t> afd = bglbench::BuildAfdFile(rows, true);
  save("bgltext", "afd_three_airports.bgl", afd);

  // The same image compressed: header, compression header, JM stream.
  bgltest::BglBuilder compressed;
  compressed.Extended({}, 0x200);
  compressed.Body().Bytes(std::vector<uint8_t>(afd.begin() + 168, afd.end()));
  save("bgltext", "afd_compressed.bgl", compressed.BuildCompressed());

  // The decompressor's input: a header length byte, the header, the stream.
  std::vector<uint8_t> jm{4, 'B', 'G', 'L', '0'};
  const std::string text = std::string(300, 'A') + "BCBCBCBC" + std::string(40, 'z');
  const std::vector<uint8_t> stream = bgltest::JmCompress({text.begin(), text.end()});
  jm.insert(jm.end(), stream.begin(), stream.end());
  save("jm_decompress", "repeats.jm", jm);

  // What the scenery import reads: bgltext's text of the directory.
  bgltext::RunOptions options;
  options.inputPath = "afd.bgl";
  for (const auto& [path, text] : bgltext::RunOnBytes(afd, options).files) {
    save("scenery_text", "temp_three_airports.sca", text);
  }

  const std::string aircraft = "AC#1,300,\"Boeing 737-400\"\r\nAC#2,120,\"Cessna 172\"\r\n";
  const std::string plans =
      "AC#1,N1,10%,24Hr,IFR,00:00:00,01:00:00,350,F,1001,EGLL,"
      "02:00:00,03:00:00,350,F,1002,LFPG\r\n";
  save("traffic_container", "two_aircraft.dat",
       fm::EncodeTrafficFile({aircraft, plans, "EGLL\r\nLFPG\r\n"}));
  return status;
}
