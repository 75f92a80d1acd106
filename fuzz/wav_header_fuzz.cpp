// The WAV header reader on arbitrary bytes, read in memory: the file adapter reads through the
// same code, and the unit tests hold the two to the same results.
#include <cstdint>
#include <span>

#include "files/byte_source.h"
#include "files/wav_format.h"
#include "fuzz_support.h"

using namespace pelkit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryBytes bytes(std::span<const uint8_t>(data, size));
    const int64_t length = static_cast<int64_t>(size);
    const uint32_t measured = length < 44 ? 0u : static_cast<uint32_t>(length - 44);

    WavHeaderInfo info;
    info.extraHeaderBytes = -1;
    info.refusal = "left from before";
    bool valid = ReadWavHeader(bytes, "input.wav", info);
    if (!valid && info.refusal.empty()) {
        fuzz::check(info.dataSize == measured, "an unreadable header measures the file's length");
        fuzz::check(info.extraHeaderBytes == 0, "an invalid header has no extra bytes");
        fuzz::check(!info.sizeDeclared, "an invalid header declares no size");
        return 0;
    }
    fuzz::check(info.extraHeaderBytes >= 0 && 44 + int64_t{info.extraHeaderBytes} <= length,
                "the data start lies within the file");
    const int64_t afterHeader = length - 44 - info.extraHeaderBytes;
    fuzz::check(info.sizeDeclared ? info.dataSize > 0 && info.dataSize <= afterHeader
                                  : info.dataSize == afterHeader,
                "the sound is the data chunk, or all after the header");
    fuzz::check(!chunksFollowTheData(bytes, info) ||
                    (info.sizeDeclared &&
                     44 + info.extraHeaderBytes + int64_t{info.dataSize} + 8 <= length),
                "chunks after the data need a declared size and room for a chunk");
    if (!valid) {
        fuzz::check(info.refusal.rfind("input.wav ", 0) == 0, "a refusal names the file");
        return 0;
    }
    const WaveFormat& f = info.format;
    fuzz::check(info.frameSize == uint32_t{f.channels} * f.bitsPerSample / 8 && info.frameSize > 0,
                "the frame size follows channels and bits");
    fuzz::check(f.samplesPerSecond > 0, "a valid header has a rate");
    return 0;
}
