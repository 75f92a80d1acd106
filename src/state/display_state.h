// The records of the display: the waveform windows and the scroll bars with their readouts.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace pelkit {

struct DisplayState {
    bool displayOn = true;
    bool showLeft = true;
    bool showRight = true;
    bool spectrumMode = false;
    bool showWhileRecording = false;
    float verticalScale = 1.0f;
    float horizontalScale = 1.0f;
    int32_t skipLevel = 1;
    uint32_t editCursor = 0;
    uint32_t tickCount = 0;
    uint32_t tickLimit = 0;
    int32_t tickPeriod = 72;
    bool overviewBusy = false;
    uint32_t overviewDivisor = 80;
};

struct PitchClock {
    LocalTime now;
    uint32_t lastTick = 0;
    uint32_t previousTick = 0;
    int64_t elapsed = 0;
    int64_t previousElapsed = 0;
};

struct ScrollState {
    int32_t positionIndex = 0;
    uint32_t positionRange = 1000;
    uint32_t positionStep = 12;
    int32_t startIndex = 0;
    int32_t endIndex = 1000;
    int32_t startShown = 0;
    int32_t endShown = 1000;
    uint32_t startRange = 1000;
    uint32_t endRange = 1000;
    float speedRoot = 1.0f;
    float boostValue = 1.0f;  // the boost the bar steps; showBoost hands it to the level stage
    PitchClock pitchClock;
};

}  // namespace pelkit
