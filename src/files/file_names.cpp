#include "files/file_names.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/file_stream.h"

namespace pelkit {

namespace fs = std::filesystem;

namespace {

// Index of the first character of the file name part (after the last "/").
size_t fileNameStart(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// Index of the last "." of the file name part, or npos.
size_t extensionDot(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < fileNameStart(path)) return std::string::npos;
    return dot;
}

}  // namespace

std::string DerivedName(const std::string& source, const std::string& suffix) {
    size_t dot = extensionDot(source);
    if (dot == std::string::npos) return source + suffix + ".";
    std::string extension = source.substr(dot + 1, 5);
    return source.substr(0, dot) + suffix + "." + extension;
}

std::string NumberedName(const std::string& source, int n) {
    char number[16];
    std::snprintf(number, sizeof number, "_%03d", n);
    return DerivedName(source, number);
}

std::vector<std::string> NumberedNamesOnDisk(const std::string& source) {
    // Every name "stem_NNN.ext" whose number gives back the same name.
    const std::string zero = NumberedName(source, 0);
    const size_t at = zero.rfind("_000");
    const std::string head = zero.substr(fileNameStart(zero), at + 1 - fileNameStart(zero));
    const std::string tail = zero.substr(at + 4);
    const std::string folder = fileNameStart(zero) == 0 ? "." : zero.substr(0, fileNameStart(zero));
    std::vector<std::pair<long, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < head.size() + 3 + tail.size() || name.rfind(head, 0) != 0 ||
            name.compare(name.size() - tail.size(), tail.size(), tail) != 0) {
            continue;
        }
        const std::string digits =
            name.substr(head.size(), name.size() - head.size() - tail.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const long n = std::strtol(digits.c_str(), nullptr, 10);
        const std::string path = NumberedName(source, static_cast<int>(n));
        if (n >= 1 && path.substr(fileNameStart(path)) == name) found.emplace_back(n, path);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& [n, path] : found)
        names.push_back(std::move(path));
    return names;
}

std::string SequenceName(const std::string& source) {
    size_t dot = extensionDot(source);
    return (dot == std::string::npos ? source : source.substr(0, dot)) + ".ts1";
}

NextNumbered NextNumberedFile(const std::string& path) {
    NextNumbered result;
    size_t start = fileNameStart(path);
    size_t underscore = path.rfind('_');
    if (underscore == std::string::npos || underscore < start) {
        std::string name = path.substr(start);
        result.name = name.substr(0, name.find(' '));
        return result;
    }
    std::string base = path.substr(0, underscore);
    std::string rest = path.substr(underscore + 1);
    size_t dot = rest.rfind('.');
    std::string numberPart = dot == std::string::npos ? rest : rest.substr(0, dot);
    std::string extension = dot == std::string::npos ? std::string() : rest.substr(dot + 1);
    long n = std::strtol(numberPart.c_str(), nullptr, 10);

    char number[32];
    std::snprintf(number, sizeof number, "_%03ld.", n + 1);
    std::string candidate = base + number + extension;
    FileStream probe;
    if (probe.open(candidate, FileStream::Mode::Read)) {
        result.name = candidate;
        result.exists = n != 0;
    } else {
        result.name = path;
    }
    return result;
}

bool HasExtension(const std::string& path, const std::string& ext) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    std::string after = path.substr(dot + 1, 3);
    return after == ext.substr(0, 3);
}

std::string ProgramDirectoryPath(const std::string& programPath) {
    std::filesystem::path p(programPath);
    std::string dir = p.parent_path().string();
    if (dir.empty()) dir = ".";
    return dir + "/";
}

std::string CurrentDirectoryPath(const std::string& name) {
    std::error_code ec;
    std::string dir = std::filesystem::current_path(ec).string();
    if (ec) dir = ".";
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir + name;
}

}  // namespace pelkit
