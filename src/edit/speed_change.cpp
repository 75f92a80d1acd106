#include "edit/speed_change.h"

#include <algorithm>
#include <vector>

#include "dsp/speed_pitch.h"
#include "edit/edit_output.h"
#include "files/sound_reader.h"
#include "files/staged_file.h"

namespace pelkit {

namespace {

int16_t get16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

// The longest whole-frame seam of at most SEAM bytes within ROOM bytes.
uint32_t fitSeam(uint32_t seam, uint64_t room) {
    return static_cast<uint32_t>(std::min<uint64_t>(seam, room / 4 * 4));
}

class SpeedChangeJob : public EditJob {
  public:
    SpeedChangeJob(const EditSource& source, const std::string& output,
                   const SpeedChangeSettings& settings)
        : output_(output), settings_(settings) {
        prepare(source);
    }

  private:
    void prepare(const EditSource& source) {
        if (settings_.chunkBytes <= 0 || settings_.percent <= 0) {
            return refuse(kSpeedSettingsError);
        }
        chunk_ = std::min(static_cast<uint32_t>(settings_.chunkBytes) / 4 * 4, kLargestSpeedChunk);
        if (chunk_ == 0) return refuse(kSpeedSettingsError);
        if (source.header.format.bitsPerSample != 16) return refuse(needs16BitMessage(source));
        if (!reader_.open(source.path, source.header)) return fail(reader_.error());
        seam_ = settings_.seamLength / 4 * 4;
        format_ = source.header.format;
        setTotal(reader_.soundBytes());
    }

    Slice advance() override {
        if (!out_.isOpen()) {
            if (!openOutput(out_, output_, format_)) fail(out_.error());
            chunkBuffer_.resize(chunk_);
            return Slice::More;
        }
        if (reader_.remaining() == 0) {
            if (!finishOutput(out_)) fail(out_.error());
            return Slice::Complete;
        }
        // A stretched chunk read the start of this one ahead: it is in the buffer already.
        uint8_t* chunk = chunkBuffer_.data();
        const auto got = static_cast<uint32_t>(reader_.read(chunk + carried_, chunk_ - carried_));
        const uint32_t f = carried_ + got;
        carried_ = 0;
        if (reader_.failed()) {
            fail(reader_.error());
            return Slice::Complete;
        }
        addDone(got);
        if (reader_.remaining() == 0) return Slice::More;  // the last chunk is dropped
        const uint32_t keep = static_cast<uint32_t>(
            std::min<uint64_t>(speedChangedBytes(f, settings_.percent), UINT32_MAX));
        if (settings_.percent > 100) {
            stretch(f, keep);
        } else {
            shorten(f, std::min(keep, f));
        }
        return Slice::More;
    }

    // The whole chunk, then up to another chunk of the sound that follows it (read ahead, and
    // kept as the start of the next chunk), closed by a seam back toward the chunk's last frame.
    void stretch(uint32_t f, uint32_t keep) {
        uint8_t* chunk = chunkBuffer_.data();
        const int16_t lastLeft = get16(chunk + f - 4);
        const int16_t lastRight = get16(chunk + f - 2);
        if (!write(chunk, f)) return;
        const uint32_t want = keep > f ? std::min(keep - f, chunk_) : 0;
        const uint32_t n = static_cast<uint32_t>(reader_.read(chunk, want));
        if (reader_.failed()) return fail(reader_.error());
        addDone(n);
        carried_ = n;
        // The seam starts from the frame just before it, which must lie within the bytes read;
        // it is made apart, so the bytes read ahead stay as they are for the next chunk.
        const uint32_t x = fitSeam(seam_, n >= 4 ? n - 4 : 0);
        if (!write(chunk, n - x) || x == 0) return;
        const uint8_t* from = chunk + n - x - 4;
        seamBuffer_.resize(x);
        SeamRamp(seamBuffer_.data(), get16(from), get16(from + 2), lastLeft, lastRight,
                 static_cast<int32_t>(x));
        write(seamBuffer_.data(), x);
    }

    // The first KEEP bytes of the chunk; with noise-off, the last of them replaced by a seam from
    // the first frame left out toward the chunk's last frame.
    void shorten(uint32_t f, uint32_t keep) {
        uint8_t* chunk = chunkBuffer_.data();
        const uint32_t x = settings_.noiseOff ? fitSeam(seam_, keep) : 0;
        if (x > 0) {
            const uint8_t* from = chunk + keep - x;
            const uint8_t* to = chunk + f - 4;
            SeamRamp(chunk + keep - x, get16(from), get16(from + 2), get16(to), get16(to + 2),
                     static_cast<int32_t>(x));
        }
        write(chunk, keep);
    }

    bool write(const uint8_t* data, uint32_t n) {
        if (out_.write(data, n)) return true;
        fail(out_.error());
        return false;
    }

    void discard() override { out_.abandon(); }

    std::string output_;
    SpeedChangeSettings settings_;
    SoundReader reader_;
    StagedFile out_;
    WaveFormat format_;
    uint32_t chunk_ = 0;
    uint32_t seam_ = 0;
    uint32_t carried_ = 0;  // bytes at the start of the buffer that begin the next chunk
    std::vector<uint8_t> chunkBuffer_, seamBuffer_;
};

}  // namespace

uint64_t speedChangedBytes(uint64_t bytes, int32_t percent) {
    const double factor = static_cast<double>(percent) * 0.01;  // rounded to double here
    const double quarter = static_cast<double>(bytes) * factor * 0.25;
    return quarter <= 0.0 ? 0 : 4 * static_cast<uint64_t>(quarter);
}

std::unique_ptr<EditJob> makeSpeedChangeJob(const EditSource& source, const std::string& output,
                                            const SpeedChangeSettings& settings) {
    if (settings.hq) return makeHqSpeedChangeJob(source, output, settings.percent);
    return std::make_unique<SpeedChangeJob>(source, output, settings);
}

}  // namespace pelkit
