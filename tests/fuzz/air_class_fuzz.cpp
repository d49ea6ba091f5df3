// air_class.cfg: the input is the file; every line of it is then asked as
// an aircraft's type and model and as a traffic title, twice (the second
// answer comes from the kept ones), and of a copy (which works them out anew).
#include <cstdlib>
#include <string>

#include "aircraft/aircraft_category.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fm::AircraftCategories categories;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!categories.LoadCategories(fm::fuzz::WriteScratchFile("air_class.cfg", bytes))) std::abort();
  const fm::AircraftCategories copy = categories;
  fm::fuzz::ByteCursor cursor(data, size);
  for (int asked = 0; asked < 64 && !cursor.Empty(); ++asked) {
    const std::string line(cursor.Line());
    const std::string model = categories.ClassifyModel(line, line);
    const std::string title = categories.ClassifyTrafficTitle(line);
    if (model.empty() || categories.ClassifyModel(line, line) != model ||
        copy.ClassifyModel(line, line) != model || copy.ClassifyTrafficTitle(line) != title ||
        (!title.empty() && categories.find(title) == categories.end())) {
      std::abort();
    }
  }
  return 0;
}
