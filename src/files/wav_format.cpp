#include "files/wav_format.h"

#include <algorithm>
#include <cstring>

namespace pelkit {

namespace {

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Walks the chunks that start at OFFSET until a "data" chunk header; returns the offset of the
// first sample, or -1 when the file ends first. SUM receives the bytes of the chunks passed.
int64_t findDataStart(FileStream& in, int64_t offset, int64_t fileLength, int64_t& sum) {
    sum = 0;
    while (offset + 8 <= fileLength) {
        uint8_t chunk[8];
        if (!in.seek(offset) || in.read(chunk, 8) != 8) return -1;
        if (std::memcmp(chunk, "data", 4) == 0) return offset + 8;
        int64_t size = le32(chunk + 4);
        int64_t skip = 8 + size + (size & 1);  // RIFF pads odd chunks to an even length
        sum += skip;
        offset += skip;
    }
    return -1;
}

}  // namespace

uint32_t WavDataSize(const std::string& path) {
    int64_t length = fileLength(path);
    if (length < kCanonicalHeaderSize) return 0;
    int64_t size = length - kCanonicalHeaderSize;
    return size > 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
}

bool ReadWavHeader(const std::string& path, WavHeaderInfo& info) {
    info.extraHeaderBytes = 0;
    info.dataSize = WavDataSize(path);

    FileStream in;
    uint8_t h[44];
    if (!in.open(path, FileStream::Mode::Read) || in.read(h, 44) != 44) return false;
    if (std::memcmp(h, "RIFF", 4) != 0 || std::memcmp(h + 8, "WAVE", 4) != 0 ||
        std::memcmp(h + 12, "fmt ", 4) != 0) {
        return false;
    }

    WaveFormat f;
    f.formatTag = le16(h + 20);
    f.channels = le16(h + 22);
    f.samplesPerSecond = le32(h + 24);
    f.avgBytesPerSecond = le32(h + 28);
    f.blockAlign = le16(h + 32);
    f.bitsPerSample = le16(h + 34);
    f.extraSize = 0;
    uint32_t frameSize = static_cast<uint32_t>(f.channels) * f.bitsPerSample / 8;
    if (frameSize == 0 || f.samplesPerSecond == 0) return false;

    int64_t fmtSize = le32(h + 16);
    if (fmtSize < 16) return false;
    int64_t length = in.size();
    int64_t extra = 0;
    if (fmtSize != 16 || std::memcmp(h + 36, "data", 4) != 0) {
        int64_t walked = 0;
        int64_t first = 20 + fmtSize + (fmtSize & 1);
        int64_t start = findDataStart(in, first, length, walked);
        if (start >= 0) {
            extra = start - kCanonicalHeaderSize;
        } else if (fmtSize != 16) {
            // No data chunk: the bytes after the chunks read are taken as the sound.
            extra = (fmtSize - 16) + walked;
        }
        // A 16-byte fmt chunk with no data chunk anywhere keeps the canonical data start.
    }
    if (kCanonicalHeaderSize + extra > length || extra > 0x7FFFFFFF) return false;

    info.format = f;
    info.extraHeaderBytes = static_cast<int32_t>(extra);
    info.frameSize = frameSize;
    return true;
}

std::array<uint8_t, 44> makeWavHeader(const WaveFormat& format, uint64_t dataSize) {
    constexpr uint64_t kLargest = 0xFFFFFFFFu;
    std::array<uint8_t, 44> h{};
    std::memcpy(h.data(), "RIFF", 4);
    put32(h.data() + 4, static_cast<uint32_t>(std::min(dataSize + 36, kLargest)));
    std::memcpy(h.data() + 8, "WAVE", 4);
    std::memcpy(h.data() + 12, "fmt ", 4);
    put32(h.data() + 16, 16);
    put16(h.data() + 20, 1);  // always PCM, whatever the record holds
    put16(h.data() + 22, format.channels);
    put32(h.data() + 24, format.samplesPerSecond);
    put32(h.data() + 28, format.avgBytesPerSecond);
    put16(h.data() + 32, format.blockAlign);
    put16(h.data() + 34, format.bitsPerSample);
    std::memcpy(h.data() + 36, "data", 4);
    put32(h.data() + 40,
          static_cast<uint32_t>(dataSize == 0 ? kLargest : std::min(dataSize, kLargest)));
    return h;
}

bool WriteWavHeader(FileStream& out, const WaveFormat& format, uint64_t dataSize) {
    auto h = makeWavHeader(format, dataSize);
    out.seek(0);
    return out.write(h.data(), h.size());
}

bool OpenSoundStream(const std::string& path, FileStream& in, uint8_t* header, int64_t offset) {
    in.close();
    in.clear();
    if (!in.open(path, FileStream::Mode::Read)) return false;
    if (header) {
        std::memset(header, 0, 44);
        in.read(header, 44);
        in.clear();
    }
    in.seek(offset);
    return true;
}

}  // namespace pelkit
