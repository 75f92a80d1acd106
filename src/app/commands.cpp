#include "app/commands.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/load_file.h"
#include "app/startup.h"
#include "app/status_display.h"
#include "files/main_sound.h"
#include "files/wav_format.h"
#include "record/recorder.h"

namespace pelkit {

namespace {

// Command 1120: names, format readout, byte rate and time after the main file changed.
void refreshNames(AppState& app) {
    rebuildNames(app);
    refreshFormatReadout(app, &app.format.deviceFormat);
    updateByteRate(app);
    showTime(app, app.sound.dataSize);
}

}  // namespace

void sendCommand(AppState& app, int id, int32_t param) {
    (void)param;
    switch (id) {
        case id::kExit:
            setStatusText(app, id::kFieldStatus, "good-bye");
            closeMainWindow(app);
            break;
        case id::kShowExtraHeader:
            setNumberText(app, id::kFieldStatus, app.sound.extraHeaderBytes);
            break;
        case id::kBufferReset: bufferReset(app); break;
        case id::kRefreshNames: refreshNames(app); break;
        case id::kSetPcm: app.format.formatTag = 1; break;
        case id::kShowPositionRange:
            setNumberText(app, id::kFieldStatus, static_cast<int32_t>(app.scroll.positionRange));
            break;
        case id::kOverwriteDataSize: OverwriteDataSize(app); break;
        default: break;  // identifiers without an action have no effect
    }
}

}  // namespace pelkit
