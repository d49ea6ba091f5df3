// A whole bgltext run in memory on the input as a BGL image: single-file,
// then multi-file with sequenced labels, so every section decoder is
// reachable from one image.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bgltext/driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> file(data, data + size);
  bgltext::RunOptions options;
  options.inputPath = "fuzz.bgl";
  bgltext::RunOnBytes(file, options);
  options.multiFile = true;
  options.sequencedLabels = true;
  options.outputPath = "out";
  bgltext::RunOnBytes(file, options);
  return 0;
}
