// The position file reader: the file reader and the text reader select the same mark, and the
// mark saved again reads back the same.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "marks/position_file.h"

using namespace pelkit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first two bytes choose the mark index, the rest is the file.
    if (size < 2) return 0;
    uint32_t index = data[0] | (uint32_t{data[1]} << 8);
    std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    std::string path = fuzz::writeScratchFile("position.txt", data + 2, size - 2);

    MarkSelection fromText = selectMark(text, index, 12345);
    MarkSelection fromFile = selectMarkFromFile(path, index, 12345);
    fuzz::check(fromText.index == fromFile.index && fromText.target == fromFile.target &&
                    fromText.comment == fromFile.comment,
                "the file and the text select the same mark");
    fuzz::check(fromText.index == 0 || fromText.index == index, "the index stays or goes to 0");
    fuzz::check(fromText.index != 0 || (fromText.target == 0 && fromText.comment.empty()),
                "no selection gives position 0");
    fuzz::check(fromText.comment.size() <= kMarkCommentMax, "the comment fits its buffer");
    for (char c : fromText.comment)
        fuzz::check(c != ' ' && c != '\t' && c != '\r' && c != '\n', "one word comes back");

    if (fromText.index != 0) {
        std::string line = positionLine(fromText.target, fromText.comment);
        MarkSelection again = selectMark(line, 1, 0);
        fuzz::check(again.target == fromText.target && again.comment == fromText.comment,
                    "a mark saved again reads back the same");
    }
    return 0;
}
