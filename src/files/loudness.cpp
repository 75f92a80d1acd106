#include "files/loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

namespace pelkit {

struct LoudnessMeter::State {
    ebur128_state* st = nullptr;
    ~State() {
        if (st) ebur128_destroy(&st);
    }
};

LoudnessMeter::LoudnessMeter() = default;
LoudnessMeter::~LoudnessMeter() = default;

namespace {

std::string decibels(double v, const char* unit) {
    if (!std::isfinite(v)) return std::string("-inf ") + unit;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", v, unit);
    return text;
}

}  // namespace

std::string describe(const Loudness& l) {
    return decibels(l.integrated, "LUFS") + ", range " + decibels(l.range, "LU") + ", true peak " +
           decibels(l.truePeak, "dBTP");
}

std::string LoudnessMeter::open(const std::string& path) {
    error_ = frames_.open(path);
    if (!error_.empty()) return error_;
    const WaveFormat& f = frames_.format();
    state_ = std::make_unique<State>();
    state_->st = ebur128_init(f.channels, f.samplesPerSecond,
                              EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_TRUE_PEAK);
    if (!state_->st) {
        error_ = path + " cannot be measured (" + std::to_string(f.channels) + " channels at " +
                 std::to_string(f.samplesPerSecond) + " Hz).";
        return error_;
    }
    block_.resize(kLoudnessFrames * f.channels);
    return {};
}

bool LoudnessMeter::step() {
    if (!state_ || !error_.empty()) return false;
    const size_t got = frames_.read(block_.data(), kLoudnessFrames);
    if (got == 0) {
        if (frames_.failed()) error_ = "the sound could not be read to its end.";
        return false;
    }
    if (ebur128_add_frames_float(state_->st, block_.data(), got) != EBUR128_SUCCESS) {
        error_ = "the loudness measurement failed.";
        return false;
    }
    return true;
}

Loudness LoudnessMeter::result() const {
    Loudness l;
    const double minusInf = -std::numeric_limits<double>::infinity();
    l.integrated = l.truePeak = minusInf;
    if (!state_ || !state_->st) return l;
    double v = 0;
    if (ebur128_loudness_global(state_->st, &v) == EBUR128_SUCCESS) l.integrated = v;
    if (ebur128_loudness_range(state_->st, &v) == EBUR128_SUCCESS) l.range = v;
    double peak = 0;
    for (unsigned c = 0; c < frames_.format().channels; ++c) {
        if (ebur128_true_peak(state_->st, c, &v) == EBUR128_SUCCESS) peak = std::max(peak, v);
    }
    l.truePeak = peak > 0 ? 20 * std::log10(peak) : minusInf;
    return l;
}

NormaliseGain normaliseGain(const Loudness& measured, double target, double ceiling) {
    NormaliseGain g;
    if (!std::isfinite(measured.integrated)) return g;
    g.gainDb = target - measured.integrated;
    if (std::isfinite(measured.truePeak) && measured.truePeak + g.gainDb > ceiling) {
        g.gainDb = ceiling - measured.truePeak;
        g.limited = true;
    }
    return g;
}

std::string ScaledCopy::open(const std::string& source, const std::string& output, double gainDb) {
    error_ = frames_.open(source);
    if (!error_.empty()) {
        finished_ = true;
        return error_;
    }
    gain_ = std::pow(10.0, gainDb / 20);
    if (!out_.open(output)) {
        finished_ = true;
        error_ = out_.error();
        return error_;
    }
    const std::array<uint8_t, 44> header = makeWavHeader(frames_.format(), 0);
    if (!out_.write(header.data(), header.size())) {
        failWith(out_.error());
        return error_;
    }
    bytes_.resize(kLoudnessFrames * frames_.header().frameSize);
    return {};
}

ScaledCopy::Step ScaledCopy::failWith(std::string message) {
    finished_ = true;
    error_ = std::move(message);
    out_.abandon();
    return Step::Failed;
}

namespace {

// Scales the samples of BYTES (N of them, each SIZE bytes, FLOAT or integer; 8-bit unsigned) by
// GAIN in place.
void scaleSamples(uint8_t* bytes, size_t n, int size, bool isFloat, double gain) {
    if (isFloat) {
        for (size_t i = 0; i < n; ++i, bytes += 4) {
            float f;
            std::memcpy(&f, bytes, 4);
            f = static_cast<float>(f * gain);
            std::memcpy(bytes, &f, 4);
        }
        return;
    }
    const double top = std::ldexp(1.0, 8 * size - 1);
    for (size_t i = 0; i < n; ++i, bytes += size) {
        int64_t v = 0;
        for (int k = 0; k < size; ++k)
            v |= int64_t{bytes[k]} << (8 * k);
        if (size == 1) {
            v -= 128;
        } else if (v >= static_cast<int64_t>(top)) {
            v -= 2 * static_cast<int64_t>(top);
        }
        double s = std::clamp(static_cast<double>(v) * gain, -top, top - 1);
        auto out = static_cast<int64_t>(s);  // truncates toward zero
        if (size == 1) out += 128;
        for (int k = 0; k < size; ++k)
            bytes[k] = static_cast<uint8_t>(out >> (8 * k));
    }
}

}  // namespace

ScaledCopy::Step ScaledCopy::step() {
    if (finished_) return error_.empty() ? Step::Done : Step::Failed;
    const size_t got = frames_.readBytes(bytes_.data(), kLoudnessFrames);
    if (got == 0) {
        if (frames_.failed()) return failWith("the sound could not be read to its end.");
        const std::array<uint8_t, 44> header = makeWavHeader(frames_.format(), written_);
        if (!out_.writeAt(0, header.data(), header.size()) || !out_.commit()) {
            return failWith(out_.error());
        }
        finished_ = true;
        return Step::Done;
    }
    const WaveFormat& f = frames_.format();
    scaleSamples(bytes_.data(), got * f.channels, f.bitsPerSample / 8, frames_.isFloat(), gain_);
    const size_t n = got * frames_.header().frameSize;
    if (!out_.write(bytes_.data(), n)) return failWith(out_.error());
    written_ += n;
    return Step::More;
}

void ScaledCopy::cancel() {
    if (finished_) return;
    finished_ = true;
    error_ = "cancelled.";
    out_.abandon();
}

}  // namespace pelkit
