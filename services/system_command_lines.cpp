// Command lines of the embedded programs.
#include "services/system_command_lines.h"

namespace fm {

namespace {

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

}  // namespace

std::string BgltextCommandLine(const std::string& toolPath, const std::string& folder,
                               const std::string& fileName, const std::string& outputName) {
  return Quoted(toolPath) + ' ' + Quoted(folder + kCommandPathSeparator + fileName) + ' ' +
         outputName;
}

std::string TrafficToolCommandLine(const std::string& toolPath) {
  return Quoted(toolPath) + " /np";
}

}  // namespace fm
