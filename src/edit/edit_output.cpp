#include "edit/edit_output.h"

#include <algorithm>

#include "files/file_names.h"

namespace pelkit {

std::string editOutputName(EditOutput output, const std::string& fileName) {
    switch (output) {
        case EditOutput::Cut:
            return DerivedName(fileName, "_Rif");
        case EditOutput::Left:
            return DerivedName(fileName, "_L");
        case EditOutput::Right:
            return DerivedName(fileName, "_R");
        case EditOutput::Centre:
            return DerivedName(fileName, "_M");
        case EditOutput::Join:
            return DerivedName(fileName, "_LR");
        case EditOutput::SpeedChange:
            return DerivedName(fileName, "-up");
        case EditOutput::Capture:
            return DerivedName(fileName, "-real");
    }
    return fileName;
}

WaveFormat outputFormat(const WavHeaderInfo& header, int channels) {
    return makeWaveFormat(header.format.formatTag, channels,
                          static_cast<int32_t>(header.format.samplesPerSecond),
                          header.format.bitsPerSample);
}

uint32_t headerDataSize(uint64_t size) {
    return size > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
}

bool openOutput(StagedFile& out, const std::string& path, const WaveFormat& format,
                const std::string& token) {
    if (!out.open(path, token)) return false;
    const auto header = makeWavHeader(format, 0);
    return out.write(header.data(), header.size());
}

bool setTrueSizes(StagedFile& out) {
    const uint64_t size = std::max<uint64_t>(out.size(), kCanonicalHeaderSize);
    uint8_t riff[4], data[4];
    const uint32_t riffSize = headerDataSize(size - 8);
    const uint32_t dataSize = headerDataSize(size - kCanonicalHeaderSize);
    for (int i = 0; i < 4; ++i) {
        riff[i] = static_cast<uint8_t>(riffSize >> (8 * i));
        data[i] = static_cast<uint8_t>(dataSize >> (8 * i));
    }
    return out.writeAt(4, riff, 4) && out.writeAt(40, data, 4);
}

bool finishOutput(StagedFile& out) {
    return setTrueSizes(out) && out.commit();
}

}  // namespace pelkit
