// Whether a line reader stopped on a failed read rather than at the end.
#pragma once

#include "platform/file_text.h"

namespace fm {
namespace detail {
template <typename Reader>
auto ReaderFailed(const Reader& reader, int) -> decltype(reader.Failed()) {
  return reader.Failed();
}
template <typename Reader>
bool ReaderFailed(const Reader&, long) {
  return false;
}
}  // namespace detail

inline bool ReadFailed(const TextLineReader& reader) { return detail::ReaderFailed(reader, 0); }

}  // namespace fm
