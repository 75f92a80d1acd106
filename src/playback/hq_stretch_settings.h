// The high-quality stretch switches: the menu entries that turn them on and off, and their place
// in the settings file, so that the choice holds across runs.
#pragma once

namespace pelkit {

struct AppState;
struct ProcessingSettings;
class SettingsFile;

// Reads "hqstretch" and "hqformants" of [init] (0 or missing: off).
void loadStretchSettings(ProcessingSettings& processing, const SettingsFile& settings);
// "hq-stretch" and "hq-formants": invert the switch, start the stretcher's stream afresh and
// write the switch to the settings file (a file that cannot be written is said; the switch then
// holds for this run only).
void toggleHqStretch(AppState& app);
void toggleHqFormants(AppState& app);

}  // namespace pelkit
