// The WAV format: the 44-byte header this program writes, the reading of headers written by
// other programs, and the data size measured from the file's length.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "files/file_stream.h"
#include "platform/wave_format.h"

namespace pelkit {

inline constexpr int64_t kCanonicalHeaderSize = 44;

inline constexpr uint16_t kTagPcm = 1;
inline constexpr uint16_t kTagFloat = 3;
inline constexpr uint16_t kTagExtensible = 0xFFFE;

struct WavHeaderInfo {
    uint32_t dataSize = 0;         // file length - 44 (0 for a missing or shorter file)
    WaveFormat format;             // as stored at offsets 20 to 35 (extensible: see below)
    int32_t extraHeaderBytes = 0;  // bytes between offset 44 and the first sample
    uint32_t frameSize = 0;        // channels x bits / 8
    // Set when a well-formed header was refused for its sample encoding: a sentence naming the
    // file and the encoding, for the caller to show. Empty otherwise.
    std::string refusal;
};

// Reads PATH's header. dataSize and extraHeaderBytes are always written (the latter 0 when the
// header is not valid); format and frameSize only for a valid header. Chunks between fmt and
// data are walked (pad bytes after odd sizes honoured), so the data start is
// 44 + extraHeaderBytes. A header whose chunks claim more than the file holds, whose fmt chunk
// is shorter than 16 bytes or whose channels, rate or bits are 0 is not valid.
// An extensible header (tag 0xFFFE, 40-byte fmt) is read as the plain format of its sub-format:
// PCM as tag 1, IEEE float as tag 3, with the container's bits (the valid bits may be fewer, as
// the samples are left-aligned in it). Any other sub-format, or a damaged extension, makes the
// header not valid and sets refusal.
bool ReadWavHeader(const std::string& path, WavHeaderInfo& info);

// Whether FORMAT's samples are an encoding the sound devices play and record: 8-bit unsigned,
// 16-, 24- or 32-bit signed PCM (tag 1) or 32-bit IEEE float (tag 3).
bool isDeviceEncoding(const WaveFormat& format);

// The file's length minus 44; 0 for a missing file, a directory or a file shorter than 44 bytes;
// at most 0xFFFFFFFF.
uint32_t WavDataSize(const std::string& path);

// The 44 bytes written for FORMAT and DATASIZE (FF FF FF FF as the data size when it is 0).
// The format tag is 1, except for float (tag 3), whose samples would otherwise be read back as
// integers. A size that does not fit a 32-bit field is written as the largest one it can hold,
// never wrapped.
std::array<uint8_t, 44> makeWavHeader(const WaveFormat& format, uint64_t dataSize);

// Writes that header at byte 0 of OUT and leaves the stream at byte 44.
bool WriteWavHeader(FileStream& out, const WaveFormat& format, uint64_t dataSize);

// (Re)opens IN on PATH for reading without creating it, reads the first 44 bytes into HEADER
// when one is given, and places the stream at OFFSET. False when the file cannot be opened.
bool OpenSoundStream(const std::string& path, FileStream& in, uint8_t* header, int64_t offset);

}  // namespace pelkit
