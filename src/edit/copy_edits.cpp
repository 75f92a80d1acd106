#include "edit/copy_edits.h"

#include <algorithm>
#include <span>
#include <vector>

#include "edit/edit_output.h"
#include "edit/sample_blocks.h"
#include "files/disk_sync.h"
#include "files/file_names.h"
#include "files/sound_reader.h"
#include "files/staged_file.h"

namespace pelkit {

namespace {

bool is16Bit(const WavHeaderInfo& h) {
    return h.format.bitsPerSample == 16;
}

// One source read block by block, each block turned into output bytes and written to one file.
class CopyJob : public EditJob {
  protected:
    // Opens the source START bytes into its sound; on failure the job has failed.
    bool openSource(const EditSource& source, uint64_t start) {
        if (reader_.open(source.path, source.header, start)) return true;
        fail(reader_.error());
        return false;
    }

    // What the job writes: COUNT source bytes into OUTPUT in FORMAT.
    void setOutput(const std::string& output, const WaveFormat& format, uint64_t count) {
        output_ = output;
        format_ = format;
        left_ = count;
        setTotal(count);
    }

    // The output bytes of one block of LENGTH source bytes (BLOCK may be changed in place).
    virtual std::span<const uint8_t> transform(uint8_t* block, size_t length) = 0;

    SoundReader reader_;

  private:
    Slice advance() override {
        if (!out_.isOpen()) {
            if (!openOutput(out_, output_, format_)) fail(out_.error());
            return Slice::More;
        }
        if (left_ == 0) {
            if (!finishOutput(out_)) fail(out_.error());
            return Slice::Complete;
        }
        block_.resize(kCopyBlockBytes);
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kCopyBlockBytes, left_));
        const size_t got = reader_.read(block_.data(), want);
        if (reader_.failed()) {
            fail(reader_.error());
            return Slice::Complete;
        }
        std::span<const uint8_t> bytes = transform(block_.data(), got);
        if (!out_.write(bytes.data(), bytes.size())) fail(out_.error());
        left_ -= got;
        addDone(got);
        return Slice::More;
    }

    void discard() override { out_.abandon(); }

    StagedFile out_;
    std::string output_;
    WaveFormat format_;
    uint64_t left_ = 0;
    std::vector<uint8_t> block_;
};

class CutJob : public CopyJob {
  public:
    // Cuts COUNT bytes from START, or the rest of the sound with UNTIL_END.
    CutJob(const EditSource& source, const std::string& output, uint32_t boostRate, uint32_t start,
           uint32_t count, bool untilEnd)
        : boost_(boostRate) {
        prepare(source, output, start, count, untilEnd);
    }

  private:
    void prepare(const EditSource& source, const std::string& output, uint32_t start,
                 uint32_t count, bool untilEnd) {
        if (!is16Bit(source.header)) return refuse(needs16BitMessage(source));
        if (!openSource(source, start)) return;
        if (!untilEnd && start >= reader_.soundBytes()) return refuse(kPositionError);
        const uint64_t bytes =
            std::min<uint64_t>(untilEnd ? reader_.remaining() : count, reader_.remaining());
        setOutput(output, outputFormat(source.header, source.header.format.channels), bytes);
    }

    std::span<const uint8_t> transform(uint8_t* block, size_t length) override {
        boost_.apply(block, length / 2);
        return {block, length};
    }
    Booster boost_;
};

class ChannelJob : public CopyJob {
  public:
    ChannelJob(const EditSource& source, Channel channel, const std::string& output,
               uint32_t boostRate)
        : boost_(boostRate) {
        prepare(source, channel, output);
    }

  private:
    void prepare(const EditSource& source, Channel channel, const std::string& output) {
        if (source.header.format.channels != 2) return refuse(kNotStereo);
        if (!is16Bit(source.header)) return refuse(needs16BitMessage(source));
        // Read from the second sample on, the first sample of every group is a right sample.
        if (!openSource(source, channel == Channel::Left ? 0 : 2)) return;
        setOutput(output, outputFormat(source.header, 1), reader_.remaining());
        picked_.resize(kCopyBlockBytes / 2);
    }

    std::span<const uint8_t> transform(uint8_t* block, size_t length) override {
        return {picked_.data(), pickFirstOfPairs(block, length, picked_.data(), boost_)};
    }
    Booster boost_;
    std::vector<uint8_t> picked_;
};

