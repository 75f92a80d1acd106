// What the sound-format tools keep: the long job under way (a decode into a working copy, a
// loudness measurement, a normalised copy) and their settings.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace pelkit {

// The job under way, owned here and run by its feature.
class SoundToolsWork {
  public:
    virtual ~SoundToolsWork() = default;
};

struct SoundToolsState {
    std::unique_ptr<SoundToolsWork> work;
    double targetLufs = -16;                  // what a normalised copy is scaled to
    WindowHandle loudnessWindow = kNoWindow;  // the loudness window while it is open
    bool playWhenLoaded = false;  // a play asked for while the working copy was being made
    bool takesAsFlac = false;     // each finished take is also kept as NAME.flac
    // The FLAC files written when the take was paused: the take's own, replaced at its end.
    std::vector<std::string> pausedTakeFlacs;
};

}  // namespace pelkit
