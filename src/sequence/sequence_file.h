// Sequence files (".ts1"): the set-up a performance belongs to, as text lines.
//
//   main:PATH            first line: the main sound file (its key is not examined)
//   t N:PATH             sub sound slot N - 1 plays PATH (N from 1; other numbers mean slot 0)
//   arm N:POSITION       slot N - 1 is armed to start at POSITION of the main sound
//   skip K:START:END     a skip pair, in list order (K is not examined)
//   pan:VALUE            the main pan became VALUE ("%f")
//
// A line's meaning comes from its key's first character; any other line ("pan" without a value,
// a second "main", keys of later versions) is passed over. Lines end with CR LF when written; LF
// alone is read as well. Reading never changes anything: it lists the set-up actions in file
// order for the caller to apply.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelkit {

inline constexpr int32_t kSequenceSlotCount = 200;
inline constexpr size_t kSequenceMaxPath = 4095;            // bytes of one path
inline constexpr size_t kSequenceMaxLine = 8192;            // bytes of one line, ending excluded
inline constexpr int64_t kSequenceMaxFileBytes = 16 << 20;  // larger files are not read

enum class SequenceActionKind {
    MainFile,  // path
    SlotFile,  // slot, path
    ArmSlot,   // slot, position
    SkipPair,  // start, end
    Pan,       // pan, as written (not yet limited to -100 .. 100)
};

struct SequenceAction {
    SequenceActionKind kind = SequenceActionKind::MainFile;
    int32_t slot = 0;  // 0-based
    std::string path;
    uint32_t position = 0;
    uint32_t start = 0;
    uint32_t end = 0;
    float pan = 0.0f;
    int32_t line = 0;  // 1-based line it came from

    bool operator==(const SequenceAction&) const = default;
};

struct SequenceRead {
    bool readable = false;  // false: nothing to apply (missing, unreadable, empty, too large,
                            // or the reading was stopped)
    bool stopped = false;   // the reading was stopped before the end of the file
    std::vector<SequenceAction> actions;
    int32_t firstBadLine = 0;  // 1-based; 0 when every line was usable
    int32_t badLines = 0;
    std::string message;  // for the user; empty when the whole file was usable
};

// Asked every few thousand lines: true ends the reading (the result is then not readable).
using SequenceStop = std::function<bool()>;
// Receives each usable line's action, in file order.
using SequenceVisitor = std::function<void(SequenceAction&&)>;

// Hands the actions of TEXT, the contents of the file NAME (NAME only appears in the message),
// to VISIT one by one; the result holds no actions. The work is linear in the text's length.
// A text longer than kSequenceMaxFileBytes is not read.
SequenceRead scanSequenceText(std::string_view text, const std::string& name,
                              const SequenceVisitor& visit, const SequenceStop& stop = {});
// The same, listing the actions in the result.
SequenceRead readSequenceText(std::string_view text, const std::string& name);

// Reads the file at PATH whole and hands its actions to VISIT.
SequenceRead scanSequenceFile(const std::string& path, const SequenceVisitor& visit,
                              const SequenceStop& stop = {});
// The same, listing the actions in the result.
SequenceRead readSequenceFile(const std::string& path);

// One written line each, CR LF included; nullopt when PATH cannot be written so that it reads
// back (empty, longer than kSequenceMaxPath, or holding a line break or another control
// character) or SLOT is not 0 .. 199.
std::optional<std::string> sequenceMainLine(const std::string& path);
std::optional<std::string> sequenceSlotLine(int32_t slot, const std::string& path);
std::optional<std::string> sequenceArmLine(int32_t slot, uint32_t position);
std::string sequenceSkipLine(int32_t pairNumber, uint32_t start, uint32_t end);
// "pan:%f" with "." whatever the locale; nullopt for a value that is not finite.
std::optional<std::string> sequencePanLine(float pan);

struct SequenceSlot {
    int32_t slot = 0;  // 0-based
    std::string path;
};
struct SequenceArm {
    int32_t slot = 0;
    uint32_t position = 0;
};
struct SequencePair {
    uint32_t start = 0;
    uint32_t end = 0;
};

// What a save writes: the main file, the assigned slots in slot order, the armed slots, the
// complete skip pairs in list order.
struct SequenceSetup {
    std::string mainFile;
    std::vector<SequenceSlot> slots;
    std::vector<SequenceArm> arms;
    std::vector<SequencePair> pairs;
};

struct SequenceText {
    std::string text;
    std::string message;  // names what could not be written; empty when everything was
};

// The whole file for SETUP: "main", then "t", "arm" and "skip" lines. A slot whose path cannot
// be written is left out (with its arm line) and named in the message; a main file that cannot
// be written leaves the text empty.
SequenceText writeSequenceText(const SequenceSetup& setup);

}  // namespace pelkit
