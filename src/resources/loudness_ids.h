// Identifiers of the controls of the loudness window LOUDNESS.
#pragma once

namespace pelkit::id {

inline constexpr int kLoudnessNormaliseButton = 1;  // writes NAME_norm.wav at the typed target
inline constexpr int kLoudnessClose = 2;
inline constexpr int kLoudnessFile = 1600;        // the file measured
inline constexpr int kLoudnessIntegrated = 1601;  // read-only: integrated loudness, LUFS
inline constexpr int kLoudnessRange = 1602;       // read-only: loudness range, LU
inline constexpr int kLoudnessTruePeak = 1603;    // read-only: true peak, dBTP
inline constexpr int kLoudnessTarget = 1604;      // the target of a normalised copy, LUFS

}  // namespace pelkit::id
