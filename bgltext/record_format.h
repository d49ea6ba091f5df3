// The print channel of the record handlers: printf-style formats written
// into the section text in the Print pass. Integer, character, text and
// fixed-point conversions are formatted here directly, with the bytes that
// printf gives; any other conversion goes through snprintf on its own.
#pragma once

#include <cstdarg>
#include <string>

#include "bgltext/text_sink.h"

namespace bgltext {

class BglRun;

// Writes the formatted text into the section text in the Print pass only.
void Emit(BglRun& run, const char* format, ...) BGLTEXT_PRINTF(2, 3);

// Appends the formatted text to out ("\n" stays "\n").
void AppendRecordFormat(std::string& out, const char* format, ...) BGLTEXT_PRINTF(2, 3);

}  // namespace bgltext
