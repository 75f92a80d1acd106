#include "files/wav_format.h"

#include <algorithm>
#include <cstdio>
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

// Whether the four bytes at ID can name a chunk: printable, not starting with a blank.
bool chunkName(const uint8_t* id) {
    for (int i = 0; i < 4; ++i) {
        if (id[i] < 0x20 || id[i] > 0x7E) return false;
    }
    return id[0] != ' ';
}

// Where the chunk after one of SIZE bytes whose body starts at BODY begins. RIFF pads an odd
// body with a zero byte, but some writers leave the pad out: where a chunk name follows the
// body directly, there is no pad.
int64_t nextChunk(ByteSource& in, int64_t body, int64_t size) {
    int64_t next = body + size;
    if ((size & 1) == 0) return next;
    uint8_t id[4] = {};
    bool named = in.readAt(next, id, 4) == 4 && chunkName(id);
    return named ? next : next + 1;
}

struct DataChunk {
    int64_t start = -1;     // offset of the first sample, -1 when the file ends first
    uint32_t declared = 0;  // the chunk's size field
};

// Walks the chunks that start at OFFSET until a "data" chunk header. SUM receives the bytes of
// the chunks passed.
DataChunk findDataChunk(ByteSource& in, int64_t offset, int64_t fileLength, int64_t& sum) {
    sum = 0;
    while (offset + 8 <= fileLength) {
        uint8_t chunk[8];
        if (in.readAt(offset, chunk, 8) != 8) return {};
        if (std::memcmp(chunk, "data", 4) == 0) return {offset + 8, le32(chunk + 4)};
        int64_t next = nextChunk(in, offset + 8, le32(chunk + 4));
        sum += next - offset;
        offset = next;
    }
    return {};
}

// The tail shared by the sub-format GUIDs that carry an ordinary format tag in their first
// 16 bits: {0000xxxx-0000-0010-8000-00AA00389B71}, as stored (first three fields little-endian).
constexpr uint8_t kTagGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                      0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::string guidText(const uint8_t* g) {
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(le32(g)), le16(g + 4), le16(g + 6), g[8], g[9], g[10],
                  g[11], g[12], g[13], g[14], g[15]);
    return text;
}

// The name of the sound encoding of format tag TAG.
std::string tagName(uint16_t tag) {
    static constexpr struct {
        uint16_t tag;
        const char* name;
    } kNames[] = {{0x0002, "ADPCM"},        {0x0006, "A-law"},      {0x0007, "µ-law"},
                  {0x0011, "IMA ADPCM"},    {0x0031, "GSM 6.10"},   {0x0050, "MPEG audio"},
                  {0x0055, "MPEG layer 3"}, {0x0092, "Dolby AC-3"}, {0x00FF, "AAC"},
                  {0x1610, "MPEG-4 AAC"},   {0xF1AC, "FLAC"}};
    for (const auto& n : kNames) {
        if (n.tag == tag) return n.name;
    }
    return "format tag " + std::to_string(tag);
}

// A name for the sound encoding of sub-format GUID G.
std::string encodingName(const uint8_t* g) {
    if (std::memcmp(g + 2, kTagGuidTail, sizeof kTagGuidTail) != 0) {
        return "an encoding unknown here (sub-format " + guidText(g) + ")";
    }
    return tagName(le16(g)) + " encoding (sub-format " + guidText(g) + ")";
}

// Turns the extensible format F, whose fmt chunk of FMTSIZE bytes starts at offset 12 of IN,
// into the plain format of its sub-format. False, with the reason in WHY, when it has none.
bool resolveExtensible(ByteSource& in, int64_t fmtSize, WaveFormat& f, std::string& why) {
    // fmt body from offset 16: extension size, valid bits, channel mask, sub-format GUID.
    uint8_t ext[24];
    if (fmtSize < 40 || in.readAt(36, ext, sizeof ext) != sizeof ext || le16(ext) < 22) {
        why = "has an extensible format chunk too short to name its encoding";
        return false;
    }
    uint16_t validBits = le16(ext + 2);
    const uint8_t* guid = ext + 8;
    bool tagged = std::memcmp(guid + 2, kTagGuidTail, sizeof kTagGuidTail) == 0;
    uint16_t tag = le16(guid);
    if (!tagged || (tag != kTagPcm && tag != kTagFloat)) {
        why = "holds sound in " + encodingName(guid) +
              "; only PCM and IEEE float WAV files can be played";
        return false;
    }
    if (validBits > f.bitsPerSample) {
        why = "claims " + std::to_string(validBits) + " valid bits in " +
              std::to_string(f.bitsPerSample) + "-bit samples";
        return false;
    }
    f.formatTag = tag;
    return true;
}

