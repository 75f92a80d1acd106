#include "dialogs/dialog_commands.h"

#include "dialogs/record_options.h"
#include "dialogs/wave_micro_edit.h"
#include "resources/control_ids.h"
#include "state/app_state.h"

namespace pelkit {

std::vector<CommandEntry> dialogCommands() {
    return {
        command(id::kRecordOptions, [](AppState& a, int, int32_t) { openRecordOptions(a); }),
        command(id::kMicroEdit, plain<openMicroEdit>),
    };
}

}  // namespace pelkit
