// The keyboard's pitch arithmetic: 85 keys in equal-tempered semitones, shifted by octaves, and
// the pitch readout and bar position of the main pitch group.
#pragma once

#include <cstdint>

namespace pelkit {

inline constexpr int32_t kKeyboardKeyCount = 85;
inline constexpr int32_t kKeyboardUnisonKey = 36;  // the C marked "0": pitch 1.0 unshifted

// The pitch factor of KEY (0..84) with the keyboard shifted by OCTAVESHIFT octaves:
// 1.0 shifted down by 3 - octaveShift octaves (stored in single precision), then KEY semitones
// up. Key 36 at shift 0 gives 1.0, key 0 gives 0.125 and key 84 gives 16.
float keyboardPitch(int32_t key, int32_t octaveShift);

// The main pitch readout: trunc(100 x p), p the pitch limited to 0.04 .. 20 in extended
// precision (so the lower limit reads 4, not 3).
int32_t pitchReadout(float pitch);
// The pitch bar position: trunc(500 x pitch) limited to 100 .. 1800.
int32_t pitchBarPosition(float pitch);

}  // namespace pelkit
