#include "edit/capture_file.h"

#include "edit/edit_output.h"
#include "files/wav_format.h"

namespace pelkit {

bool CaptureFile::open(const std::string& path, const WaveFormat& format) {
    format_ = format;
    return openOutput(out_, path, format);
}

void CaptureFile::append(const uint8_t* data, size_t n) {
    if (out_.isOpen() && !out_.failed()) out_.write(data, n);
}

uint64_t CaptureFile::dataBytes() const {
    return out_.size() > kCanonicalHeaderSize ? out_.size() - kCanonicalHeaderSize : 0;
}

EditResult CaptureFile::close() {
    if (!out_.isOpen()) return {EditOutcome::Failed, "no capture is running."};
    // The format playback used, and the sizes of what it played.
    const auto header = makeWavHeader(format_, 0);
    if (out_.writeAt(0, header.data(), header.size()) && finishOutput(out_)) {
        return {EditOutcome::Done, {}};
    }
    EditResult failed{EditOutcome::Failed, out_.error()};
    out_.abandon();
    return failed;
}

}  // namespace pelkit
