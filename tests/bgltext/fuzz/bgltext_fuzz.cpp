// libFuzzer entry: a whole bgltext run in memory on the input bytes, in
// single-file and multi-file mode. Built by the bgltext_fuzzer target when
// clang is available.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bgltext/driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(data, data + size);
  bgltext::RunOptions options;
  options.inputPath = "fuzz.bgl";
  bgltext::RunOnBytes(file, options);
  options.multiFile = true;
  options.sequencedLabels = true;
  options.outputPath = "out";
  bgltext::RunOnBytes(file, options);
  return 0;
}
