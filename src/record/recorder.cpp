#include "record/recorder.h"

#include "app/app_state.h"
#include "app/status_display.h"

namespace pelkit {

void bufferReset(AppState& app) {
    armRecordControls(app);
    app.recorder.recordStream.close();
    FormatSettings& f = app.format;
    f.deviceFormat = makeWaveFormat(f.formatTag, f.channels, f.samplesPerSecond, f.bitsPerSample);
    app.sound.dataSize = 0;
    app.recorder.recordStream.open(app.recorder.tempFileName, FileStream::Mode::WriteTruncate);
}

}  // namespace pelkit
