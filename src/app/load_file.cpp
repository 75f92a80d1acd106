#include "app/load_file.h"

#include "app/main_sound.h"
#include "files/disk_sync.h"
#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/sound_decode.h"
#include "formats/sound_jobs.h"
#include "formats/working_copy.h"
#include "resources/control_ids.h"
#include "services/services.h"
#include "state/app_state.h"
#include "status/shown_block.h"
#include "status/status_display.h"

namespace pelkit {

void rebuildNames(AppState& app) {
    const std::string& f = app.sound.fileName;
    app.names.cut = DerivedName(f, "_Rif");
    app.names.left = DerivedName(f, "_L");
    app.names.right = DerivedName(f, "_R");
    app.names.center = DerivedName(f, "_M");
    app.names.leftRight = DerivedName(f, "_LR");
    app.names.sequence = SequenceName(f);
}

namespace {

// A file in another format is loaded as its WAV working copy, once that is complete.
void loadThroughWorkingCopy(AppState& app, const std::string& name) {
    startWorkingCopy(app, name, [](AppState& a, const std::string& copy) {
        loadSoundFile(a, copy);
        a.sound.position = 0;
        sendCommand(a, id::kRefreshNames);
        if (a.tools.playWhenLoaded) sendCommand(a, id::kPlay);
        a.tools.playWhenLoaded = false;
    });
}

}  // namespace

void playWhenLoaded(AppState& app) {
    if (soundJobRunning(app)) {
        app.tools.playWhenLoaded = true;
    } else {
        sendCommand(app, id::kPlay);
    }
}

void loadSoundFile(AppState& app, const std::string& name) {
    if (needsDecoding(name)) {
        loadThroughWorkingCopy(app, name);
        return;
    }
    setCurrentFile(app, name);
    // A playback that is still draining must not bring the previous name back when it ends.
    app.playback.returnFileName = app.sound.fileName;
    showLoaded(app);
    std::string refusal;
    bool valid = readMainHeader(app, app.sound.fileName, &refusal);
    if (!valid) {
        FileStream probe;
        if (!fileExists(app.sound.fileName)) {
            setStatusText(app, id::kFieldStatus, "new file");
        } else if (!probe.open(app.sound.fileName, FileStream::Mode::Read)) {
            // Not a damaged header: the file cannot be opened at all (permissions, a folder).
            showWarning(app, app.sound.fileName + " cannot be opened (" +
                                 errorText(probe.errorCode()) + "). The file is left as it is.");
        } else if (!refusal.empty()) {
            showWarning(app, refusal);
        } else {
            showWarning(app, app.sound.fileName +
                                 " is not a WAV file that can be read: its header is missing or "
                                 "damaged. The file is left as it is.");
        }
    }
    app.sound.playFileName = app.sound.fileName;
    app.sound.reopenPlayStream();
    app.format.soundBitsPerSample = app.format.bitsPerSample;
    app.services.take.prepare(false);
}

}  // namespace pelkit

namespace pelkit {

void showLoadedSound(AppState& app) {
    if (app.modes.playing || app.modes.recording || app.platform.out.isOpen() ||
        app.platform.in.isOpen()) {
        return;
    }
    showBlockAtPosition(app);
}

}  // namespace pelkit
