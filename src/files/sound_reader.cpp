#include "files/sound_reader.h"

#include <algorithm>
#include <cstring>

namespace pelkit {

namespace {

// Reads smaller than this are served from the read-ahead buffer.
constexpr size_t kDirectReadBytes = 16384;
constexpr size_t kReadAheadBytes = 65536;

}  // namespace

uint32_t soundBytesOf(FileStream& in, const WavHeaderInfo& header) {
    const int64_t dataStart = kCanonicalHeaderSize + header.extraHeaderBytes;
    const int64_t length = in.size();
    if (length <= dataStart) return 0;
    uint64_t bytes = std::min<uint64_t>(static_cast<uint64_t>(length - dataStart), header.dataSize);

    uint8_t chunk[8];
    in.clear();
    if (dataStart >= 8 && in.seek(dataStart - 8) && in.read(chunk, 8) == 8 &&
        std::memcmp(chunk, "data", 4) == 0) {
        uint32_t declared =
            static_cast<uint32_t>(chunk[4]) | (static_cast<uint32_t>(chunk[5]) << 8) |
            (static_cast<uint32_t>(chunk[6]) << 16) | (static_cast<uint32_t>(chunk[7]) << 24);
        if (declared != 0 && declared != 0xFFFFFFFFu) bytes = std::min<uint64_t>(bytes, declared);
    }
    in.clear();
    return static_cast<uint32_t>(bytes);
}

bool SoundReader::open(const std::string& path, const WavHeaderInfo& header, uint64_t start) {
    path_ = path;
    error_.clear();
    soundBytes_ = 0;
    position_ = 0;
    dataStart_ = kCanonicalHeaderSize + header.extraHeaderBytes;
    if (!in_.open(path, FileStream::Mode::Read)) {
        error_ = "cannot open " + path;
        return false;
    }
    soundBytes_ = soundBytesOf(in_, header);
    seek(start);
    return true;
}

void SoundReader::seek(uint64_t position) {
    position_ = std::min<uint64_t>(position, soundBytes_);
    aheadAt_ = aheadEnd_ = 0;
    aheadError_.clear();
    in_.clear();
    in_.seek(dataStart_ + static_cast<int64_t>(position_));
}

std::string SoundReader::readFile(uint8_t* out, size_t n, size_t& got) {
    got = in_.read(out, n);
    if (got == n) return {};
    return in_.bad() ? "cannot read " + path_ : "cannot read " + path_ + ": the file ended early";
}

size_t SoundReader::read(uint8_t* buffer, size_t n) {
    if (failed()) return 0;
    const size_t want = static_cast<size_t>(std::min<uint64_t>(n, remaining()));
    size_t done = std::min(want, aheadEnd_ - aheadAt_);
    if (done > 0) std::memcpy(buffer, ahead_.data() + aheadAt_, done);
    aheadAt_ += done;
    if (done < want && !aheadError_.empty()) {
        // The read ahead stopped short: the bytes before that point have all been served.
        error_ = aheadError_;
    } else if (done < want) {
        // The buffer is used up; the file stands where the sound continues.
        const size_t rest = want - done;
        size_t got = 0;
        if (rest >= kDirectReadBytes) {
            error_ = readFile(buffer + done, rest, got);
            done += got;
        } else {
            const auto fill =
                static_cast<size_t>(std::min<uint64_t>(kReadAheadBytes, remaining() - done));
            ahead_.resize(kReadAheadBytes);
            aheadError_ = readFile(ahead_.data(), fill, got);
            aheadAt_ = std::min(rest, got);
            aheadEnd_ = got;
            if (aheadAt_ > 0) std::memcpy(buffer + done, ahead_.data(), aheadAt_);
            done += aheadAt_;
            if (done < want) error_ = aheadError_;
        }
    }
    position_ += done;
    return done;
}

}  // namespace pelkit
