// What the rest of the program needs to know of the operation sequences: whether one is being
// recorded (sub sounds started meanwhile are armed to start by themselves in a replay) and
// whether one is being replayed. Both end with the play that carries them.
#pragma once

namespace pelkit {

struct SequenceState {
    bool recording = false;
    bool replaying = false;
};

}  // namespace pelkit
