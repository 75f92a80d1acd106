// Identifiers of the wave micro edit dialog WAVE_EDIT. Its three sliders are one scroll bar each
// with a number field beside it; the bars get handles of their own so that they can be told
// apart (and named cursor, left and right in scripts).
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace pelkit::id {

inline constexpr int kWaveEditWrite = 1;
inline constexpr int kWaveEditCancel = 2;
inline constexpr int kWaveEditBufferStart = 1499;

inline constexpr int kWaveEditCursorBar = 9011;
inline constexpr int kWaveEditLeftBar = 9012;
inline constexpr int kWaveEditRightBar = 9013;
// The number fields beside the bars.
inline constexpr int kWaveEditCursorValue = 9021;
inline constexpr int kWaveEditLeftValue = 9022;
inline constexpr int kWaveEditRightValue = 9023;

struct NamedBar {
    std::string_view name;
    int bar;
    int readout;
};
inline constexpr std::array<NamedBar, 3> kWaveEditBars = {{
    {"cursor", kWaveEditCursorBar, kWaveEditCursorValue},
    {"left", kWaveEditLeftBar, kWaveEditLeftValue},
    {"right", kWaveEditRightBar, kWaveEditRightValue},
}};

// The bar handle of the slider named NAME (cursor, left or right).
inline std::optional<int> waveEditBar(std::string_view name) {
    for (const NamedBar& b : kWaveEditBars) {
        if (b.name == name) return b.bar;
    }
    return std::nullopt;
}

}  // namespace pelkit::id