// LENGTH - 44, held within 0 and 0xFFFFFFFF: the sound of a file read as all after a
// canonical header.
uint32_t sizeAfterCanonicalHeader(int64_t length) {
    if (length < kCanonicalHeaderSize) return 0;
    int64_t size = length - kCanonicalHeaderSize;
    return size > 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
}

// The format fields of the canonical header H (its first 44 bytes).
WaveFormat canonicalFormat(const uint8_t* h) {
    WaveFormat f;
    f.formatTag = le16(h + 20);
    f.channels = le16(h + 22);
    f.samplesPerSecond = le32(h + 24);
    f.avgBytesPerSecond = le32(h + 28);
    f.blockAlign = le16(h + 32);
    f.bitsPerSample = le16(h + 34);
    f.extraSize = 0;
    return f;
}

// The data chunk of a file of LENGTH bytes whose header H has a fmt chunk of FMTSIZE bytes.
// EXTRA receives how many header bytes come before the sound beyond the canonical 44.
DataChunk locateData(ByteSource& in, const uint8_t* h, int64_t fmtSize, int64_t length,
                     int64_t& extra) {
    DataChunk data{kCanonicalHeaderSize, le32(h + 40)};
    if (fmtSize != 16 || std::memcmp(h + 36, "data", 4) != 0) {
        int64_t walked = 0;
        data = findDataChunk(in, nextChunk(in, 20, fmtSize), length, walked);
        if (data.start >= 0) {
            extra = data.start - kCanonicalHeaderSize;
        } else if (fmtSize != 16) {
            // No data chunk: the bytes after the chunks read are taken as the sound.
            extra = (fmtSize - 16) + walked;
        }
        // A 16-byte fmt chunk with no data chunk anywhere keeps the canonical data start.
    }
    return data;
}

// The sound is the data chunk when its size is credible. A size of 0 or FF FF FF FF (the
// placeholder of a take not yet finished) or one past the end of the file (a file cut
// short) is not: then everything after the header, AFTERHEADER bytes, is the sound.
void setDataSize(WavHeaderInfo& info, const DataChunk& data, int64_t afterHeader) {
    if (data.start >= 0 && data.declared != 0 && data.declared != 0xFFFFFFFFu &&
        data.declared <= afterHeader) {
        info.dataSize = data.declared;
        info.sizeDeclared = true;
    } else {
        info.dataSize = static_cast<uint32_t>(std::min<int64_t>(afterHeader, 0xFFFFFFFFLL));
    }
}

}  // namespace

bool isDeviceEncoding(const WaveFormat& f) {
    if (f.formatTag == kTagFloat) return f.bitsPerSample == 32;
    return f.formatTag == kTagPcm && (f.bitsPerSample == 8 || f.bitsPerSample == 16 ||
                                      f.bitsPerSample == 24 || f.bitsPerSample == 32);
}

std::string unplayableReason(const WaveFormat& f) {
    if (f.channels == 0) return "says it holds 0 channels";
    if (f.samplesPerSecond == 0) return "says its rate is 0 samples per second";
    if (f.formatTag != kTagPcm && f.formatTag != kTagFloat) {
        return "holds sound in " + tagName(f.formatTag) + " encoding (format tag " +
               std::to_string(f.formatTag) + "); only PCM and IEEE float WAV files can be played";
    }
    if (!isDeviceEncoding(f)) {
        return "holds " + std::to_string(f.bitsPerSample) + "-bit " +
               (f.formatTag == kTagFloat ? "IEEE float" : "PCM") +
               " samples; only 8-, 16-, 24- and 32-bit PCM and 32-bit float can be played";
    }
    return {};
}

