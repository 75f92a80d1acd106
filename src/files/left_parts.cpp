#include "files/left_parts.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "files/staged_file.h"

namespace pelkit {

namespace fs = std::filesystem;

namespace {

// FOLDER's files of the pattern removed; how many.
size_t sweep(const fs::path& folder) {
    std::error_code ec;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statEc;
        // The entry's own type: a link of the pattern is not a file this program wrote.
        if (!it->is_regular_file(statEc) || it->is_symlink(statEc)) continue;
        if (StagedFile::isTempName(it->path().filename().string())) found.push_back(it->path());
    }
    size_t removed = 0;
    for (const fs::path& path : found) {
        std::error_code removeEc;
        if (fs::remove(path, removeEc)) ++removed;
    }
    return removed;
}

}  // namespace

LeftParts removeLeftParts(const std::vector<std::string>& folders) {
    LeftParts left;
    std::vector<fs::path> swept;
    for (const std::string& name : folders) {
        std::error_code ec;
        const fs::path folder =
            fs::canonical(name.empty() ? fs::current_path(ec) : fs::path(name), ec);
        if (ec || std::find(swept.begin(), swept.end(), folder) != swept.end()) continue;
        swept.push_back(folder);
        if (size_t n = sweep(folder)) {
            left.removed += n;
            left.folders.push_back(folder.string());
        }
    }
    return left;
}

std::string leftPartsMessage(const LeftParts& left) {
    if (left.removed == 0) return {};
    std::string where;
    for (size_t i = 0; i < left.folders.size(); ++i) {
        if (i > 0) where += i + 1 == left.folders.size() ? " and " : ", ";
        where += left.folders[i];
    }
    const bool one = left.removed == 1;
    return std::to_string(left.removed) + (one ? " unfinished file" : " unfinished files") +
           " that an earlier run left behind " + (one ? "was" : "were") + " removed from " + where +
           ".";
}

}  // namespace pelkit
