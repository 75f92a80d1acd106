#include "devices/virtual/virtual_sound.h"

#include <cstring>

#include "files/wav_format.h"

namespace pelkit {

bool virtualDeviceAccepts(const WaveFormat& f) {
    // The sample encodings are those of the real devices; channels and rate stand for what a
    // sound card would take.
    return isDeviceEncoding(f) && f.channels >= 1 && f.channels <= 8 &&
           f.samplesPerSecond >= 1000 && f.samplesPerSecond <= 384000;
}

bool VirtualSoundOut::open(const WaveFormat& format) {
    if (open_ || !virtualDeviceAccepts(format)) return false;
    open_ = true;
    paused_ = false;
    format_ = format;
    if (!outPath_.empty() && !outStarted_) {
        outStarted_ = true;
        outFormat_ = format;
        if (out_.open(outPath_, FileStream::Mode::WriteTruncate)) WriteWavHeader(out_, format, 0);
    }
    queue_.post({MessageKind::OutOpen, nullptr, 0});
    return true;
}

void VirtualSoundOut::write(WaveHeader& header) {
    if (open_) queued_.push_back(&header);
}

bool VirtualSoundOut::finishOne() {
    if (!canAdvance()) return false;
    WaveHeader* h = queued_.front();
    queued_.pop_front();
    if (out_.isOpen() && h->data && h->bufferLength > 0) {
        out_.write(h->data, h->bufferLength);
        written_ += h->bufferLength;
    }
    queue_.post({MessageKind::OutDone, h, 0});
    return true;
}

void VirtualSoundOut::reset() {
    // Blocks returned by a reset were never heard, so they are not written.
    for (WaveHeader* h : queued_)
        queue_.post({MessageKind::OutDone, h, 0});
    queued_.clear();
}

bool VirtualSoundOut::close() {
    if (!open_ || !queued_.empty()) return false;
    open_ = false;
    paused_ = false;
    queue_.post({MessageKind::OutClose, nullptr, 0});
    return true;
}

void VirtualSoundOut::finishFile() {
    if (!out_.isOpen()) return;
    uint32_t size = written_ > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(written_);
    WriteWavHeader(out_, outFormat_, size);
    out_.close();
}

bool VirtualSoundIn::setInputFile(const std::string& path) {
    WavHeaderInfo info;
    if (!ReadWavHeader(path, info)) return false;
    inputDone_ = false;
    return OpenSoundStream(path, in_, nullptr, kCanonicalHeaderSize + info.extraHeaderBytes);
}

bool VirtualSoundIn::inputUsedUp() const {
    return !in_.isOpen() || inputDone_ || in_.tell() >= in_.size();
}

bool VirtualSoundIn::open(const WaveFormat& format) {
    if (open_ || !virtualDeviceAccepts(format)) return false;
    open_ = true;
    started_ = false;
    format_ = format;
    queue_.post({MessageKind::InOpen, nullptr, 0});
    return true;
}

void VirtualSoundIn::add(WaveHeader& header) {
    if (open_) queued_.push_back(&header);
}

bool VirtualSoundIn::fillOne() {
    if (!canAdvance()) return false;
    WaveHeader* h = queued_.front();
    queued_.pop_front();
    size_t got = 0;
    if (in_.isOpen() && !inputDone_ && h->data) {
        got = in_.read(h->data, h->bufferLength);
        if (got < h->bufferLength) inputDone_ = true;
    }
    if (h->data && got < h->bufferLength) {
        std::memset(h->data + got, format_.bitsPerSample == 8 ? 0x80 : 0, h->bufferLength - got);
    }
    h->bytesRecorded = h->bufferLength;
    queue_.post({MessageKind::InData, h, 0});
    return true;
}

void VirtualSoundIn::reset() {
    for (WaveHeader* h : queued_) {
        h->bytesRecorded = 0;
        queue_.post({MessageKind::InData, h, 0});
    }
    queued_.clear();
    started_ = false;
}

bool VirtualSoundIn::close() {
    if (!open_ || !queued_.empty()) return false;
    open_ = false;
    started_ = false;
    queue_.post({MessageKind::InClose, nullptr, 0});
    return true;
}

}  // namespace pelkit
