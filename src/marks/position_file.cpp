#include "marks/position_file.h"

#include <algorithm>
#include <limits>

#include "files/file_stream.h"

namespace pelkit {

namespace {

// Only a line's number and the first word of its comment matter; this much of a line is kept.
constexpr size_t kKeptLineBytes = 4096;
constexpr size_t kReadChunk = 65536;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Whole lines, split at LF (a CR before it is a blank to the parser), each cut to
// kKeptLineBytes. next() is false at the end.
class LineSource {
  public:
    virtual ~LineSource() = default;
    virtual bool next(std::string& line) = 0;
};

class TextLines : public LineSource {
  public:
    explicit TextLines(std::string_view text) : text_(text) {}
    bool next(std::string& line) override {
        if (pos_ >= text_.size()) return false;
        size_t newline = text_.find('\n', pos_);
        size_t stop = newline == std::string_view::npos ? text_.size() : newline;
        line.assign(text_.substr(pos_, std::min(stop - pos_, kKeptLineBytes)));
        pos_ = stop + 1;
        return true;
    }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

class FileLines : public LineSource {
  public:
    explicit FileLines(FileStream& in) : in_(in) {}
    bool next(std::string& line) override {
        line.clear();
        bool any = false;
        for (;;) {
            if (pos_ == buffer_.size()) {
                if (end_) return any;
                buffer_.resize(kReadChunk);
                size_t got = in_.read(buffer_.data(), kReadChunk);
                buffer_.resize(got);
                pos_ = 0;
                end_ = got < kReadChunk;  // the end, or a failed read: stop there
                if (got == 0) return any;
            }
            any = true;
            size_t newline = buffer_.find('\n', pos_);
            size_t stop = newline == std::string::npos ? buffer_.size() : newline;
            size_t room = kKeptLineBytes - std::min(line.size(), kKeptLineBytes);
            line.append(buffer_, pos_, std::min(stop - pos_, room));
            if (newline != std::string::npos) {
                pos_ = newline + 1;
                return true;
            }
            pos_ = buffer_.size();
        }
    }

  private:
    FileStream& in_;
    std::string buffer_;
    size_t pos_ = 0;
    bool end_ = false;
};

// "%lu,%s" of one line: a leading unsigned number within 32 bits sets TARGET; a "," right after
// it gives the comment's first word.
void parseMarkLine(std::string_view line, uint32_t& target, std::string& comment) {
    size_t i = 0;
    while (i < line.size() && isSpace(line[i]))
        ++i;
    if (i < line.size() && line[i] == '+') ++i;
    size_t digits = i;
    uint64_t value = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        value = value * 10 + static_cast<uint64_t>(line[i] - '0');
        if (value > std::numeric_limits<uint32_t>::max()) return;
        ++i;
    }
    if (i == digits) return;
    target = static_cast<uint32_t>(value);
    if (i >= line.size() || line[i] != ',') return;
    ++i;
    while (i < line.size() && isSpace(line[i]))
        ++i;
    size_t word = i;
    while (i < line.size() && !isSpace(line[i]))
        ++i;
    comment = limitMarkComment(std::string(line.substr(word, i - word)));
}

MarkSelection scan(LineSource* lines, uint32_t index, uint32_t target) {
    MarkSelection s;
    if (lines == nullptr || index == 0) return s;
    s.index = index;
    s.target = target;
    std::string line;
    for (uint32_t n = 0; n < index; ++n) {
        s.comment.clear();
        if (!lines->next(line)) return MarkSelection{};
        parseMarkLine(line, s.target, s.comment);
    }
    return s;
}

}  // namespace

MarkSelection selectMark(std::optional<std::string_view> text, uint32_t index, uint32_t target) {
    if (!text) return scan(nullptr, index, target);
    TextLines lines(*text);
    return scan(&lines, index, target);
}

MarkSelection selectMarkFromFile(const std::string& path, uint32_t index, uint32_t target) {
    FileStream in;
    if (!in.open(path, FileStream::Mode::Read)) return scan(nullptr, index, target);
    FileLines lines(in);
    return scan(&lines, index, target);
}

std::string markField(uint32_t index, const std::string& comment) {
    return std::to_string(index) + ">" + comment;
}

std::string limitMarkComment(const std::string& text) {
    if (text.size() <= kMarkCommentMax) return text;
    size_t cut = kMarkCommentMax;
    // Back up over continuation bytes so the character that does not fit is left out whole.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}

std::string positionLine(uint32_t position, const std::string& comment) {
    std::string oneLine = comment;
    std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    return std::to_string(position) + "," + oneLine + "\r\n";
}

bool appendPositionMark(const std::string& path, uint32_t position, const std::string& comment) {
    bool endLastLine = false;
    int64_t length = fileLength(path);
    if (length > 0) {
        FileStream in;
        char last = '\n';
        if (in.open(path, FileStream::Mode::Read) && in.seek(length - 1) && in.read(&last, 1) == 1)
            endLastLine = last != '\n';
    }
    FileStream out;
    if (!out.open(path, FileStream::Mode::AppendKeep)) return false;
    std::string text = (endLastLine ? "\r\n" : "") + positionLine(position, comment);
    return out.write(text.data(), text.size());
}

MarkStep planMarkStep(MarkCommand command, uint32_t index, MarkDevice device) {
    bool busy = device != MarkDevice::Idle;
    MarkStep s;
    switch (command) {
        case MarkCommand::Next:
            s.index = index + 1;
            s.readMark = true;
            s.target = busy ? MarkTarget::DialogPosition : MarkTarget::Position;
            s.apply = !busy;
            break;
        case MarkCommand::Previous:
            s.index = index == 0 ? 0 : index - 1;
            if (busy) {
                s.readMark = true;
                s.target = MarkTarget::DialogPosition;
            } else {
                // At index 0 nothing is read and the position stays, but it is applied again.
                s.readMark = index != 0;
                s.target = index != 0 ? MarkTarget::Position : MarkTarget::None;
                s.apply = true;
            }
            break;
        case MarkCommand::First:
            s.index = 0;
            s.clearSelection = true;
            s.positionToZero = !busy;
            s.apply = !busy;
            break;
        case MarkCommand::Set: {
            // Playback jumps to the mark; a take's byte counter is never moved.
            bool take = device == MarkDevice::Recording;
            s.index = index;
            s.readMark = true;
            s.target = take ? MarkTarget::DialogPosition : MarkTarget::Position;
            s.apply = !take;
            break;
        }
    }
    return s;
}

uint32_t alignToFrame(uint32_t position, uint32_t frameSize) {
    return frameSize == 0 ? position : position - position % frameSize;
}

int32_t markScrollIndex(uint32_t position, uint32_t dataSize, uint32_t range) {
    if (dataSize == 0) return 0;
    uint64_t index = static_cast<uint64_t>(position) * range / dataSize;
    index = std::min<uint64_t>(index, range);
    return static_cast<int32_t>(
        std::min<uint64_t>(index, static_cast<uint64_t>(std::numeric_limits<int32_t>::max())));
}

}  // namespace pelkit
