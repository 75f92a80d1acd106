#include "record/recorder.h"
#include "resources/control_ids.h"
#include "state/app_state.h"

namespace pelkit {

std::vector<CommandEntry> recordCommands() {
    return {
        command(id::kRecord, plain<recordStart>),
        command(id::kRecordStop, plain<recordStop>),
        command(id::kRecordPause, plain<recordPause>),
        command(id::kBufferReset, plain<bufferReset>),
        command(id::kStandby, plain<enterStandby>),
        command(id::kLoopStandby,
                [](AppState& a, int, int32_t) {
                    a.modes.loopRecording = true;
                    enterStandby(a);
                }),
        command(id::kLevelCheck, plain<toggleLevelCheck>),
    };
}

}  // namespace pelkit
