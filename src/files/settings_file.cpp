#include "files/settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "files/disk_sync.h"
#include "files/staged_file.h"

namespace pelkit {

namespace {

struct Line {
    std::string text;         // without its line ending
    const char* ending = "";  // "\n", "\r\n", "\r", or "" for a last line without one
};

// Lines end at LF, CR LF or a CR alone: a file with CR line ends is read line by line too, so
// a key written into it stands on a line of its own and reads back.
std::vector<Line> splitLines(const std::string& all) {
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < all.size()) {
        size_t stop = all.find_first_of("\r\n", begin);
        Line line;
        line.text.assign(all, begin, (stop == std::string::npos ? all.size() : stop) - begin);
        if (stop == std::string::npos) {
            begin = all.size();
        } else if (all[stop] == '\r' && stop + 1 < all.size() && all[stop + 1] == '\n') {
            line.ending = "\r\n";
            begin = stop + 2;
        } else {
            line.ending = all[stop] == '\r' ? "\r" : "\n";
            begin = stop + 1;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct Contents {
    std::vector<Line> lines;
    bool byteOrderMark = false;  // the file starts with a UTF-8 byte-order mark
    int error = 0;               // errno when the file exists but cannot be read
};

// Reads the whole file (a few lines; it is never large). A missing file has no lines.
Contents readContents(const std::string& path) {
    Contents contents;
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        if (errno != ENOENT && errno != ENOTDIR) contents.error = errno ? errno : EIO;
        return contents;
    }
    std::string all;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        all.append(buffer, got);
    // A folder opens, and then fails to read.
    if (std::ferror(f)) contents.error = errno ? errno : EIO;
    std::fclose(f);
    if (contents.error) return contents;
    if (all.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
        contents.byteOrderMark = true;
        all.erase(0, kByteOrderMark.size());
    }
    contents.lines = splitLines(all);
    return contents;
}

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The section a line opens, if it is a section header.
std::optional<std::string> sectionOf(const std::string& text) {
    std::string t = trim(text);
    if (t.size() >= 2 && t.front() == '[') {
        size_t close = t.find(']');
        if (close != std::string::npos) return trim(t.substr(1, close - 1));
    }
    return std::nullopt;
}

// The key of a "key=value" line, if it is one.
std::optional<std::string> keyOf(const std::string& text, std::string* value = nullptr) {
    std::string t = trim(text);
    if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
    size_t eq = t.find('=');
    if (eq == std::string::npos) return std::nullopt;
    if (value) *value = trim(t.substr(eq + 1));
    return trim(t.substr(0, eq));
}

std::optional<std::string> findValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
    bool inSection = false;
    for (const Line& line : readContents(path).lines) {
        if (auto s = sectionOf(line.text)) {
            inSection = sameName(*s, section);
            continue;
        }
        std::string value;
        if (inSection) {
            if (auto k = keyOf(line.text, &value); k && sameName(*k, key)) return value;
        }
    }
    return std::nullopt;
}

// Where a key stands in a file's lines: the line opening its section, its own line, and the
// last line that belongs to the section.
struct EntryPlace {
    std::optional<size_t> sectionLine, keyLine, lastInSection;
};

// Finds the section, the key inside it, and the last line that belongs to it.
EntryPlace findEntry(const std::vector<Line>& lines, const std::string& section,
                     const std::string& key) {
    EntryPlace place;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto s = sectionOf(lines[i].text)) {
            inSection = !place.sectionLine && sameName(*s, section);
            if (inSection) place.sectionLine = place.lastInSection = i;
            continue;
        }
        if (!inSection) continue;
        if (!trim(lines[i].text).empty()) place.lastInSection = i;
        if (auto k = keyOf(lines[i].text); k && !place.keyLine && sameName(*k, key)) {
            place.keyLine = i;
        }
    }
    return place;
}

// Puts the line ENTRY where PLACE says: over the key's line, after the last line of its
// section, or in a new section SECTION at the end. New lines end with NEWLINE.
void placeEntry(std::vector<Line>& lines, const EntryPlace& place, const std::string& section,
                const std::string& entry, const char* newline) {
    if (place.keyLine) {
        lines[*place.keyLine].text = entry;
    } else if (place.sectionLine) {
        size_t at = *place.lastInSection;
        if (*lines[at].ending == '\0') lines[at].ending = newline;
        lines.insert(lines.begin() + static_cast<long>(at) + 1, Line{entry, newline});
    } else {
        if (!lines.empty() && *lines.back().ending == '\0') lines.back().ending = newline;
        lines.push_back(Line{"[" + section + "]", newline});
        lines.push_back(Line{entry, newline});
    }
}

// The text of the file CONTENTS describes.
std::string joinLines(const Contents& contents) {
    std::string text = contents.byteOrderMark ? std::string(kByteOrderMark) : std::string();
    for (const Line& line : contents.lines)
        text += line.text + line.ending;
    return text;
}

// Replaces the file TARGET with one holding TEXT. The reason, when that fails.
std::optional<std::string> replaceFile(const std::string& target, const std::string& text) {
    StagedFile staged;
    if (!staged.open(target) || !staged.write(text.data(), text.size()) || !staged.close()) {
        // The reason alone: the caller names the file.
        const std::string& error = staged.error();
        size_t colon = error.rfind(": ");
        return colon == std::string::npos ? error : error.substr(colon + 2);
    }
    // The new file takes the place of the old one with its mode and, where allowed, its owner.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::chmod(staged.tempPath().c_str(), old.st_mode & 07777);
        [[maybe_unused]] int owned = ::chown(staged.tempPath().c_str(), old.st_uid, old.st_gid);
    }
    if (int err = syncPath(staged.tempPath())) {
        staged.abandon();
        return errorText(err);
    }
    if (!staged.publish()) return staged.error();
    syncFolderOf(target);
    return std::nullopt;
}

}  // namespace

int SettingsFile::readInt(const std::string& section, const std::string& key, int fallback) const {
    auto value = findValue(path_, section, key);
    if (!value) return fallback;
    return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
}

std::string SettingsFile::readString(const std::string& section, const std::string& key,
                                     const std::string& fallback) const {
    auto value = findValue(path_, section, key);
    if (!value) return fallback;
    std::string v = *value;
    if (v.size() >= 2 &&
        ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\''))) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

bool SettingsFile::writeString(const std::string& section, const std::string& key,
                               const std::string& value, std::string* problem) const {
    auto fail = [&](const std::string& why) {
        if (problem) *problem = why;
        return false;
    };
    // A link is written through: the file it names is replaced, the link stays.
    const std::string target = followLinks(path_);
    Contents contents = readContents(target);
    if (contents.error) return fail(errorText(contents.error));
    std::vector<Line>& lines = contents.lines;
    // New lines end the way the file's first line does.
    const char* newline = !lines.empty() && *lines.front().ending ? lines.front().ending : "\n";
    std::string entry = key + "=" + value;

    placeEntry(lines, findEntry(lines, section, key), section, entry, newline);
    if (auto why = replaceFile(target, joinLines(contents))) return fail(*why);
    return true;
}

std::string SettingsFile::readProblem() const {
    int err = readContents(followLinks(path_)).error;
    return err ? errorText(err) : std::string();
}

}  // namespace pelkit
