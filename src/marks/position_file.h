// Position marks: the text file "position.txt" of lines "position,comment" (CR LF written, LF
// read as well), which the program only appends to and reads again from the top at each step;
// line numbers are the marks' identities. Plain functions: the caller holds the mark index, the
// mark comment and the positions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelkit {

inline constexpr const char* kPositionFileName = "position.txt";
inline constexpr size_t kMarkCommentMax = 299;  // bytes of the mark comment

struct MarkSelection {
    uint32_t index = 0;   // the mark index afterwards (0 when stepping ran past the last line)
    uint32_t target = 0;  // the position the mark gives
    std::string comment;  // the first word of the selected line's comment
};

// Selects mark INDEX (1-based) of the file's TEXT (nullopt: the file could not be opened).
// Lines 1 to INDEX are parsed in turn, each setting TARGET from its leading unsigned decimal
// number; a line without one (or one beyond 32 bits) leaves TARGET as it was. The comment is the
// selected line's text after "," up to the first blank or tab, cut to kMarkCommentMax bytes.
// INDEX 0, a missing file or a file with fewer lines gives index 0 and target 0.
MarkSelection selectMark(std::optional<std::string_view> text, uint32_t index, uint32_t target);

// The same, reading only as far into the file at PATH as INDEX needs.
MarkSelection selectMarkFromFile(const std::string& path, uint32_t index, uint32_t target);

// The text of field 1160: "%d>%s" of the mark index and comment.
std::string markField(uint32_t index, const std::string& comment);

// TEXT cut to kMarkCommentMax bytes without splitting a UTF-8 character.
std::string limitMarkComment(const std::string& text);

// The line a save appends: "position,comment" and CR LF. Line breaks in COMMENT become blanks so
// that the mark stays one line.
std::string positionLine(uint32_t position, const std::string& comment);

// Appends that line to PATH, creating the file when it is missing. A last line left without its
// line end (an edit by hand) is ended first, so the mark starts a line of its own. False when the
// line could not be written.
bool appendPositionMark(const std::string& path, uint32_t position, const std::string& comment);

// What a step command does to the mark index and the positions.
enum class MarkCommand { Next, Previous, First, Set };  // "+", "-", "0", "set"
enum class MarkDevice { Idle, Playing, Recording };
enum class MarkTarget { None, Position, DialogPosition };

struct MarkStep {
    uint32_t index = 0;                    // the mark index to use
    bool readMark = false;                 // select mark INDEX from the file (selectMark)
    MarkTarget target = MarkTarget::None;  // receives the selected mark's position
    bool clearSelection = false;           // no read: the comment empties, field 1160 shows "0>"
    bool positionToZero = false;           // the current position becomes 0
    bool apply = false;                    // apply the current position afterwards
};

// A take counts as playing, and never gets its byte counter (the current position) changed.
MarkStep planMarkStep(MarkCommand command, uint32_t index, MarkDevice device);

// POSITION aligned down to a whole frame of FRAMESIZE bytes (unchanged when FRAMESIZE is 0).
uint32_t alignToFrame(uint32_t position, uint32_t frameSize);

// The position bar's index for POSITION: trunc(POSITION / DATASIZE x RANGE), exactly, at most
// RANGE; 0 when no sound is loaded (DATASIZE 0).
int32_t markScrollIndex(uint32_t position, uint32_t dataSize, uint32_t range);

}  // namespace pelkit
