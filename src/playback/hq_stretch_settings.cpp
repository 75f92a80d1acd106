#include "playback/hq_stretch_settings.h"

#include "files/settings_file.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr const char* kSection = "init";

void keep(AppState& app, const char* key, bool on) {
    if (app.settingsPath.empty()) return;
    std::string problem;
    if (SettingsFile(app.settingsPath).writeString(kSection, key, on ? "1" : "0", &problem)) return;
    showWarning(app, "The settings file " + app.settingsPath + " cannot be written (" + problem +
                         "). The high-quality stretch switch holds for this run only.");
}

}  // namespace

void loadStretchSettings(ProcessingSettings& processing, const SettingsFile& settings) {
    processing.hqStretch = settings.readInt(kSection, "hqstretch", 0) != 0;
    processing.hqFormants = settings.readInt(kSection, "hqformants", 0) != 0;
}

void toggleHqStretch(AppState& app) {
    ProcessingSettings& p = app.processing;
    p.hqStretch = !p.hqStretch;
    app.hqStretch.restart();
    keep(app, "hqstretch", p.hqStretch);
}

void toggleHqFormants(AppState& app) {
    ProcessingSettings& p = app.processing;
    p.hqFormants = !p.hqFormants;
    keep(app, "hqformants", p.hqFormants);
}

}  // namespace pelkit
