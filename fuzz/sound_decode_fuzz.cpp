// The decoder of other sound formats (libsndfile over a byte source) on arbitrary bytes, in
// memory and without an output file: it must refuse with a message naming the input, or decode
// whole frames of a format the program plays, and end.
#include <cstdint>
#include <memory>
#include <span>

#include "files/byte_source.h"
#include "files/sound_decode.h"
#include "fuzz_support.h"

using namespace pelkit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SoundDecode decode;
    const std::string why = decode.open(
        std::make_unique<MemoryBytes>(std::span<const uint8_t>(data, size)), "input.flac", {});
    if (!why.empty()) {
        fuzz::check(why.rfind("input.flac ", 0) == 0, "a refusal names the file");
        return 0;
    }
    const WaveFormat& f = decode.format();
    fuzz::check(f.channels >= 1 && f.channels <= kMaxDecodedChannels, "a channel count it plays");
    fuzz::check(f.bitsPerSample == 16 || f.bitsPerSample == 24 || f.bitsPerSample == 32,
                "a sample size it plays");
    // A few blocks are enough to reach the decoding paths; a long sound is not decoded whole.
    SoundDecode::Step step = SoundDecode::Step::More;
    for (int n = 0; n < 64 && step == SoundDecode::Step::More; ++n)
        step = decode.step();
    fuzz::check(decode.dataBytes() % f.blockAlign == 0, "only whole frames are written");
    if (step == SoundDecode::Step::Failed) {
        fuzz::check(decode.error().rfind("input.flac ", 0) == 0, "a failure names the file");
    }
    return 0;
}
