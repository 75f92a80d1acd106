#include "support/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace pelkit::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "pelkit-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

WorkingDirectory::WorkingDirectory(const std::string& path) {
    previous_ = fs::current_path().string();
    fs::current_path(path);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ec;
    fs::current_path(previous_, ec);
}

AsUnprivilegedUser::AsUnprivilegedUser() {
    if (geteuid() != 0) return;
    constexpr uid_t kNobody = 65534;
    if (setegid(kNobody) != 0 || seteuid(kNobody) != 0) {
        throw std::runtime_error("cannot act as an unprivileged user");
    }
    switched_ = true;
}

AsUnprivilegedUser::~AsUnprivilegedUser() {
    if (!switched_) return;
    if (seteuid(0) != 0 || setegid(0) != 0) std::abort();
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::vector<std::string> listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(tag[i]));
}

Bytes canonicalWav(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data) {
    Bytes b;
    putTag(b, "RIFF");
    put32(b, static_cast<uint32_t>(data.size()) + 36);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * (bits / 8));
    put16(b, static_cast<uint32_t>(channels * (bits / 8)));
    put16(b, bits);
    putTag(b, "data");
    put32(b, static_cast<uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Bytes samples16(const std::vector<int16_t>& values) {
    Bytes b;
    for (int16_t v : values)
        put16(b, static_cast<uint16_t>(v));
    return b;
}

Bytes patternBytes(size_t n, uint32_t seed) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>((i * 7 + i / 251 + seed) & 0xFF);
    return b;
}

Bytes noiseBytes(size_t n, uint32_t seed) {
    Bytes b(n);
    uint32_t x = 0x9E3779B9u ^ seed;
    for (uint8_t& v : b) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        v = static_cast<uint8_t>(x >> 24);
    }
    return b;
}

uint32_t le(const Bytes& b, size_t at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

int value16(const Bytes& b, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(b[at] | b[at + 1] << 8));
}

std::vector<int16_t> values16(const Bytes& b) {
    std::vector<int16_t> v;
    for (size_t i = 0; i + 1 < b.size(); i += 2)
        v.push_back(static_cast<int16_t>(value16(b, i)));
    return v;
}

Bytes slice(const Bytes& b, size_t from, size_t to) {
    to = std::min(to, b.size());
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(to));
}

void append(Bytes& b, const Bytes& more) {
    b.insert(b.end(), more.begin(), more.end());
}

Bytes placeholderWav(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data) {
    Bytes b = canonicalWav(channels, rate, bits, data);
    b[4] = 36;
    std::fill(b.begin() + 5, b.begin() + 8, 0);
    std::fill(b.begin() + 40, b.begin() + 44, 0xFF);
    return b;
}

Bytes wavWithChunks(uint32_t fmtSize, const std::vector<Chunk>& chunks, const Bytes& data) {
    Bytes canonical = canonicalWav(2, 44100, 16, {});
    // "WAVE", "fmt ", size, 16 bytes, then zeros. Sized once: GCC 12 at -O3 wrongly reports a
    // copy out of bounds when a vector built from a range is grown.
    Bytes body(28 + fmtSize - 16, 0);
    std::copy(canonical.begin() + 8, canonical.begin() + 36, body.begin());
    body[8] = static_cast<uint8_t>(fmtSize);
    auto add = [&body](const char* tag, const Bytes& content) {
        putTag(body, tag);
        put32(body, static_cast<uint32_t>(content.size()));
        body.insert(body.end(), content.begin(), content.end());
        if (content.size() % 2) body.push_back(0);
    };
    for (const Chunk& c : chunks)
        add(c.tag, c.body);
    add("data", data);
    Bytes b;
    putTag(b, "RIFF");
    put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

std::string programPath() {
    return PELKIT_PROGRAM;
}

ProgramRun runHeadless(const std::string& cwd, const std::vector<std::string>& args,
                       const std::string& script) {
    TempDir io;
    std::string scriptFile = io.file("script.txt");
    std::string outFile = io.file("out.txt");
    std::string errFile = io.file("err.txt");
    writeText(scriptFile, script);

    ProgramRun result;
    std::fflush(nullptr);  // or the child writes the test's pending output again
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) _exit(126);
        std::freopen(scriptFile.c_str(), "r", stdin);
        std::freopen(outFile.c_str(), "w", stdout);
        std::freopen(errFile.c_str(), "w", stderr);
        std::vector<std::string> all = {programPath(), "--headless"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readText(outFile);
    result.err = readText(errFile);
    return result;
}

::testing::AssertionResult holds(const std::string& path, const Bytes& expected) {
    Bytes actual = readFile(path);
    if (actual == expected) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return ::testing::AssertionFailure()
           << path << " holds " << actual.size() << " bytes, " << expected.size()
           << " expected; first difference at " << at;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
}

Bytes riffFile(const std::vector<Chunk>& chunks) {
    Bytes b;
    putTag(b, "RIFF");
    put32(b, 0);
    putTag(b, "WAVE");
    for (const Chunk& c : chunks) {
        putTag(b, c.tag);
        put32(b, c.declared.value_or(static_cast<uint32_t>(c.body.size())));
        append(b, c.body);
        if (c.pad && c.body.size() % 2) b.push_back(0);
    }
    const auto size = static_cast<uint32_t>(b.size() - 8);
    for (int i = 0; i < 4; ++i)
        b[4 + i] = static_cast<uint8_t>(size >> (8 * i));
    return b;
}

}  // namespace pelkit::test
