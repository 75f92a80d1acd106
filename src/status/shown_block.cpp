#include "status/shown_block.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "files/file_stream.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

void showBlockAtPosition(AppState& app) {
    std::vector<uint8_t>& shown = app.ring.displayBuffer;
    if (shown.empty()) return;
    const size_t block = std::min<size_t>(app.blocks.blockSize, shown.size());
    FileStream in;
    size_t got = 0;
    if (in.open(app.sound.fileName, FileStream::Mode::Read) &&
        in.seek(app.sound.dataOffset() + app.sound.position)) {
        got = in.read(shown.data(), block);
    }
    std::memset(shown.data() + got, 0, block - got);
    app.ring.displayData = shown.data();
    // While playing, the display timer moves the picture on.
    if (!app.modes.playing) app.display.tickCount = 0;
    invalidateWaveforms(app);
}

}  // namespace pelkit
