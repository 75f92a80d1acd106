#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace pelkit::fuzz {

namespace {

class Scratch {
  public:
    Scratch() {
        // A memory file system when there is one: every input is written to a file, and a
        // disk makes that the slowest part of a run.
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path();
        if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", ec) &&
            access("/dev/shm", W_OK) == 0) {
            base = "/dev/shm";
        }
        std::string pattern = (base / "pelkit_fuzz_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        path_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace

const std::string& scratchDirectory() {
    static const Scratch scratch;
    return scratch.path();
}

std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t n) {
    std::string path = scratchDirectory() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
    return path;
}

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

}  // namespace pelkit::fuzz
