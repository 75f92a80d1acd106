#include "playback/live_play.h"

#include <algorithm>

#include "files/settings_file.h"
#include "playback/playback.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr const char* kSection = "init";
constexpr const char* kKey = "live";

// No device holds blocks of the size in use, so it may change now.
bool blocksIdle(const AppState& app) {
    const ModeFlags& m = app.modes;
    return !m.playing && !m.recording && !m.standby && !m.levelCheck &&
           !app.platform.out.isOpen() && !app.platform.in.isOpen();
}

// Takes the block size the next play opens with, and shows it.
void takeBlockSize(AppState& app) {
    if (!blocksIdle(app)) return;
    app.blocks.blockSize = playBlockSize(app, playDeviceFormat(app));
    setNumberWithUnit(app, id::kFieldBlockSize, static_cast<int32_t>(app.blocks.blockSize), "");
}

}  // namespace

uint32_t liveBlockFrames(uint32_t rate) {
    uint32_t frames = 32;
    while (frames * 2 <= rate / 80)
        frames *= 2;
    return frames;
}

uint32_t liveBlockSize(const WaveFormat& format) {
    return liveBlockFrames(format.samplesPerSecond) * std::max<uint32_t>(format.blockAlign, 1);
}

uint32_t playBlockSize(const AppState& app, const WaveFormat& format) {
    return app.playback.livePlay ? liveBlockSize(format) : app.blocks.chosenBlockSize;
}

void hintOutputLatency(AppState& app, const WaveFormat& format) {
    double seconds = 0;
    if (app.playback.livePlay && format.samplesPerSecond > 0) {
        seconds =
            static_cast<double>(liveBlockFrames(format.samplesPerSecond)) / format.samplesPerSecond;
    }
    app.platform.out.setLatencyHint(seconds);
}

void loadLiveSettings(AppState& app, const SettingsFile& settings) {
    app.playback.livePlay = settings.readInt(kSection, kKey, 0) != 0;
}

void applyLiveBlockSize(AppState& app) {
    if (app.playback.livePlay) takeBlockSize(app);
}

void toggleLive(AppState& app) {
    app.playback.livePlay = !app.playback.livePlay;
    takeBlockSize(app);
    if (app.settingsPath.empty()) return;
    std::string problem;
    if (SettingsFile(app.settingsPath)
            .writeString(kSection, kKey, app.playback.livePlay ? "1" : "0", &problem)) {
        return;
    }
    showWarning(app, "The settings file " + app.settingsPath + " cannot be written (" + problem +
                         "). Live play holds for this run only.");
}

}  // namespace pelkit
