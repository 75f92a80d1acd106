#include "resources/control_ids.h"
#include "sequence/sequence.h"

namespace pelkit {

std::vector<CommandEntry> sequenceCommands() {
    return {
        command(id::kSequenceSave, plain<saveSequence>),
        command(id::kSequenceOpen, plain<openSequence>),
        command(id::kSequenceRecord, plain<recordSequence>),
        command(id::kSequenceReplay, plain<replaySequence>),
    };
}

}  // namespace pelkit
