// Writing one frame of a WAV file in place: the wave micro edit's write button.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace pelkit {

// Puts the 4 bytes FRAME into the file PATH at OFFSET bytes past the first sample (which lies
// at DATASTART, 44 + the extra header bytes). The file is opened for update without being
// truncated and its size never changes: 4 bytes that would reach past the end of the sound
// data are not written. Returns nothing when written, else the message for the user (and the
// file is as it was).
std::optional<std::string> writeFrameInPlace(const std::string& path, int64_t dataStart,
                                             uint64_t offset, const std::array<uint8_t, 4>& frame);

}  // namespace pelkit
