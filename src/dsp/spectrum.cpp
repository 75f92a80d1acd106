#include "dsp/spectrum.h"

#include <algorithm>
#include <cmath>

namespace pelkit {

SpectrumArea::SpectrumArea() {
    for (auto& w : words_)
        w.store(0, std::memory_order_relaxed);
}

void SpectrumArea::store(size_t byteOffset, uint16_t value) {
    if (byteOffset / 2 < words_.size())
        words_[byteOffset / 2].store(value, std::memory_order_relaxed);
}

uint16_t SpectrumArea::load(size_t byteOffset) const {
    return byteOffset / 2 < words_.size() ? words_[byteOffset / 2].load(std::memory_order_relaxed)
                                          : 0;
}

void SpectrumArea::clear(size_t bytes) {
    for (size_t w = 0; w < std::min(bytes / 2, words_.size()); ++w)
        words_[w].store(0, std::memory_order_relaxed);
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
