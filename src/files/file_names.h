// Names built by rule from the main file: output copies, numbered parts, the sequence file; the
// extension test; the program's and the current directory.
#pragma once

#include <string>
#include <vector>

namespace pelkit {

// SOURCE with SUFFIX put before its extension (at most 5 characters kept). Only the last "." of
// the file name counts, never one in a directory name; a name without one gets SUFFIX and a
// trailing ".": talk with "_L" gives talk_L.
std::string DerivedName(const std::string& source, const std::string& suffix);

// DerivedName with "_%03d" of N (N >= 1): talk.wav, 1 gives talk_001.wav.
std::string NumberedName(const std::string& source, int n);
// The numbered names of SOURCE (n >= 1) that exist on disk, by number, gaps included.
std::vector<std::string> NumberedNamesOnDisk(const std::string& source);

// SOURCE with its extension replaced by (or, without one, extended with) ".ts1".
std::string SequenceName(const std::string& source);

struct NextNumbered {
    bool exists = false;  // a next numbered sibling exists
    std::string name;     // the sibling's name, or the fallback described at NextNumberedFile
};

// The next numbered sibling of PATH (x_001.wav -> x_002.wav) when it can be opened. Without a
// "_" in the file name the name given is the file name part up to its first blank; when the
// sibling is missing it is PATH itself.
NextNumbered NextNumberedFile(const std::string& path);

// True when the characters after PATH's last "." begin with EXT (case-sensitive, at most 3).
bool HasExtension(const std::string& path, const std::string& ext);

// The directory of the program file with a trailing "/", from its full path.
std::string ProgramDirectoryPath(const std::string& programPath);

// NAME in the current directory.
std::string CurrentDirectoryPath(const std::string& name);

}  // namespace pelkit
