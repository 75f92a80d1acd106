// Pitch changes in equal-tempered semitones and octaves, as the semitone buttons and the
// keyboard make them. Each step works in extended precision and stores single precision.
#pragma once

#include <cstdint>

namespace pelkit {

float semitonesUp(float pitch, int32_t k);
float semitonesDown(float pitch, int32_t k);
float shiftOctaves(float pitch, int32_t n);

}  // namespace pelkit
