#include "state/app_state.h"

#include <algorithm>
#include <cstdint>

#include "files/wav_format.h"

namespace pelkit {

bool MainSound::reopenPlayStream() {
    playStream.clear();
    return OpenSoundStream(playFileName, playStream, nullptr, kCanonicalHeaderSize);
}

bool BlockRing::allHeld() const {
    for (const ByteBuffer& b : buffers) {
        if (!b) return false;
    }
    return true;
}

void BlockRing::release() {
    for (ByteBuffer& b : buffers)
        b.release();
    for (WaveHeader& h : headers)
        h.data = nullptr;
    processBuffer = placeholder;
}

void updateByteRate(AppState& app) {
    FormatSettings& f = app.format;
    // In 64 bits: an absurd header's rate times its channels overflows 32. A rate that large
    // is shown as the largest one the field holds.
    const int64_t frame = int64_t{f.soundBitsPerSample / 8} * f.channels;
    int64_t rate = 0;
    if (__builtin_mul_overflow(frame, int64_t{f.samplesPerSecond}, &rate)) {
        rate = (frame < 0) != (f.samplesPerSecond < 0) ? INT64_MIN : INT64_MAX;
    }
    f.bytesPerSecond = static_cast<int32_t>(std::clamp<int64_t>(rate, INT32_MIN, INT32_MAX));
}

}  // namespace pelkit
