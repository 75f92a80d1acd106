#include "marks/marks.h"
#include "resources/control_ids.h"

namespace pelkit {

std::vector<CommandEntry> markCommands() {
    return {
        command(id::kMarkSave, plain<savePositionMark>),
        command(id::kMarkEditFile, plain<editPositionFile>),
    };
}

}  // namespace pelkit
