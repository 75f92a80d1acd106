// What the rest of the program needs to know of the operation sequences: whether one is being
// recorded (sub sounds started meanwhile are armed to start by themselves in a replay) and
// whether one is being replayed, both ending with the play that carries them; and the sequence
// file being written, to which every change of the main pan is added.
#pragma once

#include <string>

#include "files/file_stream.h"

namespace pelkit {

struct SequenceState {
    bool recording = false;
    bool replaying = false;

    std::string outputPath;  // the sequence file chosen to save to
    bool chosen = false;     // a sequence file was chosen with "save" in this run
    FileStream output;       // open for appending after a save, for the pan lines
};

}  // namespace pelkit
