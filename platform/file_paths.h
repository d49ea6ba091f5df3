// Paths as byte strings: joining, case-insensitive resolution of the names the
// system gives, and the wildcard patterns of directory searches.
#pragma once

#include <string>
#include <string_view>

namespace fm {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name; a separator already ending the folder is not
// doubled, and an empty folder gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

// The last component of a path (the text after the last separator; on
// Windows '/' separates as well).
std::string_view FileNameOf(std::string_view path);

// The folder part of a path, without its trailing separator ("" for a bare
// name).
std::string_view FolderOf(std::string_view path);

// Gives the name under which `path` exists, matching each component
// case-insensitively against its folder's entries as Windows does. An exact
// name is always preferred; components that do not exist are kept as given,
// so a new file takes the name it was asked for. Identity on Windows, whose
// file system already ignores letter case.
std::string ResolvePath(const std::string& path);

// True when `name` matches a directory-search pattern such as "*.bgl":
// '*' stands for any run of characters, '?' for one character, letters
// compare without regard to case, and "*.*" matches every name, as the
// Windows search does.
bool MatchesFilePattern(std::string_view pattern, std::string_view name);

// Letter case as file names compare it: a-z on POSIX, the ANSI code page's
// mapping on Windows.
std::string FoldFileNameCase(std::string_view name);

}  // namespace fm
