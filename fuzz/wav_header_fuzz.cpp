// The WAV header reader and the data size measure on arbitrary files.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "files/file_stream.h"
#include "files/wav_format.h"
#include "fuzz_support.h"

using namespace pelkit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = fuzz::writeScratchFile("input.wav", data, size);
    const int64_t length = static_cast<int64_t>(size);

    uint32_t measured = WavDataSize(path);
    fuzz::check(measured == (length < 44 ? 0u : static_cast<uint32_t>(length - 44)),
                "the data size is the file's length minus 44");

    WavHeaderInfo info;
    info.extraHeaderBytes = -1;
    bool valid = ReadWavHeader(path, info);
    if (!valid && info.refusal.empty()) {
        fuzz::check(info.dataSize == measured, "an unreadable header measures the file's length");
        fuzz::check(info.extraHeaderBytes == 0, "an invalid header has no extra bytes");
        return 0;
    }
    fuzz::check(info.extraHeaderBytes >= 0 && 44 + int64_t{info.extraHeaderBytes} <= length,
                "the data start lies within the file");
    const int64_t afterHeader = length - 44 - info.extraHeaderBytes;
    fuzz::check(info.sizeDeclared ? info.dataSize > 0 && info.dataSize <= afterHeader
                                  : info.dataSize == afterHeader,
                "the sound is the data chunk, or all after the header");
    if (!valid) return 0;
    const WaveFormat& f = info.format;
    fuzz::check(info.frameSize == uint32_t{f.channels} * f.bitsPerSample / 8 && info.frameSize > 0,
                "the frame size follows channels and bits");
    fuzz::check(f.samplesPerSecond > 0, "a valid header has a rate");

    // Playback opens the stream at the data start and reads from there.
    FileStream in;
    uint8_t header[44];
    fuzz::check(OpenSoundStream(path, in, header, 44 + info.extraHeaderBytes),
                "a readable header opens as a stream");
    uint8_t first[16];
    size_t got = in.read(first, sizeof first);
    fuzz::check(got == std::min<size_t>(info.dataSize, sizeof first),
                "the sound starts at the data start and ends with it");
    if (got > 0) {
        fuzz::check(std::memcmp(first, data + 44 + info.extraHeaderBytes, got) == 0,
                    "the stream reads the file's bytes");
    }
    return 0;
}
