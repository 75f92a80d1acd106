#include "app/block_listeners.h"

#include <algorithm>

#include "resources/control_ids.h"
#include "state/app_state.h"
#include "state/mixing_turn.h"
#include "state/value_slider.h"
#include "status/micro_edit_readouts.h"

namespace pelkit {

void registerBlockListeners(AppState& app) {
    BlockListeners& listeners = app.playback.listeners;
    // The sub sound setting dialog shows its slot as each block begins.
    listeners.started.push_back([&app] {
        if (app.subSoundUi.settingWindow != kNoWindow) {
            sendCommand(app, id::kSubSoundSettingRefresh);
        }
    });
    // A replayed sequence: armed slots start by themselves once the main sound passes their
    // start, in time to be mixed into this block.
    listeners.mixing.push_back([&app](uint32_t position) {
        if (app.subSounds && app.subSounds->armsWaiting) startArmedSlots(*app.subSounds, position);
    });
    // The wave micro edit's cursor counts the frames of the block; it stays inside them.
    listeners.processed.push_back([&app](const PlayedBlock& block) {
        ValueSlider& cursor = app.microEdit.sliders.cursor;
        setCursorRange(cursor, block.outputLength);
        app.display.editCursor =
            std::min(app.display.editCursor, static_cast<uint32_t>(cursor.maximum));
    });
    // Real-time capture: the whole block, as the sound card gets it.
    listeners.queued.push_back([&app](const PlayedBlock& block) {
        if (app.playback.realTimeOutput && app.edits.capture) {
            app.edits.capture->append(block.data, block.length);
        }
    });
    listeners.shown.push_back([&app] { showCursorSlider(app); });
}

}  // namespace pelkit
