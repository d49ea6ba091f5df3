// temp.sca, the airport directory text that the scenery import reads.
#include <cstdlib>
#include <string>

#include "geo/airport_store.h"
#include "geo/scenery_text.h"
#include "platform/file_text.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fm::TextLineReader reader;
  if (!reader.Open(fm::fuzz::WriteScratchFile("temp.sca", bytes))) std::abort();
  fm::AirportStore store;
  if (fm::ReadSceneryText(reader, store) != fm::SceneryTextRead::Done) std::abort();
  fm::LeadingInt(bytes);
  return 0;
}
