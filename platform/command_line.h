// Splitting a command line into arguments by the rules Windows programs use
// (CommandLineToArgvW and the C runtime), so that a command line built with
// quotes for Windows starts the same program with the same arguments on POSIX.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fm {

// The first word names the program: inside quotes up to the next quote,
// otherwise up to the first blank or tab, with backslashes taken literally.
// The later words follow the C runtime's rules: blanks and tabs separate
// words outside quotes; 2n backslashes before a quote give n backslashes and
// the quote opens or closes a quoted part; 2n+1 backslashes before a quote
// give n backslashes and a literal quote; other backslashes are literal; a
// doubled quote inside a quoted part gives a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace fm
