#include "files/sound_export.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace pelkit {

namespace {

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

SoundExport& self(void* user) {
    return *static_cast<SoundExport*>(user);
}
sf_count_t lengthOf(void* user) {
    return self(user).size();
}
sf_count_t seekOut(sf_count_t offset, int whence, void* user) {
    return self(user).seekTo(offset, whence);
}
sf_count_t readNothing(void*, sf_count_t, void*) {
    return 0;
}
sf_count_t writeOut(const void* data, sf_count_t n, void* user) {
    return self(user).writeBytes(data, n);
}
sf_count_t tellOut(void* user) {
    return self(user).position();
}

// The libsndfile format of an export of sound in the WAV format SOURCE.
int sndfileFormat(ExportFormat format, const WaveFormat& source, bool isFloat) {
    switch (format) {
        case ExportFormat::Flac: {
            // FLAC holds 8, 16 and 24-bit integers: 32-bit and float sound goes as 24-bit.
            const int bits = isFloat ? 32 : source.bitsPerSample;
            const int sub = bits <= 8    ? SF_FORMAT_PCM_S8
                            : bits <= 16 ? SF_FORMAT_PCM_16
                                         : SF_FORMAT_PCM_24;
            return SF_FORMAT_FLAC | sub;
        }
        case ExportFormat::Vorbis:
            return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        case ExportFormat::Opus:
            return SF_FORMAT_OGG | SF_FORMAT_OPUS;
        case ExportFormat::Mp3:
            return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
        case ExportFormat::Wav:
            break;
    }
    return 0;
}

}  // namespace

std::optional<ExportFormat> exportFormatFor(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == ".wav") return ExportFormat::Wav;
    if (ext == ".flac") return ExportFormat::Flac;
    if (ext == ".ogg" || ext == ".oga") return ExportFormat::Vorbis;
    if (ext == ".opus") return ExportFormat::Opus;
    if (ext == ".mp3") return ExportFormat::Mp3;
    return std::nullopt;
}

const char* exportFormatName(ExportFormat format) {
    switch (format) {
        case ExportFormat::Wav:
            return "WAV";
        case ExportFormat::Flac:
            return "FLAC";
        case ExportFormat::Vorbis:
            return "Ogg Vorbis";
        case ExportFormat::Opus:
            return "Opus";
        case ExportFormat::Mp3:
            return "MP3";
    }
    return "";
}

int opusRateFor(int rate) {
    for (int r : {8000, 12000, 16000, 24000}) {
        if (rate <= r) return r;
    }
    return 48000;
}

struct SoundExport::Encoder {
    SNDFILE* file = nullptr;
    SRC_STATE* resampler = nullptr;
    double ratio = 1;
    ~Encoder() {
        if (file) sf_close(file);
        if (resampler) src_delete(resampler);
    }
};

SoundExport::SoundExport() = default;
SoundExport::~SoundExport() {
    encoder_.reset();  // libsndfile's last writes go to the staged file before it is removed
}

int64_t SoundExport::seekTo(int64_t offset, int whence) {
    const int64_t base = whence == SEEK_CUR ? position_ : whence == SEEK_END ? size() : 0;
    if (base + offset < 0) return -1;
    position_ = base + offset;
    return position_;
}

int64_t SoundExport::writeBytes(const void* data, int64_t n) {
    if (n <= 0) return 0;
    const auto count = static_cast<size_t>(n);
    const bool ok = position_ == size()
                        ? out_.write(data, count)
                        : out_.writeAt(static_cast<uint64_t>(position_), data, count);
    if (!ok) return 0;
    position_ += n;
    return n;
}

std::string SoundExport::open(const std::string& source, const std::string& output,
                              ExportFormat format, const ExportQuality& quality) {
    format_ = format;
    output_ = output;
    error_ = frames_.open(source);
    if (!error_.empty()) {
        finished_ = true;
        return error_;
    }
    const WaveFormat& f = frames_.format();
    outputRate_ = format == ExportFormat::Opus ? opusRateFor(f.samplesPerSecond)
                                               : static_cast<int>(f.samplesPerSecond);
    if (!out_.open(output)) {
        finished_ = true;
        error_ = out_.error();
        return error_;
    }
    const size_t samples = kExportFrames * f.channels;
    if (format == ExportFormat::Wav) {
        const std::array<uint8_t, 44> header = makeWavHeader(f, 0);
        bytes_.resize(kExportFrames * frames_.header().frameSize);
        if (!out_.write(header.data(), header.size())) failWith(out_.error());
        return error_;
    }
    asFloat_ = format != ExportFormat::Flac || frames_.isFloat();
    if (asFloat_) {
        floats_.resize(samples);
    } else {
        ints_.resize(samples);
    }
    openEncoder(quality);
    return error_;
}

