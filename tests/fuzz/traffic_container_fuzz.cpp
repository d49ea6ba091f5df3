// The traffic tools' container: a file that decodes is one that encoding
// its three texts gives back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/traffic_container.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fm::TrafficFileLayout layout;
  const fm::TrafficFileProblem head =
      fm::ReadTrafficHead(bytes.substr(0, fm::kTrafficHeaderSize), layout);
  fm::TrafficTexts texts;
  const fm::TrafficFileProblem whole = fm::DecodeTrafficFile(bytes, texts);
  if (whole == fm::TrafficFileProblem::kNone) {
    if (head != fm::TrafficFileProblem::kNone || layout.FileSize() != size) std::abort();
    if (fm::EncodeTrafficFile(texts) != bytes) std::abort();
  }
  return 0;
}
