#include "playback/device_volume.h"

#include "state/app_state.h"

namespace pelkit {

uint32_t volumeWord(int32_t leftLevel, int32_t rightLevel, float wavVolume) {
    // The level times the volume is a single-precision product: 100 x 1.4 is 140 exactly, so
    // the default volume gives 70 percent per channel.
    auto leftPercent = static_cast<int32_t>(static_cast<float>(leftLevel) * wavVolume * 0.5);
    auto rightPercent = static_cast<int32_t>(wavVolume * static_cast<float>(rightLevel) * 0.5);
    auto scale = [](int32_t percent) {
        int64_t v = static_cast<int64_t>(percent) * 65535 / 100;
        return static_cast<uint32_t>(v) & 0xFFFFu;
    };
    return (scale(rightPercent) << 16) | scale(leftPercent);
}

void applyOutputVolume(AppState& app) {
    app.platform.out.setVolume(
        volumeWord(app.level.leftLevel, app.level.rightLevel, app.level.wavVolume));
}

}  // namespace pelkit
