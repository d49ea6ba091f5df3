// air_class.cfg: the input is the file; every line of it is then asked as
// an aircraft's type and model and as a traffic title.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "aircraft/aircraft_category.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fm::AircraftCategories categories;
  if (!categories.LoadCategories(fm::fuzz::WriteScratchFile("air_class.cfg", bytes))) std::abort();
  fm::fuzz::ByteCursor cursor(data, size);
  for (int asked = 0; asked < 64 && !cursor.Empty(); ++asked) {
    const std::string line(cursor.Line());
    const std::string model = categories.ClassifyModel(line, line);
    if (model.empty()) std::abort();
    // Asked again, the kept answer is the same.
    if (categories.ClassifyModel(line, line) != model) std::abort();
    const std::string title = categories.ClassifyTrafficTitle(line);
    if (!title.empty() && categories.find(title) == categories.end()) std::abort();
  }
  // A copy works its answers out anew and agrees.
  const fm::AircraftCategories copy = categories;
  if (copy.ClassifyModel("BOEING", "737") != categories.ClassifyModel("BOEING", "737"))
    std::abort();
  return 0;
}