class CentreMixJob : public CopyJob {
  public:
    CentreMixJob(const EditSource& source, const std::string& output) { prepare(source, output); }

  private:
    void prepare(const EditSource& source, const std::string& output) {
        if (source.header.format.channels != 2) return refuse(kNotStereo);
        if (!is16Bit(source.header)) return refuse(needs16BitMessage(source));
        if (!openSource(source, 0)) return;
        setOutput(output, outputFormat(source.header, 1), reader_.remaining());
        mixed_.resize(kCopyBlockBytes / 2);
    }

    std::span<const uint8_t> transform(uint8_t* block, size_t length) override {
        return {mixed_.data(), mixToCentre(block, length, mixed_.data())};
    }
    std::vector<uint8_t> mixed_;
};

class JoinJob : public EditJob {
  public:
    JoinJob(const std::string& leftPath, const std::string& rightPath, const std::string& output)
        : output_(output) {
        prepare(leftPath, rightPath);
    }

  private:
    void prepare(const std::string& leftPath, const std::string& rightPath) {
        WavHeaderInfo left, right;
        if (!ReadWavHeader(leftPath, left)) return fail("cannot read " + leftPath);
        if (left.format.channels != 1 || !is16Bit(left)) {
            return refuse(leftPath + " is not 16-bit mono: the join needs two 16-bit mono files.");
        }
        if (!ReadWavHeader(rightPath, right)) return fail("cannot read " + rightPath);
        if (right.format.channels != 1 || !is16Bit(right)) {
            return fail(rightPath + " is not 16-bit mono.");
        }
        if (!left_.open(leftPath, left)) return fail(left_.error());
        if (!right_.open(rightPath, right)) return fail(right_.error());
        format_ = outputFormat(left, 2);
        setTotal(left_.soundBytes());
    }

    Slice advance() override {
        if (!out_.isOpen()) {
            if (!openOutput(out_, output_, format_)) fail(out_.error());
            leftBlock_.resize(kCopyBlockBytes);
            rightBlock_.resize(kCopyBlockBytes);
            joined_.resize(2 * kCopyBlockBytes);
            return Slice::More;
        }
        if (left_.remaining() == 0) {
            if (!finishOutput(out_)) fail(out_.error());
            return Slice::Complete;
        }
        const size_t got = left_.read(leftBlock_.data(), kCopyBlockBytes);
        const size_t samples = got / 2;
        const size_t rightGot = right_.read(rightBlock_.data(), 2 * samples);
        if (left_.failed() || right_.failed()) {
            fail(left_.failed() ? left_.error() : right_.error());
            return Slice::Complete;
        }
        const size_t n = interleaveMono(leftBlock_.data(), samples, rightBlock_.data(), rightGot,
                                        joined_.data());
        if (!out_.write(joined_.data(), n)) fail(out_.error());
        addDone(got);
        return Slice::More;
    }

    void discard() override { out_.abandon(); }

    SoundReader left_, right_;
    StagedFile out_;
    std::string output_;
    WaveFormat format_;
    std::vector<uint8_t> leftBlock_, rightBlock_, joined_;
};

// The parts are written under temporary names and renamed into place together at the end, so a
// failed division leaves none of them behind.
class DivisionJob : public EditJob {
  public:
    DivisionJob(const EditSource& source, const std::string& namesFrom, int32_t count,
                uint32_t boostRate)
        : namesFrom_(namesFrom), boost_(boostRate) {
        prepare(source, count);
    }
    ~DivisionJob() override {
        if (!finished()) discard();  // the parts already written wait under temporary names
    }

  private:
    void prepare(const EditSource& source, int32_t count) {
        if (count <= 0) return refuse(kPositionError);
        if (!is16Bit(source.header)) return refuse(needs16BitMessage(source));
        if (!reader_.open(source.path, source.header)) return fail(reader_.error());
        count_ = count;
        // Whole multiples of 12 bytes are whole frames of every frame size up to 6 bytes.
        part_ = (reader_.soundBytes() / static_cast<uint32_t>(count)) / 12 * 12;
        if (part_ == 0) return refuse(kPositionError);
        format_ = outputFormat(source.header, source.header.format.channels);
        setTotal(static_cast<uint64_t>(part_) * count_);
    }

