// The spectrum bars of the upper waveform window: a cosine-transform sum over the first 128
// 16-bit values of the bytes on display, 129 magnitudes at frequency indices 0, 16, ... 2048.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace pelkit {

inline constexpr uint32_t kSpectrumLength = 2048;  // N of the transform
inline constexpr uint32_t kSpectrumStep = 16;      // frequency index step between outputs
inline constexpr uint32_t kSpectrumOutputs = 129;  // outputs 1 .. 129
// Output i sums the first i - 1 values: 128 signed 16-bit values at most.
inline constexpr size_t kSpectrumInputBytes = 256;
// The bars read up to byte 4 x 2478 + 1 at the smallest horizontal scale.
inline constexpr size_t kSpectrumAreaBytes = 10240;

// The result area the bars read, laid out as bytes: output i is the 16-bit value at byte offset
// 4 x (i - 1). It is kept as 16-bit words that are stored and loaded atomically, so a reader on
// another thread never sees half of a value (it may see outputs of two analyses side by side).
class SpectrumArea {
  public:
    SpectrumArea();
    SpectrumArea(const SpectrumArea&) = delete;
    SpectrumArea& operator=(const SpectrumArea&) = delete;

    // BYTEOFFSET is even; offsets past the area read 0 and are not stored.
    void store(size_t byteOffset, uint16_t value);
    uint16_t load(size_t byteOffset) const;
    // The bars' reading: the signed 16-bit value at BYTEOFFSET.
    int16_t signedAt(size_t byteOffset) const { return static_cast<int16_t>(load(byteOffset)); }
    // Output I (1 .. 129) as stored.
    uint16_t output(uint32_t i) const { return load(4 * static_cast<size_t>(i - 1)); }
    // Zeroes the first BYTES bytes.
    void clear(size_t bytes);

  private:
    std::array<std::atomic<uint16_t>, kSpectrumAreaBytes / 2> words_;
};

// Asked after every stored output; false ends the analysis there.
using SpectrumKeepGoing = std::function<bool()>;

// The analysis of the 256 bytes of INPUT into OUT: zero the first 2048 bytes, then for output
// i = 1 .. 129 at k = 16 (i - 1): total = sum over j < i - 1 of x[j] cos((k + 0.5)(j + 0.5)
// 3.14159 / 2048) in extended precision, m = trunc of |total / i| limited to 0 .. 65535, stored
// at byte 4 (i - 1); then KEEPGOING is asked. Returns its last answer (true when all 129 were
// computed).
bool analyse(std::span<const uint8_t, kSpectrumInputBytes> input, SpectrumArea& out,
             const SpectrumKeepGoing& keepGoing);

}  // namespace pelkit
