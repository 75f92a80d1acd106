// The INI settings file. Every call reads the file again; a write changes only the line of its
// key (or adds one) and keeps every other line, byte for byte, through an atomic replace that
// is synced to disk. A file that cannot be read is never replaced; a symbolic link is written
// through to its file, which keeps its mode; a leading UTF-8 byte-order mark is kept and hides
// nothing.
#pragma once

#include <string>

namespace pelkit {

class SettingsFile {
  public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The leading decimal integer of the value; DEFAULT when the key is missing.
    int readInt(const std::string& section, const std::string& key, int fallback) const;
    // The value with surrounding blanks and one pair of enclosing quotes removed.
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // False when the file could not be written; PROBLEM then says why.
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     std::string* problem = nullptr) const;

    // Why the file exists but cannot be read ("Permission denied"); empty when it can be read or
    // does not exist (every key then takes its default).
    std::string readProblem() const;

  private:
    std::string path_;
};

}  // namespace pelkit