    static constexpr int32_t kRenamesPerSlice = 64;

    std::string finalName(int32_t index) const { return NumberedName(namesFrom_, index); }
    std::string tempName(int32_t index) const {
        return StagedFile::tempPathFor(finalName(index), token_);
    }

    Slice advance() override {
        if (written_ == count_) return publishSome();
        if (!out_.isOpen()) {
            if (!openOutput(out_, finalName(written_ + 1), format_, token_)) {
                fail(out_.error());
            }
            partLeft_ = part_;
            block_.resize(kCopyBlockBytes);
            return Slice::More;
        }
        const size_t want = std::min<uint32_t>(kCopyBlockBytes, partLeft_);
        const size_t got = reader_.read(block_.data(), want);
        if (reader_.failed()) {
            fail(reader_.error());
            return Slice::Complete;
        }
        boost_.apply(block_.data(), got / 2);
        if (!out_.write(block_.data(), got)) {
            fail(out_.error());
            return Slice::Complete;
        }
        partLeft_ -= static_cast<uint32_t>(got);
        addDone(got);
        if (partLeft_ == 0) {
            if (!setTrueSizes(out_) || !out_.close()) {
                fail(out_.error());
                return Slice::Complete;
            }
            out_.release();  // kept under its temporary name until every part is written
            ++written_;
        }
        return Slice::More;
    }

    Slice publishSome() {
        for (int32_t i = 0; i < kRenamesPerSlice && published_ < count_; ++i) {
            std::string problem =
                StagedFile::publishFile(tempName(published_ + 1), finalName(published_ + 1));
            ++published_;
            if (!problem.empty()) {
                fail(problem);
                return Slice::Complete;
            }
        }
        if (published_ < count_) return Slice::More;
        // The parts keep their names through a power cut. Numbered names normally share one
        // folder; a dot in a folder's name can make each part's folder its own.
        std::string synced;
        for (int32_t i = 1; i <= count_; ++i) {
            std::string folder = folderOf(finalName(i));
            if (folder == synced) continue;
            syncFolder(folder);
            synced = std::move(folder);
        }
        return Slice::Complete;
    }

    void discard() override {
        out_.abandon();
        for (int32_t i = published_ + 1; i <= written_; ++i)
            StagedFile::discardFile(tempName(i));
    }

    SoundReader reader_;
    StagedFile out_;
    std::string namesFrom_;
    std::string token_ = StagedFile::newToken();
    Booster boost_;
    WaveFormat format_;
    int32_t count_ = 0;
    uint32_t part_ = 0;
    uint32_t partLeft_ = 0;
    int32_t written_ = 0;    // parts complete under their temporary names
    int32_t published_ = 0;  // parts renamed into place
    std::vector<uint8_t> block_;
};

}  // namespace

std::unique_ptr<EditJob> makeCutRangeJob(const EditSource& source, const std::string& output,
                                         uint32_t boostRate, uint32_t rangeStart,
                                         uint32_t rangeEnd) {
    if (rangeStart >= rangeEnd) return makeRefusedJob(kPositionError);
    return std::make_unique<CutJob>(source, output, boostRate, rangeStart, rangeEnd - rangeStart,
                                    false);
}

std::unique_ptr<EditJob> makeCutAllJob(const EditSource& source, const std::string& output,
                                       uint32_t boostRate) {
    return std::make_unique<CutJob>(source, output, boostRate, 0, 0, true);
}

std::unique_ptr<EditJob> makeChannelJob(const EditSource& source, Channel channel,
                                        const std::string& output, uint32_t boostRate) {
    return std::make_unique<ChannelJob>(source, channel, output, boostRate);
}

std::unique_ptr<EditJob> makeCentreMixJob(const EditSource& source, const std::string& output) {
    return std::make_unique<CentreMixJob>(source, output);
}

std::unique_ptr<EditJob> makeDivisionJob(const EditSource& source, const std::string& namesFrom,
                                         int32_t count, uint32_t boostRate) {
    return std::make_unique<DivisionJob>(source, namesFrom, count, boostRate);
}

std::unique_ptr<EditJob> makeJoinJob(const std::string& leftPath, const std::string& rightPath,
                                     const std::string& output) {
    return std::make_unique<JoinJob>(leftPath, rightPath, output);
}

}  // namespace pelkit
