// The in-memory sound format record shared by the WAV files and the sound devices.
#pragma once

#include <cstdint>

namespace pelkit {

struct WaveFormat {
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t samplesPerSecond = 44100;
    uint32_t avgBytesPerSecond = 176400;
    uint16_t blockAlign = 4;
    uint16_t bitsPerSample = 16;
    uint16_t extraSize = 0;  // always 0

    bool operator==(const WaveFormat&) const = default;
};

// Builds a format from settings: block align = channels x (bits / 8), average bytes per second
// = channels x rate x (bits / 8), integer division of the bits by 8.
inline WaveFormat makeWaveFormat(int32_t tag, int32_t channels, int32_t rate, int32_t bits) {
    WaveFormat f;
    f.formatTag = static_cast<uint16_t>(tag);
    f.channels = static_cast<uint16_t>(channels);
    f.samplesPerSecond = static_cast<uint32_t>(rate);
    f.bitsPerSample = static_cast<uint16_t>(bits);
    // In 64 bits: typed-in channel counts and bit depths can be anything.
    f.blockAlign = static_cast<uint16_t>(int64_t{channels} * (bits / 8));
    f.avgBytesPerSecond = static_cast<uint32_t>(channels) * static_cast<uint32_t>(rate) *
                          static_cast<uint32_t>(bits / 8);
    f.extraSize = 0;
    return f;
}

}  // namespace pelkit
