// sccache.txt: loaded, and a loaded place tree saved and loaded again
// gives the same tree.
#include <cstdlib>
#include <string>

#include "geo/airport_cache.h"
#include "geo/airport_store.h"
#include "platform/file_paths.h"
#include "services/status_sink.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fm::NoStatus status;
  fm::AirportStore store;
  if (fm::LoadCache(store, fm::fuzz::WriteScratchFile("sccache.txt", bytes), status) !=
      fm::CacheLoad::Loaded) {
    return 0;
  }
  // Saved and loaded again, the same tree.
  const std::string again = fm::JoinPath(fm::fuzz::ScratchFolder(), "again.txt");
  fm::AirportStore reloaded;
  if (!fm::SaveCache(store, again) ||
      fm::LoadCache(reloaded, again, status) != fm::CacheLoad::Loaded ||
      reloaded.Places() != store.Places()) {
    std::abort();
  }
  return 0;
}
