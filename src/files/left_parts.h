// The temporary files of staged outputs (StagedFile) that a run left behind when it was killed
// while writing: found and removed at the next start, in the folders the program writes to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pelkit {

struct LeftParts {
    size_t removed = 0;
    std::vector<std::string> folders;  // where some were removed, as absolute paths
};

// Removes from each of FOLDERS (an empty entry: the current folder; a folder named twice is
// swept once) the regular files whose names are StagedFile temporary names. Folders, links and
// every other name are left alone; a folder that cannot be read is skipped.
LeftParts removeLeftParts(const std::vector<std::string>& folders);

// What the user is told of LEFT; empty when nothing was removed.
std::string leftPartsMessage(const LeftParts& left);

}  // namespace pelkit
