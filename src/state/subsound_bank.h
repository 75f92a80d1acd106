// The bank of 200 sub sounds: each slot holds one WAV file, its own read stream, its boost and
// pan, and the flags that say whether it plays, has a file, and starts by itself in a sequence
// replay. The slot's sample data is everything after byte 44 of its file, taken in the main
// sound's format.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "files/file_stream.h"
#include "platform/ui.h"

namespace pelkit {

inline constexpr int32_t kSubSoundSlotCount = 200;
inline constexpr int32_t kSubSoundRowCount = 5;  // slots shown at once in the main window
inline constexpr int64_t kSubSoundDataOffset = 44;

struct SubSoundSlot {
    std::string name;                  // path of the assigned WAV file
    bool isPlaying = false;            // mixed into each output block
    bool assigned = false;             // has a file or was started at least once
    bool armed = false;                // started while a sequence was recorded; never cleared
    bool triggered = false;            // already started in this replay, or by hand while recording
    uint32_t startPosition = 0;        // main sound position when last started
    uint32_t playedBytes = 0;          // bytes mixed since it last started
    float pan = 0.0f;                  // -100 (left) .. 100 (right)
    float panState = 0.0f;             // the pan the mixer reached at the end of the last block
    float boost = 1.0f;                // gain of the slot's samples
    std::array<uint8_t, 44> header{};  // first 44 bytes of the file, read at every reopening
    FileStream stream;                 // on name, at the first sample

    // Places the stream at the slot's first sample, reading the header again. A file that
    // cannot be opened leaves the stream failed: the next mixing turn obtains nothing and the
    // slot goes idle, without a message.
    bool reopen();

    // A file was chosen for the slot: it is assigned, rewound and idle.
    void assign(const std::string& path);

    // Starts the slot from its beginning (again, if it was playing) at the main POSITION. A
    // start during sequence recording arms the slot, and marks it as already started so that
    // it does not restart by itself the moment it ends.
    void play(uint32_t position, bool sequenceRecording);

    // Stops mixing; the stream keeps its place until the next play reopens it.
    void stop() { isPlaying = false; }

    // The slot's data ran out: idle and rewound, ready to start again.
    void finish();
};

struct SubSoundBank {
    // The slots by index (not named "slots": Qt takes that word for a macro).
    std::array<SubSoundSlot, kSubSoundSlotCount> entries;
    // Some armed slot may still start by itself in this play: set where slots are armed to wait
    // (a replay's rewind, a sequence load), cleared once none waits, so that a refill does not
    // walk the slots for nothing.
    bool armsWaiting = false;

    static bool isIndex(int64_t index) { return index >= 0 && index < kSubSoundSlotCount; }
    // The slot at INDEX, or nullptr outside 0..199.
    SubSoundSlot* slot(int64_t index) { return isIndex(index) ? &entries[index] : nullptr; }

    void stopAll();
    // Before a sequence replay: every slot back at its first sample and free to start by itself
    // again. Whether a slot is assigned stays as it was.
    void rewindAll();
};

// State of the sub sound dialogs and of the main window's sub sound rows.
struct SubSoundUi {
    uint32_t blockBase = 0;  // first of the five slots in the main window's rows: 0, 5, .. 195
    int32_t dialogMode = 2;  // the "all" dialog: 0 play, 1 stop, 2 open
    int32_t settingSlot = 0;
    WindowHandle settingWindow = kNoWindow;
    WindowHandle allWindow = kNoWindow;  // the open "all" dialog, or none
    int32_t allNamedSlot = -1;           // the slot whose file the "all" dialog names, or none
    // The slot number field of the setting dialog was typed into since it was last written: the
    // refresh after every played block leaves it alone, so typing is not overwritten.
    bool slotFieldEdited = false;
};

}  // namespace pelkit
