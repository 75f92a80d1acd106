#include "sequence/sequence_file.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "files/file_stream.h"

namespace pelkit {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Control characters other than tab never occur in a line this program writes: a line holding
// one comes from a binary file (or a damaged one).
bool holdsControl(std::string_view s) {
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7F) return true;
    }
    return false;
}

// Decimal digits between optional blanks, within 32 bits.
std::optional<uint32_t> parseUnsigned(std::string_view s) {
    s = trimBlanks(s);
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

// The same with an optional sign, within a signed 32-bit integer.
std::optional<int32_t> parseSigned(std::string_view s) {
    s = trimBlanks(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int32_t value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::optional<float> parseFinite(std::string_view s) {
    s = trimBlanks(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    float value = 0.0f;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Why a path cannot stand in a line, or nullptr when it can.
const char* pathProblem(std::string_view path) {
    if (path.empty()) return "the file name is empty";
    if (path.size() > kSequenceMaxPath) return "the file name is longer than 4095 bytes";
    if (holdsControl(path)) return "the file name holds control characters";
    return nullptr;
}

// One line's action, or the reason it cannot be used. A line that is passed over by design
// yields neither.
struct LineResult {
    std::optional<SequenceAction> action;
    const char* problem = nullptr;
};

LineResult bad(const char* problem) {
    return {std::nullopt, problem};
}

LineResult mainLine(std::string_view line) {
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) return bad("it has no \":\" before the main file name");
    std::string_view path = line.substr(colon + 1);
    if (const char* problem = pathProblem(path)) return bad(problem);
    SequenceAction a;
    a.kind = SequenceActionKind::MainFile;
    a.path = std::string(path);
    return {a, nullptr};
}

LineResult slotLine(std::string_view key, std::string_view value) {
    auto n = parseSigned(key.substr(1));
    if (!n) return bad("the slot number is not a 32-bit number");
    if (const char* problem = pathProblem(value)) return bad(problem);
    SequenceAction a;
    a.kind = SequenceActionKind::SlotFile;
    // Numbers outside 1 .. 200 mean the first slot, as they always have.
    a.slot = *n >= 1 && *n <= kSequenceSlotCount ? *n - 1 : 0;
    a.path = std::string(value);
    return {a, nullptr};
}

LineResult armLine(std::string_view key, std::string_view value) {
    auto n = parseUnsigned(key.substr(3));
    if (!n || *n < 1 || *n > static_cast<uint32_t>(kSequenceSlotCount))
        return bad("the slot number is not 1 to 200");
    auto position = parseUnsigned(value);
    if (!position) return bad("the position is not an unsigned 32-bit number");
    SequenceAction a;
    a.kind = SequenceActionKind::ArmSlot;
    a.slot = static_cast<int32_t>(*n) - 1;
    a.position = *position;
    return {a, nullptr};
}

LineResult skipLine(std::string_view value) {
    size_t colon = value.find(':');
    if (colon == std::string_view::npos) return bad("it has no \":\" between start and end");
    auto start = parseUnsigned(value.substr(0, colon));
    auto end = parseUnsigned(value.substr(colon + 1));
    if (!start || !end) return bad("the start and end are not unsigned 32-bit numbers");
    SequenceAction a;
    a.kind = SequenceActionKind::SkipPair;
    a.start = *start;
    a.end = *end;
    return {a, nullptr};
}

LineResult panLine(std::string_view value) {
    auto pan = parseFinite(value);
    if (!pan) return bad("the pan value is not a number");
    SequenceAction a;
    a.kind = SequenceActionKind::Pan;
    a.pan = *pan;
    return {a, nullptr};
}

// A line after the first, without its line ending.
LineResult laterLine(std::string_view line) {
    if (line.empty()) return {};
    size_t colon = line.find(':');
    std::string_view key = line.substr(0, colon);
    bool hasValue = colon != std::string_view::npos;
    std::string_view value = hasValue ? line.substr(colon + 1) : std::string_view();
    switch (line.front()) {
        case 't':
            if (!hasValue) return bad("it has no \":\" before the file name");
            return slotLine(key, value);
        case 's':
            if (!hasValue) return bad("it has no \":\" before the start");
            return skipLine(value);
        case 'p':
            // A "pan" without a value is the marker older versions wrote on each change.
            if (!hasValue) return {};
            return panLine(value);
        case 'a':
            // Only the word "arm": other keys of later versions are passed over.
            if (key.substr(0, 3) != "arm" || (key.size() > 3 && !isBlank(key[3]))) return {};
            if (!hasValue) return bad("it has no \":\" before the position");
            return armLine(key, value);
        default:
            return {};
    }
}

std::string badLineMessage(const std::string& name, int32_t line, const char* problem,
                           int32_t badLines) {
    std::string text = "Line " + std::to_string(line) + " of the sequence file " + name +
                       " was skipped: " + problem + ".";
    if (badLines == 2) text += " 1 more line was skipped as well.";
    if (badLines > 2)
        text += " " + std::to_string(badLines - 1) + " more lines were skipped as well.";
    return text;
}

std::string tooLargeMessage(const std::string& name) {
    return "The file " + name + " is larger than 16 MiB; it is not a sequence file.";
}

bool writablePath(const std::string& path) {
    return pathProblem(path) == nullptr;
}

std::string slotNumber(int32_t slot) {
    return std::to_string(slot + 1);
}

}  // namespace

SequenceRead scanSequenceText(std::string_view text, const std::string& name,
                              const SequenceVisitor& visit, const SequenceStop& stop) {
    SequenceRead read;
    if (text.size() > static_cast<size_t>(kSequenceMaxFileBytes)) {
        read.message = tooLargeMessage(name);
        return read;
    }
    if (text.empty()) {
        read.message = "The sequence file " + name + " is empty.";
        return read;
    }
    // How many lines go by between two questions whether to stop: a few milliseconds' work.
    constexpr int32_t kLinesPerStopCheck = 4096;
    read.readable = true;
    const char* firstProblem = nullptr;
    int32_t number = 0;
    size_t begin = 0;
    while (begin < text.size()) {
        if (stop && number % kLinesPerStopCheck == 0 && stop()) {
            read.readable = false;
            read.stopped = true;
            read.message = "Reading the sequence file " + name + " was stopped.";
            return read;
        }
        size_t newline = text.find('\n', begin);
        size_t end = newline == std::string_view::npos ? text.size() : newline;
        std::string_view line = text.substr(begin, end - begin);
        begin = newline == std::string_view::npos ? text.size() : newline + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;

        LineResult result;
        if (line.size() > kSequenceMaxLine)
            result = bad("it is longer than 8192 bytes");
        else if (holdsControl(line))
            result = bad("it holds binary data");
        else
            result = number == 1 ? mainLine(line) : laterLine(line);

        if (result.action) {
            result.action->line = number;
            visit(std::move(*result.action));
        } else if (result.problem) {
            if (read.badLines++ == 0) {
                read.firstBadLine = number;
                firstProblem = result.problem;
            }
        }
    }
    if (read.badLines > 0)
        read.message = badLineMessage(name, read.firstBadLine, firstProblem, read.badLines);
    return read;
}

SequenceRead readSequenceText(std::string_view text, const std::string& name) {
    std::vector<SequenceAction> actions;
    SequenceRead read =
        scanSequenceText(text, name, [&](SequenceAction&& a) { actions.push_back(std::move(a)); });
    read.actions = std::move(actions);
    return read;
}

SequenceRead scanSequenceFile(const std::string& path, const SequenceVisitor& visit,
                              const SequenceStop& stop) {
    SequenceRead read;
    if (!fileExists(path)) {
        read.message = "The sequence file " + path + " was not found.";
        return read;
    }
    int64_t length = fileLength(path);
    FileStream in;
    if (length < 0 || !in.open(path, FileStream::Mode::Read)) {
        read.message = "The sequence file " + path + " could not be opened.";
        return read;
    }
    if (length > kSequenceMaxFileBytes) {
        read.message = tooLargeMessage(path);
        return read;
    }
    std::string text(static_cast<size_t>(length), '\0');
    if (in.read(text.data(), text.size()) != text.size() || in.bad()) {
        read.message = "The sequence file " + path + " could not be read.";
        return read;
    }
    return scanSequenceText(text, path, visit, stop);
}

SequenceRead readSequenceFile(const std::string& path) {
    std::vector<SequenceAction> actions;
    SequenceRead read =
        scanSequenceFile(path, [&](SequenceAction&& a) { actions.push_back(std::move(a)); });
    read.actions = std::move(actions);
    return read;
}

std::optional<std::string> sequenceMainLine(const std::string& path) {
    if (!writablePath(path)) return std::nullopt;
    return "main:" + path + "\r\n";
}

std::optional<std::string> sequenceSlotLine(int32_t slot, const std::string& path) {
    if (slot < 0 || slot >= kSequenceSlotCount || !writablePath(path)) return std::nullopt;
    return "t " + slotNumber(slot) + ":" + path + "\r\n";
}

std::optional<std::string> sequenceArmLine(int32_t slot, uint32_t position) {
    if (slot < 0 || slot >= kSequenceSlotCount) return std::nullopt;
    return "arm " + slotNumber(slot) + ":" + std::to_string(position) + "\r\n";
}

std::string sequenceSkipLine(int32_t pairNumber, uint32_t start, uint32_t end) {
    return "skip " + std::to_string(pairNumber) + ":" + std::to_string(start) + ":" +
           std::to_string(end) + "\r\n";
}

std::optional<std::string> sequencePanLine(float pan) {
    if (!std::isfinite(pan)) return std::nullopt;
    // to_chars ignores the locale, which the window program sets from the environment.
    char digits[64];
    auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, pan, std::chars_format::fixed, 6);
    if (ec != std::errc()) return std::nullopt;
    return "pan:" + std::string(digits, end) + "\r\n";
}

SequenceText writeSequenceText(const SequenceSetup& setup) {
    SequenceText out;
    auto main = sequenceMainLine(setup.mainFile);
    if (!main) {
        out.message = "The main file name " + setup.mainFile +
                      " cannot be written to a sequence file; nothing was saved.";
        return out;
    }
    out.text = *main;
    std::vector<bool> written(kSequenceSlotCount, false);
    std::string leftOut;
    for (const SequenceSlot& s : setup.slots) {
        auto line = sequenceSlotLine(s.slot, s.path);
        if (line) {
            out.text += *line;
            written[s.slot] = true;
        } else {
            leftOut += (leftOut.empty() ? "" : ", ") + slotNumber(s.slot);
        }
    }
    for (const SequenceArm& a : setup.arms) {
        if (a.slot < 0 || a.slot >= kSequenceSlotCount || !written[a.slot]) continue;
        out.text += *sequenceArmLine(a.slot, a.position);
    }
    int32_t k = 0;
    for (const SequencePair& p : setup.pairs)
        out.text += sequenceSkipLine(++k, p.start, p.end);
    if (!leftOut.empty()) {
        bool several = leftOut.find(',') != std::string::npos;
        out.message = std::string(several ? "The file names of sub sound slots "
                                          : "The file name of sub sound slot ") +
                      leftOut + " cannot be written to a sequence file and " +
                      (several ? "were" : "was") + " left out.";
    }
    return out;
}

}  // namespace pelkit
