// The INI settings file. Every call reads the file again; a write changes only the line of its
// key (or adds one) and keeps every other line, byte for byte, through an atomic replace.
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
    bool writeString(const std::string& section, const std::string& key,
                     const std::string& value) const;

  private:
    std::string path_;
};

}  // namespace pelkit
