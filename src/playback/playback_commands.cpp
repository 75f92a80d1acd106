#include "playback/playback_commands.h"

#include "playback/hq_stretch_settings.h"
#include "playback/live_play.h"
#include "playback/playback.h"
#include "resources/control_ids.h"

namespace pelkit {

std::vector<CommandEntry> playbackCommands() {
    return {
        command(id::kPlay, plain<playStart>),
        command(id::kPlayPause, plain<playPauseToggle>),
        command(id::kPlayStop, plain<playStop>),
        command(id::kReverse, plain<toggleReverse>),
        command(id::kRepeat, plain<toggleRepeat>),
        command(id::kRangeToggle, plain<toggleRange>),
        command(id::kSkipStart, plain<skipMarkStart>),
        command(id::kSkipEnd, plain<skipMarkEnd>),
        command(id::kSkipOnOff, plain<toggleSkipMode>),
        command(id::kContinuousPlay, plain<toggleContinuousPlay>),
        command(id::kConvertTo16, plain<requestConvertTo16>),
        command(id::kHqStretch, plain<toggleHqStretch>),
        command(id::kHqFormants, plain<toggleHqFormants>),
        command(id::kLivePlay, plain<toggleLive>),
    };
}

}  // namespace pelkit
