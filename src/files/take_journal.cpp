#include "files/take_journal.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "files/disk_sync.h"
#include "files/file_names.h"
#include "files/file_stream.h"

namespace pelkit {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFirstLine = "pelkit_recorder take journal 1\n";
constexpr const char* kLastLine = "\nend\n";

std::string fileNameOf(const std::string& path) {
    return fs::path(path).filename().string();
}

}  // namespace

std::string journalPathFor(const std::string& tempPath) {
    return tempPath + ".journal";
}

int writeTakeJournal(const std::string& tempPath, const TakeJournal& journal) {
    const WaveFormat& f = journal.format;
    std::ostringstream text;
    text << kFirstLine << "parts " << journal.parts << "\nformat " << f.formatTag << ' '
         << f.channels << ' ' << f.samplesPerSecond << ' ' << f.avgBytesPerSecond << ' '
         << f.blockAlign << ' ' << f.bitsPerSample << "\nfinal " << journal.finalPath << kLastLine;
    const std::string bytes = text.str();

    // Written whole under a name of its own and renamed into place: a journal is never torn.
    const std::string path = journalPathFor(tempPath), fresh = path + ".new";
    {
        FileStream out;
        if (!out.open(fresh, FileStream::Mode::WriteTruncate) ||
            !out.write(bytes.data(), bytes.size()) || !out.sync()) {
            int err = out.errorCode() ? out.errorCode() : EIO;
            out.close();
            std::error_code ec;
            fs::remove(fresh, ec);
            return err;
        }
    }
    std::error_code ec;
    fs::rename(fresh, path, ec);
    if (ec) {
        fs::remove(fresh, ec);
        return ec.value() ? ec.value() : EIO;
    }
    return syncFolderOf(path);
}

std::optional<TakeJournal> readTakeJournal(const std::string& tempPath) {
    FileStream in;
    if (!in.open(journalPathFor(tempPath), FileStream::Mode::Read)) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (size_t got; (got = in.read(buffer, sizeof buffer)) > 0 && text.size() < 65536;)
        text.append(buffer, got);

    const std::string first = kFirstLine, last = kLastLine;
    if (text.size() < first.size() + last.size() || text.compare(0, first.size(), first) != 0 ||
        text.compare(text.size() - last.size(), last.size(), last) != 0) {
        return std::nullopt;
    }
    std::istringstream lines(text.substr(first.size()));
    TakeJournal journal;
    std::string key;
    unsigned tag = 0, channels = 0, align = 0, bits = 0;
    uint32_t rate = 0, average = 0;
    lines >> key >> journal.parts;
    if (!lines || key != "parts" || journal.parts < 0) return std::nullopt;
    lines >> key >> tag >> channels >> rate >> average >> align >> bits;
    if (!lines || key != "format" || lines.get() != '\n') return std::nullopt;
    journal.format.formatTag = static_cast<uint16_t>(tag);
    journal.format.channels = static_cast<uint16_t>(channels);
    journal.format.samplesPerSecond = rate;
    journal.format.avgBytesPerSecond = average;
    journal.format.blockAlign = static_cast<uint16_t>(align);
    journal.format.bitsPerSample = static_cast<uint16_t>(bits);
    // The name runs to the last line, whatever it holds.
    const std::string rest = text.substr(first.size() + static_cast<size_t>(lines.tellg()));
    const std::string finalKeyText = "final ";
    if (rest.compare(0, finalKeyText.size(), finalKeyText) != 0) return std::nullopt;
    journal.finalPath =
        rest.substr(finalKeyText.size(), rest.size() - finalKeyText.size() - last.size());
    if (journal.finalPath.empty()) return std::nullopt;
    return journal;
}

void removeTakeJournal(const std::string& tempPath) {
    std::error_code ec;
    if (fs::remove(journalPathFor(tempPath), ec)) syncFolderOf(tempPath);
}

std::vector<int32_t> numberedPartsOf(const std::string& tempPath) {
    // "x_000.wav" shows where the number stands in a part's name.
    const std::string probe = fileNameOf(NumberedName(tempPath, 0));
    const size_t at = probe.rfind("_000");
    std::vector<int32_t> numbers;
    if (at == std::string::npos) return numbers;
    const std::string before = probe.substr(0, at + 1), after = probe.substr(at + 4);
    std::error_code ec;
    for (fs::directory_iterator it(folderOf(tempPath), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= before.size() + after.size() || name.compare(0, before.size(), before) ||
            name.compare(name.size() - after.size(), after.size(), after)) {
            continue;
        }
        const std::string digits =
            name.substr(before.size(), name.size() - before.size() - after.size());
        if (digits.size() > 9 || !std::all_of(digits.begin(), digits.end(),
                                              [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        const int32_t n = std::stoi(digits);
        // Only the name NumberedName gives ("_001", not "_01" or "_0001").
        if (n >= 1 && fileNameOf(NumberedName(tempPath, n)) == name) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

}  // namespace pelkit
