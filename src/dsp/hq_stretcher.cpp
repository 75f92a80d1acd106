#include "dsp/hq_stretcher.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>
#include <cmath>

namespace pelkit {

namespace {

using RubberBand::RubberBandStretcher;

// Frames handed to or taken from the library at once; its buffers are sized for this.
constexpr size_t kChunk = 1024;

RubberBandStretcher::Options optionsFor(const HqStretchConfig& c) {
    RubberBandStretcher::Options o =
        RubberBandStretcher::OptionThreadingNever | RubberBandStretcher::OptionChannelsTogether;
    if (c.realTime) {
        // Pitch may move while playing: the consistent pitch mode changes it without jumps.
        o |= RubberBandStretcher::OptionProcessRealTime |
             RubberBandStretcher::OptionPitchHighConsistency;
    } else {
        o |=
            RubberBandStretcher::OptionProcessOffline | RubberBandStretcher::OptionPitchHighQuality;
    }
    o |= c.engine == HqEngine::Finer ? RubberBandStretcher::OptionEngineFiner
                                     : RubberBandStretcher::OptionEngineFaster;
    if (c.formantsPreserved) o |= RubberBandStretcher::OptionFormantPreserved;
    return o;
}

}  // namespace

struct HqStretcher::Library {
    explicit Library(const HqStretchConfig& c)
        : rb(static_cast<size_t>(c.sampleRate), static_cast<size_t>(c.channels), optionsFor(c)) {}
    RubberBandStretcher rb;
    std::vector<float*> in, out;  // per-channel pointers into planar_ / grab_
};

HqStretcher::HqStretcher(const HqStretchConfig& config)
    : config_(config), lib_(std::make_unique<Library>(config)) {
    config_.channels = std::max(config_.channels, 1);
    lib_->rb.setMaxProcessSize(kChunk);
    planar_.resize(kChunk * channels());
    grab_.resize(kChunk * channels());
    lib_->in.resize(channels());
    lib_->out.resize(channels());
    for (size_t c = 0; c < channels(); ++c) {
        lib_->in[c] = planar_.data() + c * kChunk;
        lib_->out[c] = grab_.data() + c * kChunk;
    }
}

HqStretcher::~HqStretcher() = default;

void HqStretcher::setTimeRatio(double ratio) {
    if (ratio == timeRatio_ || !(ratio > 0.0)) return;
    timeRatio_ = ratio;
    lib_->rb.setTimeRatio(ratio);
}

void HqStretcher::setPitchScale(double scale) {
    if (scale == pitchScale_ || !(scale > 0.0)) return;
    pitchScale_ = scale;
    lib_->rb.setPitchScale(scale);
}

void HqStretcher::setFormantsPreserved(bool on) {
    if (on == config_.formantsPreserved) return;
    config_.formantsPreserved = on;
    lib_->rb.setFormantOption(on ? RubberBandStretcher::OptionFormantPreserved
                                 : RubberBandStretcher::OptionFormantShifted);
}

void HqStretcher::reset() {
    lib_->rb.reset();
    primed_ = false;
    finished_ = false;
    discard_ = 0;
    inputTime_ = 0;
    produced_ = 0;
    out_.clear();
    outRead_ = 0;
}

void HqStretcher::study(const float* interleaved, size_t frames, bool final) {
    if (config_.realTime) return;
    const size_t n = channels();
    do {
        const size_t part = std::min(frames, kChunk);
        for (size_t i = 0; i < part; ++i)
            for (size_t c = 0; c < n; ++c)
                lib_->in[c][i] = interleaved[i * n + c];
        frames -= part;
        interleaved += part * n;
        lib_->rb.study(lib_->in.data(), part, final && frames == 0);
    } while (frames > 0);
}

void HqStretcher::setExpectedInputFrames(size_t frames) {
    lib_->rb.setExpectedInputDuration(frames);
}

size_t HqStretcher::startDelayFrames() const {
    return lib_->rb.getStartDelay();
}

// In real time the first output lags the input by the start delay; silence fed ahead of the
// input and as much output dropped line the two up.
void HqStretcher::prime() {
    primed_ = true;
    if (!config_.realTime) return;
    size_t pad = lib_->rb.getPreferredStartPad();
    discard_ = lib_->rb.getStartDelay();
    std::fill(planar_.begin(), planar_.end(), 0.0f);
    while (pad > 0) {
        const size_t part = std::min(pad, kChunk);
        lib_->rb.process(lib_->in.data(), part, false);
        pad -= part;
        collect();
    }
}

void HqStretcher::feed(const float* interleaved, size_t frames, bool final) {
    const size_t n = channels();
    for (size_t i = 0; i < frames; ++i)
        for (size_t c = 0; c < n; ++c)
            lib_->in[c][i] = interleaved ? interleaved[i * n + c] : 0.0f;
    lib_->rb.process(lib_->in.data(), frames, final);
    collect();
}

void HqStretcher::push(const float* interleaved, size_t frames, bool final) {
    if (finished_) return;
    if (!primed_) prime();
    const size_t n = channels();
    inputTime_ += static_cast<double>(frames) * timeRatio_;
    // Offline, the library flushes its own tail at the final block.
    const bool libraryFinal = final && !config_.realTime;
    do {
        const size_t part = std::min(frames, kChunk);
        frames -= part;
        feed(interleaved, part, libraryFinal && frames == 0);
        interleaved += part * n;
    } while (frames > 0);
    if (!final) return;
    finished_ = true;
    if (config_.realTime) {
        // In real time the tail is pushed out by silence, and the output cut where the input's
        // end falls.
        const auto expected = static_cast<size_t>(std::llround(inputTime_));
        for (int guard = 0; guard < 256 && produced_ < expected; ++guard)
            feed(nullptr, kChunk, false);
        if (produced_ > expected)
            truncateOutput(available() - std::min(available(), produced_ - expected));
        return;
    }
    // -1 says the tail has all been taken.
    for (int guard = 0; guard < 64 && lib_->rb.available() >= 0; ++guard) {
        if (lib_->rb.available() == 0) {
            feed(nullptr, 0, true);
        } else {
            collect();
        }
    }
}

void HqStretcher::collect() {
    const size_t n = channels();
    for (int a = lib_->rb.available(); a > 0; a = lib_->rb.available()) {
        const size_t got = lib_->rb.retrieve(lib_->out.data(), std::min<size_t>(a, kChunk));
        if (got == 0) break;
        const size_t skip = std::min(discard_, got);
        discard_ -= skip;
        for (size_t i = skip; i < got; ++i)
            for (size_t c = 0; c < n; ++c)
                out_.push_back(lib_->out[c][i]);
        produced_ += got - skip;
    }
}

size_t HqStretcher::pull(float* interleaved, size_t frames) {
    const size_t n = channels();
    frames = std::min(frames, available());
    std::copy_n(out_.begin() + static_cast<std::ptrdiff_t>(outRead_), frames * n, interleaved);
    outRead_ += frames * n;
    if (outRead_ == out_.size()) {
        out_.clear();
        outRead_ = 0;
    } else if (outRead_ > (1u << 16) && outRead_ * 2 > out_.size()) {
        out_.erase(out_.begin(), out_.begin() + static_cast<std::ptrdiff_t>(outRead_));
        outRead_ = 0;
    }
    return frames;
}

void HqStretcher::truncateOutput(size_t frames) {
    if (frames < available()) out_.resize(outRead_ + frames * channels());
}

void pcmToFloat(const uint8_t* pcm, size_t samples, int bits, float* out) {
    if (bits == 8) {
        for (size_t i = 0; i < samples; ++i)
            out[i] = (static_cast<float>(pcm[i]) - 128.0f) / 128.0f;
        return;
    }
    for (size_t i = 0; i < samples; ++i) {
        const auto v =
            static_cast<int16_t>(static_cast<uint16_t>(pcm[2 * i] | (pcm[2 * i + 1] << 8)));
        out[i] = static_cast<float>(v) / 32768.0f;
    }
}

void floatToPcm(const float* in, size_t samples, int bits, uint8_t* pcm) {
    if (bits == 8) {
        for (size_t i = 0; i < samples; ++i) {
            const float v = std::clamp(in[i] * 128.0f, -128.0f, 127.0f);
            pcm[i] = static_cast<uint8_t>(static_cast<int>(v) + 128);
        }
        return;
    }
    for (size_t i = 0; i < samples; ++i) {
        const float v = std::clamp(in[i] * 32768.0f, -32768.0f, 32767.0f);
        const auto s = static_cast<uint16_t>(static_cast<int16_t>(v));
        pcm[2 * i] = static_cast<uint8_t>(s & 0xff);
        pcm[2 * i + 1] = static_cast<uint8_t>(s >> 8);
    }
}

}  // namespace pelkit
