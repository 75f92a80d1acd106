// The state of the file edits: the settings the edit dialog leaves in the main window, the edits
// under way, and the capture that playback feeds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/ui.h"

namespace pelkit {

// The edits under way and waiting: an object of the edit feature, held here so that it ends
// with the program (which cancels what is still running).
class EditWork {
  public:
    virtual ~EditWork() = default;
};

// Where playback hands every block it sends to the sound card while a capture runs.
class PlayedSoundSink {
  public:
    virtual ~PlayedSoundSink() = default;
    virtual void append(const uint8_t* data, size_t n) = 0;
};

struct FileEditState {
    uint32_t boostRate = 100;  // percent, for the cuts, the channels and the division
    int32_t speedPercent = 50;
    bool noiseOff = false;  // the speed change joins chunks with seam ramps
    bool speedHq = false;   // the speed change by the high-quality stretch instead of chunks
    WindowHandle dialog = kNoWindow;
    std::unique_ptr<EditWork> work;
    std::unique_ptr<PlayedSoundSink> capture;  // set from the capture's start to its end
};

}  // namespace pelkit
