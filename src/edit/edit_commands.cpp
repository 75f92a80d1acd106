#include "edit/file_edits.h"
#include "resources/control_ids.h"
#include "resources/fileedit_ids.h"
#include "state/app_state.h"

namespace pelkit {

std::vector<CommandEntry> editCommands() {
    return {
        command(id::kFileEdit, plain<openFileEditDialog>),
        command(id::kEditNoiseOff,
                [](AppState& a, int, int32_t) { a.edits.noiseOff = !a.edits.noiseOff; }),
        command(id::kEditSpeedHq,
                [](AppState& a, int, int32_t) { a.edits.speedHq = !a.edits.speedHq; }),
        command(id::kFieldEditSpeedPercent,
                [](AppState& a, int, int32_t percent) { a.edits.speedPercent = percent; }),
        command(id::kEditCutRange, requestEdit),
        command(id::kEditCutAll, requestEdit),
        command(id::kEditLeft, requestEdit),
        command(id::kEditRight, requestEdit),
        command(id::kEditCentre, requestEdit),
        command(id::kEditJoin, requestEdit),
        command(id::kEditDivide, requestEdit),
        command(id::kEditSpeedChange, requestEdit),
        command(id::kEditRealTime, plain<startCapture>),
    };
}

}  // namespace pelkit
