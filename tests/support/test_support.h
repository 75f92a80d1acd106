// Helpers shared by the tests: temporary directories, files as bytes, WAV files built here byte
// by byte (independently of the program's own writer), and runs of the real program.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pelkit::test {

using Bytes = std::vector<uint8_t>;

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Changes the working directory for the lifetime of the object.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const std::string& path);
    ~WorkingDirectory();

  private:
    std::string previous_;
};

// While it lives, a process running as root acts as the unprivileged user "nobody", so that file
// permissions apply to it as to any user; a process that is not root is left as it is.
class AsUnprivilegedUser {
  public:
    AsUnprivilegedUser();
    ~AsUnprivilegedUser();
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

  private:
    bool switched_ = false;
};

Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& bytes);
void writeText(const std::string& path, const std::string& text);
std::string readText(const std::string& path);
bool exists(const std::string& path);
// The names of the files in DIR, sorted.
std::vector<std::string> listing(const std::string& dir);

void put16(Bytes& b, uint32_t v);
void put32(Bytes& b, uint32_t v);
void putTag(Bytes& b, const char* tag);

// A canonical 44-byte-header PCM WAV file with DATA as its samples.
Bytes canonicalWav(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data);
// DATA as little-endian 16-bit samples.
Bytes samples16(const std::vector<int16_t>& values);
// N bytes of a pattern that never repeats within 64 KiB: byte i = (i * 7 + i / 251) mod 256.
Bytes patternBytes(size_t n, uint32_t seed = 0);

// The little-endian unsigned value of SIZE bytes at AT; the signed 16-bit sample at AT.
uint32_t le(const Bytes& b, size_t at, int size);
int value16(const Bytes& b, size_t at);
// B read as little-endian 16-bit samples.
std::vector<int16_t> values16(const Bytes& b);
// Bytes FROM .. TO of B (TO limited to its size), and B with MORE appended.
Bytes slice(const Bytes& b, size_t from, size_t to);
void append(Bytes& b, const Bytes& more);

// A take as a recording leaves it before it is finished: RIFF size 36, data size FF FF FF FF.
Bytes placeholderWav(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data = {});

struct Chunk {
    const char* tag;
    Bytes body;
    std::optional<uint32_t> declared = std::nullopt;  // a size field other than the body's
    bool pad = true;                                  // an odd body gets its zero pad byte
};
// A RIFF/WAVE file of CHUNKS in order, its RIFF size that of the bytes made.
Bytes riffFile(const std::vector<Chunk>& chunks);
// A 16-bit stereo 44100 Hz file whose fmt chunk has FMT_SIZE bytes (zeros past the first 16),
// followed by CHUNKS (odd ones padded to an even length) and the data chunk holding DATA.
Bytes wavWithChunks(uint32_t fmtSize, const std::vector<Chunk>& chunks, const Bytes& data);

// N bytes without any period that a misplaced read could land on (a 32-bit xorshift).
Bytes noiseBytes(size_t n, uint32_t seed);

// Whether the file at PATH holds exactly EXPECTED; on a difference, where it starts.
::testing::AssertionResult holds(const std::string& path, const Bytes& expected);

// Makes writes past BYTES fail, as on a nearly full disk, for the lifetime of the object;
// programs started meanwhile inherit the limit.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    sighandler_t previous_ = SIG_DFL;
};

struct ProgramRun {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// The path of the built pelkit_recorder.
std::string programPath();

// Runs pelkit_recorder --headless with ARGS (before the script), the script SCRIPT on standard
// input, in directory CWD.
ProgramRun runHeadless(const std::string& cwd, const std::vector<std::string>& args,
                       const std::string& script);

}  // namespace pelkit::test
