// The live play figure of pelkit_audio_figures (see latency_figures.cpp).
#pragma once

// ARGV[0] is "--latency"; then [SECONDS] [SLOTS]. Prints the figures; 0, or 1 when no sound
// server can be reached.
int latencyFigures(int argc, char** argv);
