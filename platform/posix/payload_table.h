// The table of programs embedded into a POSIX executable: the build
// generates one per executable that carries payloads (see
// cmake/Payloads.cmake); programs without payloads get an empty default.
#pragma once

namespace fm {

struct PayloadEntry {
  long long id;
  const char* begin;  // nullptr ends the table
  const char* end;
};

}  // namespace fm

extern "C" const fm::PayloadEntry fm_payload_table[];
