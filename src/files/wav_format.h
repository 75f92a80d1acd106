// The WAV format: the 44-byte header this program writes, the reading of headers written by
// other programs, and the amount of sound: the data chunk, or all after the header.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "files/byte_source.h"
#include "files/file_stream.h"
#include "platform/wave_format.h"

namespace pelkit {

inline constexpr int64_t kCanonicalHeaderSize = 44;

inline constexpr uint16_t kTagPcm = 1;
inline constexpr uint16_t kTagFloat = 3;
inline constexpr uint16_t kTagExtensible = 0xFFFE;

// The most channels a sound may have to be played: the sound output's widest layout (7.1).
inline constexpr uint16_t kMaxPlayChannels = 8;

struct WavHeaderInfo {
    // Bytes of sound: the data chunk's size when it is credible (not 0, not FF FF FF FF, and
    // within the file), else everything after the header (file length - 44 - extraHeaderBytes).
    // For a file whose header cannot be read at all: file length - 44 (0 for a missing or
    // shorter file).
    uint32_t dataSize = 0;
    bool sizeDeclared = false;     // dataSize is the data chunk's own size
    WaveFormat format;             // as stored at offsets 20 to 35 (extensible: see below)
    int32_t extraHeaderBytes = 0;  // bytes between offset 44 and the first sample
    uint32_t frameSize = 0;        // channels x bits / 8
    // Set when a well-formed header was refused for its sample encoding or layout: a sentence
    // naming the file and what it holds, for the caller to show. Empty otherwise.
    std::string refusal;
};

// Reads PATH's header. dataSize and extraHeaderBytes are always written (the latter 0 when the
// header cannot be read); format and frameSize only for a valid header. Chunks between fmt and
// data are walked (pad bytes after odd sizes honoured, and a missing pad tolerated), so the
// data start is 44 + extraHeaderBytes. A header whose chunks claim more than the file holds or
// whose fmt chunk is shorter than 16 bytes is not valid.
// A well-formed header whose sound cannot be played (see unplayableReason) is not valid either:
// refusal says why, and dataSize and extraHeaderBytes are measured as for a valid one.
// An extensible header (tag 0xFFFE, 40-byte fmt) is read as the plain format of its sub-format:
// PCM as tag 1, IEEE float as tag 3, with the container's bits (the valid bits may be fewer, as
// the samples are left-aligned in it). Any other sub-format, or a damaged extension, is refused.
bool ReadWavHeader(const std::string& path, WavHeaderInfo& info);

// The same reading of the bytes of a file named NAME (the name only words a refusal); dataSize
// for a header that cannot be read is the size of IN minus 44 (0 when shorter).
bool ReadWavHeader(ByteSource& in, const std::string& name, WavHeaderInfo& info);

// Whether FORMAT's samples are an encoding the sound devices play and record: 8-bit unsigned,
// 16-, 24- or 32-bit signed PCM (tag 1) or 32-bit IEEE float (tag 3).
bool isDeviceEncoding(const WaveFormat& format);

// Why a sound of FORMAT cannot be played (0 channels or rate, an encoding other than those of
// isDeviceEncoding), as words that follow the file's name; empty when it can be.
std::string unplayableReason(const WaveFormat& format);

// What to tell the user before PATH, read as INFO by ReadWavHeader (VALID its result), would be
// played: INFO.refusal, or for a valid header with more than kMaxPlayChannels channels a
// sentence saying so; empty when it can be played or its header cannot be read at all. (The
// channel count does not make a header invalid: a take of many channels is still finished and
// edited as one.)
std::string playRefusal(const std::string& path, const WavHeaderInfo& info, bool valid);

// The file's length minus 44; 0 for a missing file, a directory or a file shorter than 44 bytes;
// at most 0xFFFFFFFF. Whatever the header says: takes and header repair measure by it.
uint32_t WavDataSize(const std::string& path);

// The 44 bytes written for FORMAT and DATASIZE (FF FF FF FF as the data size when it is 0).
// The format tag is 1, except for float (tag 3), whose samples would otherwise be read back as
// integers. A size that does not fit a 32-bit field is written as the largest one it can hold,
// never wrapped.
std::array<uint8_t, 44> makeWavHeader(const WaveFormat& format, uint64_t dataSize);

// Writes that header at byte 0 of OUT and leaves the stream at byte 44.
bool WriteWavHeader(FileStream& out, const WaveFormat& format, uint64_t dataSize);

// Whether whole chunks (tags, cue lists, ...) follow the sound of PATH, read as INFO, up to
// the end of the file.
bool chunksFollowTheData(const std::string& path, const WavHeaderInfo& info);
bool chunksFollowTheData(ByteSource& in, const WavHeaderInfo& info);

// (Re)opens IN on PATH for reading without creating it, reads the first 44 bytes into HEADER
// when one is given, and places the stream at OFFSET. When the data chunk's size is credible
// (see WavHeaderInfo::dataSize), the stream ends where the data chunk does, so chunks after it
// are never read as sound. False when the file cannot be opened.
bool OpenSoundStream(const std::string& path, FileStream& in, uint8_t* header, int64_t offset);

}  // namespace pelkit