void SoundExport::openEncoder(const ExportQuality& quality) {
    const WaveFormat& f = frames_.format();
    const ExportFormat format = format_;
    encoder_ = std::make_unique<Encoder>();
    SF_VIRTUAL_IO io{lengthOf, seekOut, readNothing, writeOut, tellOut};
    SF_INFO info{};
    info.samplerate = outputRate_;
    info.channels = f.channels;
    info.format = sndfileFormat(format, f, frames_.isFloat());
    encoder_->file = sf_open_virtual(&io, SFM_WRITE, &info, this);
    if (!encoder_->file) {
        failWith(output_ + " cannot be written as " + exportFormatName(format) + " (" +
                 std::to_string(f.channels) + " channels at " + std::to_string(f.samplesPerSecond) +
                 " Hz: " + sf_strerror(nullptr) + "). Nothing was written.");
        return;
    }
    SNDFILE* sf = encoder_->file;
    // libsndfile's compression level runs from 0 (best, least compressed) to 1. For Opus it is
    // a bit rate, from 256 down to 6 kbit/s a channel: quality Q asks for 8 * Q kbit/s a channel
    // (6: 96 kbit/s in stereo, as opusenc's default).
    double level =
        format == ExportFormat::Flac ? quality.flacLevel / 8.0 : 1.0 - quality.lossyQuality / 10.0;
    if (format == ExportFormat::Opus) {
        const double perChannel = std::max(6000.0, 8000.0 * quality.lossyQuality);
        level = 1.0 - (perChannel - 6000.0) / 250000.0;
    }
    if (format == ExportFormat::Opus || format == ExportFormat::Mp3) {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(sf, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    }
    sf_command(sf, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    // Float sound beyond full scale is clipped, not wrapped, in integer formats.
    sf_command(sf, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (outputRate_ != static_cast<int>(f.samplesPerSecond)) {
        int err = 0;
        encoder_->resampler = src_new(SRC_SINC_MEDIUM_QUALITY, f.channels, &err);
        if (!encoder_->resampler) {
            failWith(std::string("the resampler cannot start: ") + src_strerror(err));
            return;
        }
        encoder_->ratio = static_cast<double>(outputRate_) / f.samplesPerSecond;
        resampled_.resize((static_cast<size_t>(kExportFrames * encoder_->ratio) + 64) * f.channels);
    }
}

SoundExport::Step SoundExport::failWith(std::string message) {
    finished_ = true;
    error_ = std::move(message);
    encoder_.reset();
    out_.abandon();
    return Step::Failed;
}

bool SoundExport::writeFloats(const float* data, size_t frames) {
    const auto n = static_cast<sf_count_t>(frames);
    return sf_writef_float(encoder_->file, data, n) == n;
}

SoundExport::Step SoundExport::finish() {
    if (format_ == ExportFormat::Wav) {
        const uint64_t dataBytes = frames_.framesRead() * frames_.header().frameSize;
        const std::array<uint8_t, 44> header = makeWavHeader(frames_.format(), dataBytes);
        if (!out_.writeAt(0, header.data(), header.size())) return failWith(out_.error());
    } else {
        // The encoder's last frames and its header go out when it closes.
        const int closed = sf_close(encoder_->file);
        encoder_->file = nullptr;
        if (closed != 0 || out_.failed()) {
            return failWith(out_.failed()
                                ? out_.error()
                                : output_ + " cannot be completed: " + sf_error_number(closed));
        }
    }
    if (!out_.commit()) return failWith(out_.error());
    finished_ = true;
    return Step::Done;
}

SoundExport::Step SoundExport::step() {
    if (finished_) return error_.empty() ? Step::Done : Step::Failed;
    const unsigned channels = frames_.format().channels;
    size_t got = 0;
    if (format_ == ExportFormat::Wav) {
        got = frames_.readBytes(bytes_.data(), kExportFrames);
        if (got > 0 && !out_.write(bytes_.data(), got * frames_.header().frameSize)) {
            return failWith(out_.error());
        }
    } else if (!asFloat_) {
        got = frames_.read(ints_.data(), kExportFrames);
        const auto n = static_cast<sf_count_t>(got);
        if (got > 0 && sf_writef_int(encoder_->file, ints_.data(), n) != n) {
            return failWith(out_.failed() ? out_.error() : sf_strerror(encoder_->file));
        }
    } else {
        got = frames_.read(floats_.data(), kExportFrames);
        SRC_STATE* resampler = encoder_->resampler;
        if (!resampler) {
            if (got > 0 && !writeFloats(floats_.data(), got)) {
                return failWith(out_.failed() ? out_.error() : sf_strerror(encoder_->file));
            }
        } else {
            // Fed in pieces until the block is used up; at the end the resampler is drained.
            SRC_DATA d{};
            d.src_ratio = encoder_->ratio;
            d.end_of_input = got == 0 ? 1 : 0;
            size_t used = 0;
            for (;;) {
                d.data_in = floats_.data() + used * channels;
                d.input_frames = static_cast<long>(got - used);
                d.data_out = resampled_.data();
                d.output_frames = static_cast<long>(resampled_.size() / channels);
                if (int err = src_process(resampler, &d); err != 0) {
                    return failWith(std::string("the resampler failed: ") + src_strerror(err));
                }
                used += static_cast<size_t>(d.input_frames_used);
                const auto made = static_cast<size_t>(d.output_frames_gen);
                if (made > 0 && !writeFloats(resampled_.data(), made)) {
                    return failWith(out_.failed() ? out_.error() : sf_strerror(encoder_->file));
                }
                if (used >= got && made == 0) break;
            }
        }
    }
    if (got == 0) {
        if (frames_.failed()) return failWith("the sound could not be read to its end.");
        return finish();
    }
    return Step::More;
}

void SoundExport::cancel() {
    if (finished_) return;
    failWith("cancelled.");
}

}  // namespace pelkit
