// The command lines with which the embedded programs are started. The
// extracted program's path is always quoted, so a temporary folder with a
// blank in it (a user name with a space) still starts the right program
// with the right arguments.
#pragma once

#include <string>

namespace fm {

// The separator between a folder and a name in the command lines.
#if defined(_WIN32)
inline constexpr char kCommandPathSeparator = '\\';
#else
inline constexpr char kCommandPathSeparator = '/';
#endif

// bgltext on one scenery file: "\"%s\" \"%s\\%s\" %s" with the program,
// the scenery folder, the file name and the output name.
std::string BgltextCommandLine(const std::string& toolPath, const std::string& folder,
                               const std::string& fileName, const std::string& outputName);

// The traffic decompiler or compiler: "\"%s\" /np".
std::string TrafficToolCommandLine(const std::string& toolPath);

}  // namespace fm
