// The per-block sample work of the copy edits on 16-bit little-endian samples: the boost, the
// picking of one channel, the centre mix and the interleaving of two mono files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelkit {

// The boost rate in percent as a factor: rate x 0.01f in extended precision, rounded to float
// (100 gives exactly 1, 33 gives 0.32999998).
float boostFactor(uint32_t rate);

// One sample times FACTOR, clamped to the sample range and truncated toward zero.
int16_t boostSample(int16_t sample, float factor);

// The boost of one rate, applied through a table of its 65536 results (made once per edit).
class Booster {
  public:
    explicit Booster(uint32_t rate);
    // Boosts the first COUNT samples at BYTES in place.
    void apply(uint8_t* bytes, size_t count) const;

  private:
    std::vector<int16_t> table_;  // by sample + 32768; empty when every sample stays as it is
};

// Writes the first sample of every complete 4-byte group of IN (LENGTH bytes) to OUT, boosted;
// returns the bytes written.
size_t pickFirstOfPairs(const uint8_t* in, size_t length, uint8_t* out, const Booster& boost);

// Writes trunc(R / 2) + trunc(L / 2) for every complete 4-byte frame of IN; returns the bytes
// written.
size_t mixToCentre(const uint8_t* in, size_t length, uint8_t* out);

// Writes COUNT frames of LEFT sample i then RIGHT sample i; RIGHT holds RIGHT_BYTES bytes and
// the samples it lacks are written as silence. Returns the bytes written (4 x COUNT).
size_t interleaveMono(const uint8_t* left, size_t count, const uint8_t* right, size_t rightBytes,
                      uint8_t* out);

}  // namespace pelkit
