// The speed change by the high-quality stretch: the whole sound is stretched to the percent
// asked, at the stretcher's best offline quality, without changing its pitch. Two passes over
// the file in blocks: the stretcher studies the sound first, then stretches it; nothing holds
// the whole sound in memory.
#include <algorithm>
#include <vector>

#include "dsp/hq_stretcher.h"
#include "edit/edit_output.h"
#include "edit/speed_change.h"
#include "files/sound_reader.h"
#include "files/staged_file.h"

namespace pelkit {

namespace {

class HqSpeedChangeJob : public EditJob {
  public:
    HqSpeedChangeJob(const EditSource& source, const std::string& output, int32_t percent)
        : output_(output), percent_(percent) {
        prepare(source);
    }

  private:
    enum class Pass { Study, Stretch };

    void prepare(const EditSource& source) {
        if (percent_ <= 0) return refuse(kSpeedSettingsError);
        if (source.header.format.bitsPerSample != 16) return refuse(needs16BitMessage(source));
        if (!reader_.open(source.path, source.header)) return fail(reader_.error());
        format_ = source.header.format;
        frame_ = std::max<uint32_t>(format_.blockAlign, 2);
        // As much as the header of the chunk method's output would say, in whole frames.
        target_ = speedChangedBytes(reader_.soundBytes(), percent_) / frame_ * frame_;
        setTotal(2 * uint64_t{reader_.soundBytes()});
    }

    void start() {
        HqStretchConfig config;
        config.sampleRate = static_cast<int>(format_.samplesPerSecond);
        config.channels = std::max<int>(format_.channels, 1);
        config.realTime = false;
        config.engine = HqEngine::Finer;
        stretcher_ = std::make_unique<HqStretcher>(config);
        stretcher_->setTimeRatio(percent_ / 100.0);
        stretcher_->setExpectedInputFrames(reader_.soundBytes() / frame_);
        bytes_.resize(kCopyBlockBytes / frame_ * frame_);
        samples_.resize(bytes_.size() / 2);
    }

    // Reads the next block of the sound as floats; how many frames came.
    size_t readBlock() {
        const size_t got = reader_.read(bytes_.data(), bytes_.size()) / frame_ * frame_;
        addDone(got);
        pcmToFloat(bytes_.data(), got / 2, 16, samples_.data());
        return got / frame_;
    }

    Slice advance() override {
        if (!out_.isOpen()) {
            if (!openOutput(out_, output_, format_)) fail(out_.error());
            start();
            return Slice::More;
        }
        const size_t frames = readBlock();
        if (reader_.failed()) {
            fail(reader_.error());
            return Slice::Complete;
        }
        const bool last = reader_.remaining() < frame_;
        if (pass_ == Pass::Study) {
            stretcher_->study(samples_.data(), frames, last);
            if (last) reader_.seek(0), pass_ = Pass::Stretch;
            return Slice::More;
        }
        stretcher_->push(samples_.data(), frames, last);
        if (!writeOutput() || !last) return Slice::More;
        // The stretcher's output is held to the length asked; any shortfall is silence.
        std::fill(bytes_.begin(), bytes_.end(), 0);
        while (written_ < target_) {
            const auto n =
                static_cast<size_t>(std::min<uint64_t>(bytes_.size(), target_ - written_));
            if (!write(bytes_.data(), n)) return Slice::Complete;
        }
        if (!finishOutput(out_)) fail(out_.error());
        return Slice::Complete;
    }

    // Writes what the stretcher has made, up to the length asked.
    bool writeOutput() {
        const size_t channels = std::max<size_t>(format_.channels, 1);
        const size_t room = samples_.size() / channels;
        while (stretcher_->available() > 0) {
            const size_t n = stretcher_->pull(samples_.data(), room);
            floatToPcm(samples_.data(), n * channels, 16, bytes_.data());
            const auto keep =
                static_cast<size_t>(std::min<uint64_t>(n * frame_, target_ - written_));
            if (keep > 0 && !write(bytes_.data(), keep)) return false;
        }
        return true;
    }

    bool write(const uint8_t* data, size_t n) {
        written_ += n;
        if (out_.write(data, n)) return true;
        fail(out_.error());
        return false;
    }

    void discard() override { out_.abandon(); }

    std::string output_;
    int32_t percent_;
    SoundReader reader_;
    StagedFile out_;
    WaveFormat format_;
    uint32_t frame_ = 4;
    uint64_t target_ = 0;   // output bytes
    uint64_t written_ = 0;  // output bytes so far
    Pass pass_ = Pass::Study;
    std::unique_ptr<HqStretcher> stretcher_;
    std::vector<uint8_t> bytes_;
    std::vector<float> samples_;
};

}  // namespace

std::unique_ptr<EditJob> makeHqSpeedChangeJob(const EditSource& source, const std::string& output,
                                              int32_t percent) {
    return std::make_unique<HqSpeedChangeJob>(source, output, percent);
}

}  // namespace pelkit
