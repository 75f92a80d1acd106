// The headless script read line by line: words, blank lines and comments, and the report of a
// malformed line with its number. What a line does is the host's business.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace pelkit {

// A malformed script line; WHAT is printed after "script line N: ".
struct ScriptError {
    std::string what;
};

// The blank-separated words of LINE.
std::vector<std::string> splitWords(const std::string& line);
// A whole decimal number; false for anything else (an empty text included).
bool parseInt(const std::string& text, long& value);
// The text after the first N words of LINE (one separating blank taken off).
std::string restAfterWords(const std::string& line, int n);

struct ScriptLine {
    std::string text;  // as read, without its line end
    std::vector<std::string> words;
    // A blank line or a comment ('#' first): nothing to do.
    bool ignored() const { return words.empty() || words[0][0] == '#'; }
};

class ScriptReader {
  public:
    explicit ScriptReader(std::istream& in) : in_(in) {}

    // Lines come from READ (false at the end) instead of the stream.
    void setSource(std::function<bool(std::string&)> read) { read_ = std::move(read); }

    // The next line; false at the end of the script, and ever after once it ended or failed.
    bool next(ScriptLine& line);
    // Runs ACT on LINE unless the line is ignored. A ScriptError it throws is printed on ERR as
    // "script line N: WHAT" and ends the script; false then.
    bool perform(const ScriptLine& line, const std::function<void(const ScriptLine&)>& act,
                 std::ostream& err);

  private:
    std::istream& in_;
    std::function<bool(std::string&)> read_;
    int lineNumber_ = 0;
    bool ended_ = false;
};

}  // namespace pelkit
