#include "hosts/headless/script_reader.h"

#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>

namespace pelkit {

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

bool parseInt(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return end && *end == '\0';
}

std::string restAfterWords(const std::string& line, int n) {
    size_t at = 0;
    for (int i = 0; i < n; ++i) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
    }
    if (at < line.size()) ++at;
    return at <= line.size() ? line.substr(at) : std::string();
}

bool ScriptReader::next(ScriptLine& line) {
    if (ended_) return false;
    if (!(read_ ? read_(line.text) : static_cast<bool>(std::getline(in_, line.text)))) {
        ended_ = true;
        return false;
    }
    ++lineNumber_;
    if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
    line.words = splitWords(line.text);
    return true;
}

bool ScriptReader::perform(const ScriptLine& line,
                           const std::function<void(const ScriptLine&)>& act, std::ostream& err) {
    if (line.ignored()) return true;
    try {
        act(line);
        return true;
    } catch (const ScriptError& e) {
        err << "script line " << lineNumber_ << ": " << e.what << '\n';
        ended_ = true;
        return false;
    }
}

}  // namespace pelkit
