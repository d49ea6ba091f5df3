// Folders and files: existence, creation, removal, renaming and sorted
// directory listings. Every call answers with a status; none throws. Names
// are resolved as the system resolves them (see ResolvePath): on POSIX an
// existing file or folder is found whatever the letter case of its name.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace fm {

struct DirEntry {
  std::string name;  // without folder
  bool isDirectory = false;
};

// The entries of `folder` whose names match `pattern` ("*.bgl", "*.*"),
// without "." and "..", sorted as NTFS returns them: by the upper-cased
// names, ties by the exact bytes. An unreadable folder gives false.
bool ListDirectory(const std::string& folder, const std::string& pattern,
                   std::vector<DirEntry>& entries);

// Every entry of `folder` but "." and "..", unsorted.
bool ReadDirectoryEntries(const std::string& folder, std::vector<DirEntry>& entries);

// Sorts entries as NTFS returns them (see ListDirectory).
void SortDirEntries(std::vector<DirEntry>& entries);

bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
bool IsRegularFile(const std::string& path);

// Creates one folder; true also when it already exists as a folder.
bool MakeDirectory(const std::string& path);
// Creates the folder and every missing folder above it.
bool MakeDirectories(const std::string& path);

// Deletes a file (through the OS interface, whose RemoveFile it is with the
// name resolved as the system resolves names).
bool RemoveFile(const std::string& path);
// Removes an empty folder.
bool RemoveEmptyDirectory(const std::string& path);
// Removes a folder with everything below it, or a single file.
bool RemoveTree(const std::string& path);

// Renames `from` to `to`, replacing a file that stands at `to` in one step:
// `to` is never missing on the way (on Windows the move is written through
// to the disk before the call returns).
bool ReplaceFileWith(const std::string& from, const std::string& to);

// Gives the new name `copy` the content of `file`: a second name for the same
// file where the file system has them (nothing is copied, and replacing
// `file` later leaves `copy` with the earlier content), else a copy.
bool LinkOrCopyFile(const std::string& file, const std::string& copy);

// Makes what was written to an open file reach the disk (its C library
// buffer must already be flushed).
bool FlushFileToDisk(std::FILE* file);

// Makes the names created, renamed or removed in `folder` reach the disk.
// Windows writes its renames through already, and there this does nothing.
bool FlushFolderToDisk(const std::string& folder);

// True when a file may be written at `path`: it does not exist, or it is a
// file that is not read-only. On POSIX a rename would replace a read-only
// file silently; this check keeps such a file untouched, as Windows would.
bool CanReplaceFile(const std::string& path);

// Makes a new, empty folder with a unique name starting with `prefix` in the
// system's temporary folder and gives its full path ("" on failure).
std::string MakeUniqueTempFolder(const std::string& prefix);

// Makes the file read-only or writable again (tests of the refusal above).
bool SetReadOnly(const std::string& path, bool readOnly);

}  // namespace fm
