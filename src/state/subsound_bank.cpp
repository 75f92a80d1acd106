#include "state/subsound_bank.h"

#include "files/wav_format.h"

namespace pelkit {

bool SubSoundSlot::reopen() {
    return OpenSoundStream(name, stream, header.data(), kSubSoundDataOffset);
}

void SubSoundSlot::assign(const std::string& path) {
    name = path;
    playedBytes = 0;
    assigned = true;
    reopen();
    isPlaying = false;
}

void SubSoundSlot::play(uint32_t position, bool sequenceRecording) {
    startPosition = position;
    isPlaying = true;
    assigned = true;
    playedBytes = 0;
    reopen();
    if (sequenceRecording) {
        armed = true;
        triggered = true;
    }
}

void SubSoundSlot::finish() {
    isPlaying = false;
    playedBytes = 0;
    assigned = true;
    reopen();
}

void SubSoundBank::stopAll() {
    for (SubSoundSlot& s : entries)
        s.stop();
}

void SubSoundBank::rewindAll() {
    for (SubSoundSlot& s : entries) {
        s.playedBytes = 0;
        s.reopen();
        s.triggered = false;
    }
    armsWaiting = true;
}

}  // namespace pelkit
