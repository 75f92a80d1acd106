#include "app/scroll.h"

#include <algorithm>

#include "app/main_commands.h"
#include "display/waveform.h"
#include "dsp/speed_pitch.h"
#include "playback/device_volume.h"
#include "playback/playback.h"
#include "resources/control_ids.h"
#include "sequence/sequence.h"
#include "state/app_state.h"
#include "status/readouts.h"
#include "status/scroll_rules.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr uint32_t kPositionReadBytes = 49152;

// Start and end bars: their index, what they show, and the range bound they set.
void onRangeBar(AppState& app, bool start, int code, int thumb) {
    ScrollState& sc = app.scroll;
    int32_t& index = start ? sc.startIndex : sc.endIndex;
    uint32_t range = start ? sc.startRange : sc.endRange;
    index = integerStep(index, code, thumb, static_cast<int32_t>(range));
    int32_t shown = index + 1;
    (start ? sc.startShown : sc.endShown) = shown;
    app.ui().setScrollPos(app.windows.mainDialog, start ? kBarStart : kBarEnd, shown);
    uint32_t bound = (app.sound.dataSize / range) * static_cast<uint32_t>(shown) / 12 * 12;
    (start ? app.playback.rangeStart : app.playback.rangeEnd) = bound;
}

// Moves the position by bar action CODE: arrows step the position, pages and the thumb set an
// index that the position follows.
void stepPosition(AppState& app, int code, int thumb) {
    ScrollState& sc = app.scroll;
    uint32_t& position = app.sound.position;
    uint32_t d = app.sound.dataSize;
    auto r = static_cast<int32_t>(sc.positionRange);
    auto indexOf = [&](uint32_t p) {
        return d == 0 ? 0 : static_cast<int32_t>(static_cast<double>(p) / d * r);
    };
    bool byIndex = false;
    switch (code) {
        case kScrollLineLeft:
            if (position >= 800) {
                position -= std::min(position, sc.positionStep);
                sc.positionIndex = indexOf(position);
            }
            break;
        case kScrollLineRight:
            position += sc.positionStep;
            sc.positionIndex = indexOf(position);
            break;
        case kScrollPageLeft:
            sc.positionIndex -= 16;
            byIndex = true;
            break;
        case kScrollPageRight:
            sc.positionIndex += 16;
            byIndex = true;
            break;
        case kScrollThumbDragged:
            sc.positionIndex = static_cast<uint16_t>(thumb);
            byIndex = true;
            break;
        case kScrollTop:
            sc.positionIndex = 1;
            byIndex = true;
            break;
        case kScrollBottom:
            sc.positionIndex = r;
            byIndex = true;
            break;
        default:
            break;
    }
    if (byIndex) {
        // Pages keep the index on the bar and the position inside the data.
        sc.positionIndex = std::clamp(sc.positionIndex, 1, r);
        position =
            (d / static_cast<uint32_t>(r)) * static_cast<uint32_t>(sc.positionIndex) / 12 * 12;
    }
}

// Shows the sound at the new position: playing, the stream moves there and the waveform shows
// the bytes read from there; stopped, the overview is redrawn.
void showPosition(AppState& app) {
    const uint32_t& position = app.sound.position;
    FileStream& stream = app.sound.playStream;
    if (app.modes.playing) {
        std::vector<uint8_t>& shown = app.ring.displayBuffer;
        stream.seek(app.sound.dataOffset() + position);
        if (!shown.empty())
            stream.read(shown.data(), std::min<size_t>(kPositionReadBytes, shown.size()));
        stream.clear();
        seekToPosition(app, stream);
    } else {
        refreshOverview(app);
    }
    showTime(app, position);
    app.ring.displayData = app.ring.displayBuffer.data();
    invalidateWaveforms(app);
}

// The position bar: moves the position, then the bar and what is shown follow it.
void onPositionBar(AppState& app, int code, int thumb) {
    stepPosition(app, code, thumb);
    app.ui().setScrollPos(app.windows.mainDialog, kBarPosition, app.scroll.positionIndex + 1);
    showPosition(app);
}

}  // namespace

void onMainScroll(AppState& app, int bar, int code, int thumb) {
    ScrollState& sc = app.scroll;
    ProcessingSettings& p = app.processing;
    switch (bar) {
        case kBarSpeed:
            sc.speedRoot = factorStep(sc.speedRoot, code, thumb, 0.08f, 4.0f, 0.004f);
            p.speedFactor = sc.speedRoot * sc.speedRoot;
            showSpeed(app);
            recomputeReadSize(app);
            break;
        case kBarPitch:
            p.pitchFactor = factorStep(p.pitchFactor, code, thumb, 0.04f, 20.0f, 0.004f);
            showPitch(app);
            showPitchTiming(app);
            break;
        case kBarBoost:
            sc.boostValue = boostStep(sc.boostValue, code, thumb, 10.0f);
            showBoost(app);
            break;
        case kBarVolume:
            app.level.wavVolume = floatStep(app.level.wavVolume, code, thumb, 2.0f);
            showVolume(app);
            applyOutputVolume(app);
            break;
        case kBarPan:
            app.level.mainPan = panStep(app.level.mainPan, code, thumb);
            showPan(app);
            recordPanChange(app);
            break;
        case kBarStart:
            onRangeBar(app, true, code, thumb);
            break;
        case kBarEnd:
            onRangeBar(app, false, code, thumb);
            break;
        case kBarPosition:
            onPositionBar(app, code, thumb);
            break;
        default:
            break;
    }
}

void setRangeFromPosition(AppState& app, bool start) {
    uint32_t position = app.sound.position;
    uint32_t d = app.sound.dataSize;
    auto shown = d == 0 ? 0 : static_cast<int32_t>(static_cast<double>(position) * 1000 / d);
    if (start) {
        app.playback.rangeStart = position;
        app.scroll.startShown = shown;
    } else {
        app.playback.rangeEnd = position;
        app.scroll.endShown = shown;
    }
    app.ui().setScrollPos(app.windows.mainDialog, start ? kBarStart : kBarEnd, shown);
}

void afterPositionJump(AppState& app, int32_t index) {
    app.ui().setScrollPos(app.windows.mainDialog, kBarPosition, index);
    refreshOverview(app);
    showTime(app, app.sound.position);
    seekToPosition(app, app.sound.playStream);
    app.ring.displayData = app.ring.displayBuffer.data();
    invalidateWaveforms(app);
}

}  // namespace pelkit
