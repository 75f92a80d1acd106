// The loudness window: the figures of the last measurement, and a target field with the button
// that writes the normalised copy at that target. It leaves the main window usable.
#pragma once

#include <optional>
#include <string>

#include "files/loudness.h"

namespace pelkit {

struct AppState;

// Opens the window when it is not open and shows PATH's figures in it.
void showLoudnessWindow(AppState& app, const std::string& path, const Loudness& figures);
// Ends the window if it is open (the main window closes).
void closeLoudnessWindow(AppState& app);

// The target typed in the window as LUFS (a number from -70 to 0), or nothing.
std::optional<double> parseLoudnessTarget(const std::string& text);

}  // namespace pelkit
