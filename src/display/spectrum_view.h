// The spectrum views of the waveform windows in spectrum mode: the cosine-sum bars of the start
// of the displayed bytes (computed by the spectrum worker), or the FFT view of the whole block
// being heard, its left channel in the upper window and its right channel in the lower one.
#pragma once

#include <cstdint>

#include "platform/canvas.h"

namespace pelkit {

struct AppState;
struct WaveHeader;

// A played block DONE came back and was refilled: starts the bars' analysis of the displayed
// bytes, or computes the FFT view of the block heard now. True while the bars' analysis runs
// (the block's repaint then waits for the timer).
bool updateSpectrum(AppState& app, const WaveHeader& done);

// The bars of the upper window over visible width W, from the worker's published results.
void paintSpectrumBars(AppState& app, Canvas& canvas, int32_t w);
// The FFT view of one channel: the left in the upper window, the right in the lower.
void paintFftView(AppState& app, Canvas& canvas, bool left);

}  // namespace pelkit
