// The speed change edit: the sound is cut into chunks of a set size, and each chunk is shortened
// to (percent)% of its length, or stretched by the sound that follows it, joined with a seam
// ramp or a hard cut. The output is the main file's name with "-up".
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "edit/edit_job.h"

namespace pelkit {

// The largest chunk: the size of playback's copy buffer.
inline constexpr uint32_t kLargestSpeedChunk = 7864320;

struct SpeedChangeSettings {
    int32_t chunkBytes = 16384;  // the speed buffer, as typed
    int32_t percent = 50;        // output length relative to the input
    bool noiseOff = true;        // seam ramps when shortening (off: hard cuts, "cut-only")
    uint32_t seamLength = 0;     // bytes of a seam ramp
    bool hq = false;  // the high-quality stretch instead of chunks (the chunk settings unused)
};

// 4 x trunc(BYTES x (PERCENT x 0.01) x 0.25), with PERCENT x 0.01 rounded to double and every
// step in double precision: the bytes kept of a chunk of BYTES. 29 % of 1,764,000 bytes gives
// 511,556.
uint64_t speedChangedBytes(uint64_t bytes, int32_t percent);

// The speed change of SOURCE into OUTPUT, in SOURCE's own format, under a header that says what
// was written. The chunk that reaches the end of the sound is dropped.
//
// A chunk size or percent of 0 or less is refused with kSpeedSettingsError; the chunk size is
// rounded down to whole 4-byte frames (a result of 0 is refused as well) and held to
// kLargestSpeedChunk. The seam length is rounded down to whole frames, and a seam longer than
// the bytes it ends (those kept of a chunk, or those read ahead when stretching) is shortened to
// fit them. A sound that is not 16-bit is refused with a message naming its sample size.
//
// With HQ set, the job of makeHqSpeedChangeJob instead.
std::unique_ptr<EditJob> makeSpeedChangeJob(const EditSource& source, const std::string& output,
                                            const SpeedChangeSettings& settings);

// The speed change by the high-quality stretch, offline at its best quality: the whole sound,
// pitch kept, becomes speedChangedBytes(its bytes, PERCENT) long (in whole frames; silence makes
// up any shortfall). A percent of 0 or less is refused with kSpeedSettingsError, a sound that is
// not 16-bit as by the chunk method.
std::unique_ptr<EditJob> makeHqSpeedChangeJob(const EditSource& source, const std::string& output,
                                              int32_t percent);

}  // namespace pelkit
