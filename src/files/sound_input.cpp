#include "files/sound_input.h"

#include <sndfile.h>

#include <algorithm>

namespace pelkit {

namespace {

SNDFILE* handle(void* file) {
    return static_cast<SNDFILE*>(file);
}

SoundInput& self(void* user) {
    return *static_cast<SoundInput*>(user);
}

sf_count_t lengthOf(void* user) {
    return self(user).bytesTotal();
}
sf_count_t seekIn(sf_count_t offset, int whence, void* user) {
    return self(user).seekTo(offset, whence);
}
sf_count_t readIn(void* buffer, sf_count_t n, void* user) {
    return self(user).readBytes(buffer, n);
}
sf_count_t writeNothing(const void*, sf_count_t, void*) {
    return 0;
}
sf_count_t tellIn(void* user) {
    return self(user).bytesRead();
}

}  // namespace

SoundInput::~SoundInput() {
    if (file_) sf_close(handle(file_));
}

int64_t SoundInput::seekTo(int64_t offset, int whence) {
    int64_t base = whence == SEEK_CUR ? position_ : whence == SEEK_END ? size_ : 0;
    int64_t to = base + offset;
    if (to < 0) return -1;
    position_ = to;
    return position_;
}

int64_t SoundInput::readBytes(void* buffer, int64_t n) {
    if (n <= 0 || position_ >= size_) return 0;
    const int64_t want = std::min(n, size_ - position_);
    const size_t got = in_->readAt(position_, buffer, static_cast<size_t>(want));
    position_ += static_cast<int64_t>(got);
    return static_cast<int64_t>(got);
}

std::string SoundInput::open(ByteSource& in, const std::string& name) {
    in_ = &in;
    size_ = in.size();
    position_ = 0;
    if (size_ <= 0) return name + " cannot be read: it is empty or cannot be opened.";
    SF_VIRTUAL_IO io{lengthOf, seekIn, readIn, writeNothing, tellIn};
    SF_INFO info{};
    SNDFILE* f = sf_open_virtual(&io, SFM_READ, &info, this);
    if (!f) {
        return name + " is not a sound file that can be read (" + sf_strerror(nullptr) +
               "). Nothing was changed.";
    }
    file_ = f;
    channels_ = info.channels;
    rate_ = info.samplerate;
    frames_ = info.frames;
    major_ = info.format & SF_FORMAT_TYPEMASK;
    encoding_ = info.format & SF_FORMAT_SUBMASK;
    if (channels_ < 1 || channels_ > kMaxDecodedChannels) {
        return name + " has " + std::to_string(channels_) + " channels; at most " +
               std::to_string(kMaxDecodedChannels) + " can be played. Nothing was changed.";
    }
    if (rate_ < 1) return name + " has no sample rate. Nothing was changed.";
    return {};
}

std::string SoundInput::formatName() const {
    switch (major_) {
        case SF_FORMAT_FLAC:
            return "FLAC";
        case SF_FORMAT_OGG:
            return encoding_ == SF_FORMAT_OPUS ? "Opus" : "Ogg Vorbis";
        case SF_FORMAT_MPEG:
            return "MP3";
        case SF_FORMAT_AIFF:
            return "AIFF";
        default:
            break;
    }
    SF_FORMAT_INFO fi{};
    fi.format = major_;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &fi, sizeof fi) == 0 && fi.name) return fi.name;
    return "sound";
}

int64_t SoundInput::read(int16_t* out, int64_t frames) {
    return sf_readf_short(handle(file_), out, frames);
}

int64_t SoundInput::read(int32_t* out, int64_t frames) {
    return sf_readf_int(handle(file_), out, frames);
}

int64_t SoundInput::read(float* out, int64_t frames) {
    return sf_readf_float(handle(file_), out, frames);
}

std::string SoundInput::readError() const {
    if (!file_ || sf_error(handle(file_)) == SF_ERR_NO_ERROR) return {};
    return sf_strerror(handle(file_));
}

WaveFormat workingFormatFor(const SoundInput& input) {
    int bits = 0;
    int tag = 1;
    switch (input.encoding()) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_16:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW:
        case SF_FORMAT_IMA_ADPCM:
        case SF_FORMAT_MS_ADPCM:
        case SF_FORMAT_GSM610:
        case SF_FORMAT_DPCM_8:
        case SF_FORMAT_DPCM_16:
        case SF_FORMAT_ALAC_16:
        case SF_FORMAT_DWVW_12:
        case SF_FORMAT_DWVW_16:
            bits = 16;
            break;
        case SF_FORMAT_PCM_24:
        case SF_FORMAT_ALAC_20:
        case SF_FORMAT_ALAC_24:
        case SF_FORMAT_DWVW_24:
            bits = 24;
            break;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_ALAC_32:
            bits = 32;
            break;
        default:
            bits = 32;
            tag = 3;
            break;
    }
    return makeWaveFormat(tag, input.channels(), input.rate(), bits);
}

}  // namespace pelkit
