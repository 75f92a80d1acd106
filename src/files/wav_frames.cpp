#include "files/wav_frames.h"

#include <cstring>

namespace pelkit {

namespace {

// The integer sample of BYTES little-endian bytes at B, scaled to the full 32 bits (8-bit WAV
// sound is unsigned).
int32_t fullScaleSample(const uint8_t* b, int bytes) {
    uint32_t v = 0;
    for (int k = 0; k < bytes; ++k)
        v |= uint32_t{b[k]} << (8 * (4 - bytes + k));
    if (bytes == 1) v ^= 0x80000000u;
    return static_cast<int32_t>(v);
}

}  // namespace

std::string WavFrames::open(const std::string& path) {
    if (!ReadWavHeader(path, info_)) {
        if (!info_.refusal.empty()) return info_.refusal;
        return path + " is not a WAV file that can be read.";
    }
    if (!OpenSoundStream(path, in_, nullptr, 44 + static_cast<int64_t>(info_.extraHeaderBytes))) {
        return path + " cannot be opened.";
    }
    totalFrames_ = info_.frameSize == 0 ? 0 : info_.dataSize / info_.frameSize;
    framesRead_ = 0;
    failed_ = false;
    return {};
}

size_t WavFrames::readBytes(uint8_t* out, size_t frames) {
    const uint64_t left = totalFrames_ - framesRead_;
    if (frames > left) frames = static_cast<size_t>(left);
    const size_t want = frames * info_.frameSize;
    const size_t got = want == 0 ? 0 : in_.read(out, want);
    if (got < want) failed_ = in_.bad();
    const size_t whole = got / info_.frameSize;
    framesRead_ += whole;
    return whole;
}

size_t WavFrames::read(int32_t* out, size_t frames) {
    raw_.resize(frames * info_.frameSize);
    const size_t got = readBytes(raw_.data(), frames);
    const size_t samples = got * info_.format.channels;
    const int bytes = info_.format.bitsPerSample / 8;
    const uint8_t* b = raw_.data();
    for (size_t i = 0; i < samples; ++i, b += bytes) {
        if (isFloat()) {
            float f;
            std::memcpy(&f, b, 4);
            double d = static_cast<double>(f) * 2147483648.0;
            d = d > 2147483647.0 ? 2147483647.0 : d < -2147483648.0 ? -2147483648.0 : d;
            out[i] = static_cast<int32_t>(d);
        } else {
            out[i] = fullScaleSample(b, bytes);
        }
    }
    return got;
}

size_t WavFrames::read(float* out, size_t frames) {
    raw_.resize(frames * info_.frameSize);
    const size_t got = readBytes(raw_.data(), frames);
    const size_t samples = got * info_.format.channels;
    const int bytes = info_.format.bitsPerSample / 8;
    const uint8_t* b = raw_.data();
    for (size_t i = 0; i < samples; ++i, b += bytes) {
        if (isFloat()) {
            std::memcpy(&out[i], b, 4);
            continue;
        }
        out[i] = static_cast<float>(fullScaleSample(b, bytes) * (1.0 / 2147483648.0));
    }
    return got;
}

}  // namespace pelkit
