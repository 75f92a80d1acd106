// The sequence reader on arbitrary text; what it reads, written again, reads back the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "sequence/sequence_file.h"

using namespace pelkit;

namespace {

// The lines a save would write for ACTIONS (a placeholder main line when there is none).
std::string writeAgain(const std::vector<SequenceAction>& actions) {
    std::string text;
    bool hasMain = !actions.empty() && actions.front().kind == SequenceActionKind::MainFile;
    if (!hasMain) text = *sequenceMainLine("placeholder.wav");
    int32_t pair = 0;
    for (const SequenceAction& a : actions) {
        std::optional<std::string> line;
        switch (a.kind) {
            case SequenceActionKind::MainFile:
                line = sequenceMainLine(a.path);
                break;
            case SequenceActionKind::SlotFile:
                line = sequenceSlotLine(a.slot, a.path);
                break;
            case SequenceActionKind::ArmSlot:
                line = sequenceArmLine(a.slot, a.position);
                break;
            case SequenceActionKind::SkipPair:
                line = sequenceSkipLine(++pair, a.start, a.end);
                break;
            case SequenceActionKind::Pan:
                line = sequencePanLine(a.pan);
                break;
        }
        fuzz::check(line.has_value(), "every action read can be written");
        text += *line;
    }
    return text;
}

bool sameAction(const SequenceAction& a, const SequenceAction& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
        case SequenceActionKind::MainFile:
            return a.path == b.path;
        case SequenceActionKind::SlotFile:
            return a.slot == b.slot && a.path == b.path;
        case SequenceActionKind::ArmSlot:
            return a.slot == b.slot && a.position == b.position;
        case SequenceActionKind::SkipPair:
            return a.start == b.start && a.end == b.end;
        // "%f" keeps six decimals: the value written again must print the same.
        case SequenceActionKind::Pan:
            return *sequencePanLine(a.pan) == *sequencePanLine(b.pan);
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    SequenceRead read = readSequenceText(text, "fuzz.ts1");
    fuzz::check(read.readable == (size > 0), "any text up to the limit is read");
    if (size == 0) return 0;
    fuzz::check((read.badLines == 0) == read.message.empty(), "a message comes with bad lines");
    fuzz::check((read.badLines == 0) == (read.firstBadLine == 0), "the first bad line is named");
    int32_t previous = 0;
    for (const SequenceAction& a : read.actions) {
        fuzz::check(a.line > previous && a.line != read.firstBadLine, "actions keep file order");
        fuzz::check(a.slot >= 0 && a.slot < kSequenceSlotCount, "slots are 0 to 199");
        previous = a.line;
    }

    std::string again = writeAgain(read.actions);
    SequenceRead reread = readSequenceText(again, "again.ts1");
    fuzz::check(reread.badLines == 0, "what is written reads without a bad line");
    size_t offset = reread.actions.size() - read.actions.size();
    fuzz::check(offset <= 1, "every line written reads back as one action");
    for (size_t i = 0; i < read.actions.size(); ++i)
        fuzz::check(sameAction(read.actions[i], reread.actions[i + offset]),
                    "an action written reads back the same");
    return 0;
}
