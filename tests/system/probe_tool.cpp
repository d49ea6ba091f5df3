// A stand-in program embedded into the system tests: it writes each of its
// arguments as one CR LF line into the file named by FLEETMIX_PROBE_RECORD
// and exits with the code in FLEETMIX_PROBE_EXIT (0 when unset).
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* record = std::getenv("FLEETMIX_PROBE_RECORD");
  if (record != nullptr) {
    std::FILE* file = std::fopen(record, "wb");
    if (file == nullptr) return 100;
    for (int i = 1; i < argc; ++i) std::fprintf(file, "%s\r\n", argv[i]);
    if (std::fclose(file) != 0) return 101;
  }
  const char* code = std::getenv("FLEETMIX_PROBE_EXIT");
  return code != nullptr ? std::atoi(code) : 0;
}