std::string playRefusal(const std::string& path, const WavHeaderInfo& info, bool valid) {
    if (!valid || info.format.channels <= kMaxPlayChannels) return info.refusal;
    return path + " holds " + std::to_string(info.format.channels) +
           " channels; the sound output takes at most " + std::to_string(kMaxPlayChannels) +
           ". The file is left as it is.";
}

uint32_t WavDataSize(const std::string& path) {
    return sizeAfterCanonicalHeader(fileLength(path));
}

bool ReadWavHeader(const std::string& path, WavHeaderInfo& info) {
    FileBytes file(path);
    if (file.isOpen()) return ReadWavHeader(file, path, info);
    info.extraHeaderBytes = 0;
    info.sizeDeclared = false;
    info.refusal.clear();
    info.dataSize = WavDataSize(path);
    return false;
}

bool ReadWavHeader(ByteSource& in, const std::string& name, WavHeaderInfo& info) {
    info.extraHeaderBytes = 0;
    info.sizeDeclared = false;
    info.refusal.clear();
    const int64_t length = in.size();
    info.dataSize = sizeAfterCanonicalHeader(length);

    uint8_t h[44];
    if (in.readAt(0, h, 44) != 44) return false;
    if (std::memcmp(h, "RIFF", 4) != 0 || std::memcmp(h + 8, "WAVE", 4) != 0 ||
        std::memcmp(h + 12, "fmt ", 4) != 0) {
        return false;
    }

    WaveFormat f = canonicalFormat(h);

    int64_t fmtSize = le32(h + 16);
    if (fmtSize < 16) return false;
    std::string why;
    if (f.formatTag == kTagExtensible) resolveExtensible(in, fmtSize, f, why);

    int64_t extra = 0;
    DataChunk data = locateData(in, h, fmtSize, length, extra);
    if (kCanonicalHeaderSize + extra > length || extra > 0x7FFFFFFF) return false;
    info.extraHeaderBytes = static_cast<int32_t>(extra);
    setDataSize(info, data, length - (kCanonicalHeaderSize + extra));

    if (why.empty()) why = unplayableReason(f);
    if (!why.empty()) {
        info.refusal = name + " " + why + ". The file is left as it is.";
        return false;
    }
    info.format = f;
    info.frameSize = static_cast<uint32_t>(f.channels) * f.bitsPerSample / 8;
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
    put16(h.data() + 20, format.formatTag == kTagFloat ? kTagFloat : kTagPcm);
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

bool chunksFollowTheData(const std::string& path, const WavHeaderInfo& info) {
    if (!info.sizeDeclared) return false;
    FileBytes file(path);
    return file.isOpen() && chunksFollowTheData(file, info);
}

bool chunksFollowTheData(ByteSource& in, const WavHeaderInfo& info) {
    if (!info.sizeDeclared) return false;
    const int64_t length = in.size();
    int64_t offset =
        nextChunk(in, kCanonicalHeaderSize + info.extraHeaderBytes, int64_t{info.dataSize});
    if (offset + 8 > length) return false;
    // Only whole named chunks up to the end of the file: stray bytes after the data are none.
    while (offset + 8 <= length) {
        uint8_t chunk[8];
        if (in.readAt(offset, chunk, 8) != 8) return false;
        if (!chunkName(chunk)) return false;
        offset = nextChunk(in, offset + 8, le32(chunk + 4));
    }
    return offset == length || offset == length + 1;
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
    // Chunks after a data chunk of credible size are not sound: the stream ends with it. The
    // header is read through the stream just opened, so a file is opened once however often a
    // sub sound starts again.
    WavHeaderInfo info;
    StreamBytes bytes(in);
    if ((ReadWavHeader(bytes, path, info) || !info.refusal.empty()) && info.sizeDeclared) {
        in.setEnd(kCanonicalHeaderSize + info.extraHeaderBytes + int64_t{info.dataSize});
    }
    in.clear();
    in.seek(offset);
    return true;
}

}  // namespace pelkit
