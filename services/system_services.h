// The system services every page leans on: finding the FS2002 installation,
// unpacking an embedded program into a temporary executable, starting a
// command line, and the developer trace. Written once over fm::Os(), with
// their texts, message boxes and exits.
#pragma once

#include <string>
#include <utility>

namespace fm {

// The caption of every message box of the program (the airport cache
// loader's two warnings excepted).
inline constexpr char kMessageCaption[] = "AI Traffic Fleetmixer";

#if defined(__MINGW32__)
#define FM_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__)
#define FM_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define FM_PRINTF_FORMAT(fmt, args)
#endif

// The FS2002 root folder as recorded at installation, read anew on every
// call, without a separator added or removed. When it cannot be found a box
// says so and the process ends with exit code 1.
std::string FindFsRoot();

// A program unpacked from the executable into a temporary file. The object
// owns that file: it deletes exactly that file when it goes, or earlier on
// Remove(). On Windows it also owns the ".tmp" file that reserved the unique
// name beside it, and deletes it after the program, so the name stays
// reserved while the program is in use and nothing is left behind. An empty
// path means the extraction failed (its box was shown).
class ExtractedTool {
 public:
  ExtractedTool() = default;
  explicit ExtractedTool(std::string path, std::string reservation = {});
  ~ExtractedTool() { Remove(); }
  ExtractedTool(ExtractedTool&& other) noexcept;
  ExtractedTool& operator=(ExtractedTool&& other) noexcept;
  ExtractedTool(const ExtractedTool&) = delete;
  ExtractedTool& operator=(const ExtractedTool&) = delete;

  const std::string& Path() const { return path_; }
  bool Empty() const { return path_.empty(); }
  // Deletes the files now; the path becomes empty.
  void Remove();

 private:
  std::string path_;
  std::string reservation_;  // empty when it is the program's own file
};

// The name of the file that, lying beside the running program, takes the
// place of the embedded program with this id: "trafficdecompiler.exe" (134)
// and "trafficcompiler.exe" (135), without ".exe" outside Windows. Empty for
// programs that cannot be replaced. Outside Windows, when no file has that
// name, a Windows program under the name with ".exe" takes the place (its
// copy keeps the ".exe", and the runner starts it through wine).
std::string ReplacementToolName(int id);

// Writes the program with this id to a new temporary executable: the file
// of ReplacementToolName(id) beside the running program when there is one
// (the user's own traffic tools), else the embedded program. Only the copy
// belongs to the result; the file beside the program stays.
ExtractedTool ExtractTool(int id);

// Starts the command line as a new process; waits for its end when asked;
// showWindow false keeps its console window hidden; the child runs in
// `workingFolder` (empty: the current folder). True when it started; a start
// failure shows its box. The child's exit code is not looked at.
bool RunTool(const std::string& commandLine, bool wait, bool showWindow,
             const std::string& workingFolder = {});

// Formats into 512 characters (at most 511 reach the channel) and sends the
// text to the developer trace channel.
void TraceDebug(const char* format, ...) FM_PRINTF_FORMAT(1, 2);

}  // namespace fm
