// Which OS implementation the system services talk to.
#include "platform/os_interface.h"

namespace fm {

namespace {
OsInterface* g_override = nullptr;
}  // namespace

OsInterface& Os() { return g_override != nullptr ? *g_override : NativeOs(); }

ScopedOsOverride::ScopedOsOverride(OsInterface& replacement) : previous_(g_override) {
  g_override = &replacement;
}

ScopedOsOverride::~ScopedOsOverride() { g_override = previous_; }

}  // namespace fm
