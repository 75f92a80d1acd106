#include "files/frame_write.h"

#include "files/file_stream.h"

namespace pelkit {

std::optional<std::string> writeFrameInPlace(const std::string& path, int64_t dataStart,
                                             uint64_t offset, const std::array<uint8_t, 4>& frame) {
    const std::string failed = "The frame could not be written to " + path;
    FileStream out;
    if (!out.open(path, FileStream::Mode::WriteKeep)) {
        return failed + ": the file cannot be opened for writing.";
    }
    // The sound data runs to the end of the file.
    const int64_t length = out.size();
    if (length < 0) return failed + ": its length cannot be read.";
    const uint64_t dataLength =
        length > dataStart && dataStart >= 0 ? static_cast<uint64_t>(length - dataStart) : 0;
    if (offset > dataLength || dataLength - offset < frame.size()) {
        return "The frame was not written: byte " + std::to_string(offset) +
               " of the sound data lies beyond its end (" + std::to_string(dataLength) +
               " bytes) in " + path + ".";
    }
    if (!out.seek(dataStart + static_cast<int64_t>(offset))) {
        return failed + ": the place of the frame cannot be reached.";
    }
    if (!out.write(frame.data(), frame.size())) return failed + ".";
    return std::nullopt;
}

}  // namespace pelkit
