// Making what was written survive a power cut: the data of a file, and the folder entry that
// gives it its name. A write that returned has only reached the operating system's cache.
#pragma once

#include <string>

namespace pelkit {

// Syncs the data and size of the open file FD to disk. Returns 0, or the errno of the failure.
int syncDescriptor(int fd);
// The same for the file at PATH (opened for reading only, which is enough to sync it).
int syncPath(const std::string& path);
// Syncs FOLDER's entries: the names of the files in it.
int syncFolder(const std::string& folder);
// Syncs the folder that holds PATH, so that a file just created or renamed there keeps its name.
int syncFolderOf(const std::string& path);

// The folder part of PATH ("." for a bare name).
std::string folderOf(const std::string& path);
// Where a write to PATH lands: PATH with the symbolic links that name it followed (a link to a
// missing file gives the missing file's path).
std::string followLinks(const std::string& path);

// The text of an errno value ("No space left on device").
std::string errorText(int err);

}  // namespace pelkit
