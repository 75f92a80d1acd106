// The sub sounds' turn in a block refill: after the level stage and before the zero tail, every
// playing slot reads one block's worth of its data and is mixed into the block.
#pragma once

#include <cstdint>
#include <span>

#include "state/subsound_bank.h"

namespace pelkit {

struct MixingBlock {
    uint8_t* data = nullptr;     // the block being refilled
    uint32_t outputLength = 0;   // processed bytes in it; each playing slot reads this many
    int32_t bitsPerSample = 16;  // of the sound as played; only 16-bit sound is mixed into
    bool timesMode = false;      // multiply instead of add
    uint32_t position = 0;       // main position at the block's start, not yet advanced
};

struct MixingTurnResult {
    int32_t mixed = 0;    // slots read (and mixed) this turn
    int32_t started = 0;  // armed slots that started by themselves
    int32_t ended = 0;    // slots whose data ran out, now idle and rewound
};

// Starts every armed slot not yet started in this replay once POSITION, the main position at
// the block's start, is past its start position; returns how many started. Notes in the bank
// whether any armed slot still waits.
int32_t startArmedSlots(SubSoundBank& bank, uint32_t position);

// Every playing slot, in index order, reads up to outputLength bytes into SCRATCH (the copy
// buffer, already used up by the block) and is mixed in with its boost and pan; when its data
// runs out it goes idle and rewinds. A slot whose file cannot be read obtains nothing and ends
// the same way. Reads never pass SCRATCH. The count of started slots stays 0.
MixingTurnResult mixPlayingSlots(SubSoundBank& bank, const MixingBlock& block,
                                 std::span<uint8_t> scratch);

// Both in one turn, as a replay does: the armed slots start, then every playing slot is mixed.
// Walks the slots in index order. An armed slot not yet started in this replay starts once the
// main position is past its start position. A playing slot reads up to outputLength bytes into
// SCRATCH (the copy buffer, already used up by the block) and is mixed in with its boost and
// pan; when its data runs out it goes idle and rewinds. A slot whose file cannot be read obtains
// nothing and ends the same way. Reads never pass SCRATCH.
MixingTurnResult runMixingTurn(SubSoundBank& bank, const MixingBlock& block,
                               std::span<uint8_t> scratch);

}  // namespace pelkit
