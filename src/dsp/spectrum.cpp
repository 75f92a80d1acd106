#include "dsp/spectrum.h"

#include <algorithm>
#include <cmath>

namespace pelkit {

SpectrumArea::SpectrumArea() {
    for (auto& w : words_)
        w.store(0, std::memory_order_relaxed);
}

void SpectrumArea::store(size_t byteOffset, uint16_t value) {
    words_[byteOffset / 2].store(value, std::memory_order_relaxed);
}

uint16_t SpectrumArea::load(size_t byteOffset) const {
    return words_[byteOffset / 2].load(std::memory_order_relaxed);
}

int16_t SpectrumArea::signedAt(size_t byteOffset) const {
    if (byteOffset >= kSpectrumAreaBytes) return 0;
    // An odd offset straddles two words; read it byte by byte from both.
    if (byteOffset % 2 == 0) return static_cast<int16_t>(load(byteOffset));
    uint16_t low = load(byteOffset - 1) >> 8;
    uint16_t high = byteOffset + 1 < kSpectrumAreaBytes ? load(byteOffset + 1) & 0xFF : 0;
    return static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8)));
}

void SpectrumArea::clear(size_t bytes) {
    size_t words = std::min((bytes + 1) / 2, words_.size());
    for (size_t w = 0; w < words; ++w)
        words_[w].store(0, std::memory_order_relaxed);
}

void SpectrumArea::copyTo(std::span<uint8_t> out) const {
    size_t n = std::min(out.size(), kSpectrumAreaBytes);
    for (size_t b = 0; b < n; ++b) {
        uint16_t w = words_[b / 2].load(std::memory_order_relaxed);
        out[b] = static_cast<uint8_t>(b % 2 == 0 ? w & 0xFF : w >> 8);
    }
}

bool analyse(std::span<const uint8_t, kSpectrumInputBytes> input, SpectrumArea& out,
             const SpectrumKeepGoing& keepGoing) {
    constexpr long double kPi = 3.14159L;  // the decimal constant, not the full-precision pi
    out.clear(kSpectrumLength);
    bool going = true;
    uint32_t i = 1;
    for (uint32_t k = 0; k < kSpectrumLength + kSpectrumStep - 1; k += kSpectrumStep, ++i) {
        long double total = 0;
        for (uint32_t j = 0; j + 2 <= i; ++j) {
            auto x =
                static_cast<int16_t>(static_cast<uint16_t>(input[2 * j] | (input[2 * j + 1] << 8)));
            total += x * std::cos((k + 0.5L) * (j + 0.5L) * kPi / kSpectrumLength);
        }
        long double m = std::clamp(std::fabs(total / i), 0.0L, 65535.0L);
        out.store(4 * static_cast<size_t>(i - 1), static_cast<uint16_t>(m));
        going = keepGoing ? keepGoing() : true;
        if (!going) break;
    }
    return going;
}

}  // namespace pelkit
