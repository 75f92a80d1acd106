#include "files/sound_decode.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <utility>

#include "files/file_names.h"
#include "files/wav_format.h"

namespace pelkit {

namespace {

// The extensions of the formats libsndfile reads that are not WAV.
constexpr std::array<const char*, 12> kDecodedExtensions = {
    "flac", "ogg", "oga", "opus", "mp3", "aif", "aiff", "aifc", "au", "snd", "caf", "w64"};

std::string lowerExtension(const std::string& path) {
    const std::string file = std::filesystem::path(path).filename().string();
    const size_t dot = file.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = file.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// The largest data chunk a WAV header can describe.
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36;

}  // namespace

bool startsAsWav(ByteSource& in) {
    uint8_t head[12] = {};
    if (in.readAt(0, head, sizeof head) < sizeof head) return false;
    return std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0;
}

bool needsDecoding(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return false;
    FileBytes bytes(path);
    if (!bytes.isOpen() || bytes.size() == 0 || startsAsWav(bytes)) return false;
    const std::string ext = lowerExtension(path);
    for (const char* known : kDecodedExtensions) {
        if (ext == known) return true;
    }
    SoundInput probe;
    return probe.open(bytes, path).empty();
}

std::string workingCopyName(const std::string& source) {
    const std::filesystem::path p(source);
    if (lowerExtension(source) == "wav") {
        return (p.parent_path() / (p.stem().string() + "_dec.wav")).string();
    }
    std::filesystem::path copy = p;
    copy.replace_extension(".wav");
    return copy.string();
}

std::string SoundDecode::open(const std::string& sourcePath, const std::string& output) {
    auto bytes = std::make_unique<FileBytes>(sourcePath);
    if (!bytes->isOpen()) {
        finished_ = true;
        error_ = sourcePath + " cannot be opened. Nothing was changed.";
        return error_;
    }
    return open(std::move(bytes), sourcePath, output);
}

std::string SoundDecode::open(std::unique_ptr<ByteSource> source, const std::string& name,
                              const std::string& output) {
    source_ = std::move(source);
    name_ = name;
    error_ = input_.open(*source_, name);
    if (!error_.empty()) {
        finished_ = true;
        return error_;
    }
    format_ = workingFormatFor(input_);
    if (!output.empty()) {
        if (!out_.open(output)) {
            finished_ = true;
            error_ = out_.error();
            return error_;
        }
        const std::array<uint8_t, 44> header = makeWavHeader(format_, 0);
        if (!out_.write(header.data(), header.size())) {
            finished_ = true;
            error_ = out_.error();
            out_.abandon();
            return error_;
        }
    }
    const size_t samples = static_cast<size_t>(kDecodeFrames) * format_.channels;
    if (format_.formatTag == 3) {
        floats_.resize(samples);
    } else {
        ints_.resize(samples);
    }
    bytes_.resize(samples * (format_.bitsPerSample / 8));
    return {};
}

SoundDecode::Step SoundDecode::failWith(std::string message) {
    finished_ = true;
    error_ = std::move(message);
    out_.abandon();
    return Step::Failed;
}

SoundDecode::Step SoundDecode::finish() {
    const std::array<uint8_t, 44> header = makeWavHeader(format_, dataBytes_);
    if (out_.isOpen() && (!out_.writeAt(0, header.data(), header.size()) || !out_.commit())) {
        return failWith(out_.error());
    }
    finished_ = true;
    return Step::Done;
}

SoundDecode::Step SoundDecode::step() {
    if (finished_) return error_.empty() ? Step::Done : Step::Failed;
    const bool isFloat = format_.formatTag == 3;
    const int64_t got = isFloat ? input_.read(floats_.data(), kDecodeFrames)
                                : input_.read(ints_.data(), kDecodeFrames);
    if (got <= 0) {
        if (std::string why = input_.readError(); !why.empty()) {
            return failWith(name_ + " cannot be decoded (" + why + "). Nothing was changed.");
        }
        if (dataBytes_ == 0) {
            return failWith(name_ + " holds no sound that can be decoded. Nothing was changed.");
        }
        return finish();
    }
    const size_t samples = static_cast<size_t>(got) * format_.channels;
    size_t n = 0;
    if (isFloat) {
        n = samples * 4;
        std::memcpy(bytes_.data(), floats_.data(), n);
    } else {
        const int bytesPer = format_.bitsPerSample / 8;
        uint8_t* b = bytes_.data();
        for (size_t i = 0; i < samples; ++i) {
            // Left-aligned in 32 bits: the top BYTES_PER bytes are the sample.
            const auto v = static_cast<uint32_t>(ints_[i]);
            for (int k = 0; k < bytesPer; ++k)
                *b++ = static_cast<uint8_t>(v >> (8 * (4 - bytesPer + k)));
        }
        n = samples * static_cast<size_t>(bytesPer);
    }
    if (dataBytes_ + n > kMaxDataBytes) {
        return failWith(name_ +
                        " decodes to more sound than a WAV file can hold (4 GiB). "
                        "Nothing was changed.");
    }
    if (out_.isOpen() && !out_.write(bytes_.data(), n)) return failWith(out_.error());
    dataBytes_ += n;
    return Step::More;
}

void SoundDecode::cancel() {
    if (finished_) return;
    finished_ = true;
    error_ = "cancelled.";
    out_.abandon();
}

}  // namespace pelkit
