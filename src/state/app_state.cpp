#include "state/app_state.h"

#include "files/wav_format.h"

namespace pelkit {

bool MainSound::reopenPlayStream() {
    playStream.clear();
    return OpenSoundStream(playFileName, playStream, nullptr, kCanonicalHeaderSize);
}

void updateByteRate(AppState& app) {
    FormatSettings& f = app.format;
    f.bytesPerSecond = (f.soundBitsPerSample / 8) * f.channels * f.samplesPerSecond;
}

}  // namespace pelkit
