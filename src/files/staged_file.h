// An output file that is written under a temporary name beside its final name and renamed into
// place only when it is complete. A write that fails, or a file that is abandoned, leaves no
// partial file behind and leaves an older file of the final name exactly as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace pelkit {

class StagedFile {
  public:
    StagedFile() = default;
    ~StagedFile();  // an unpublished temporary file is removed
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the temporary file for FINAL_PATH (never over an existing file). TOKEN names the
    // temporary file (tempPathFor); an empty token draws a fresh one.
    bool open(const std::string& finalPath, const std::string& token = {});
    bool write(const void* data, size_t n);
    // Writes N bytes at OFFSET (a header written last) and returns to the end of the file.
    bool writeAt(uint64_t offset, const void* data, size_t n);
    uint64_t size() const { return size_; }

    // Flushes, syncs to disk and closes the temporary file, then renames it over the final path
    // and syncs the folder entry.
    bool commit();
    // The two halves of commit, for several files that should appear together: close() completes
    // the temporary file (on disk), release() then forgets it (the caller publishes or discards
    // it later by its name), or publish() renames it.
    bool close();
    void release();
    bool publish();
    // Closes and removes the temporary file.
    void abandon();

    bool isOpen() const { return file_ != nullptr; }
    bool failed() const { return !error_.empty(); }
    // What failed, naming the final path; empty while nothing has.
    const std::string& error() const { return error_; }
    const std::string& finalPath() const { return finalPath_; }
    const std::string& tempPath() const { return tempPath_; }

    // A fresh random token for temporary names.
    static std::string newToken();
    // The temporary name of FINAL_PATH under TOKEN: beside it, in the same directory, as
    // FINAL_PATH.TOKEN.part (a fresh token is 12 lower-case hexadecimal digits).
    static std::string tempPathFor(const std::string& finalPath, const std::string& token);
    // Whether FILE_NAME (without its folder) is a temporary name with a fresh token: a name, a
    // dot, 12 lower-case hexadecimal digits and ".part".
    static bool isTempName(const std::string& fileName);
    // Renames TEMP_PATH over FINAL_PATH; on failure removes TEMP_PATH and returns what failed.
    // The folder entry is not synced (syncFolderOf, once for several files).
    static std::string publishFile(const std::string& tempPath, const std::string& finalPath);
    // Removes TEMP_PATH if it exists.
    static void discardFile(const std::string& tempPath);

  private:
    bool writeFailed(const char* what, int err);

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;  // the write buffer of file_; kept for the next file
    std::string finalPath_;
    std::string tempPath_;  // empty once published, released or removed
    std::string error_;
    uint64_t size_ = 0;
};

}  // namespace pelkit
