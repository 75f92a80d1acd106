// The copy edits of the main sound: cut a range, cut all, extract the left or right channel, mix
// to centre, divide into equal parts, and join two mono files into one stereo file. Each is an
// EditJob; a refused edit is a job that has already finished with outcome Refused.
//
// All of them work on 16-bit sound only and refuse anything else, saying so (the join: silently).
// The sound is read from the data start (44 + extra header bytes) up to the end of the sound;
// "the data size" below is that sound's length. Every output's header says what it holds: its
// RIFF and data sizes are set from the bytes written once the output is complete.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "edit/edit_job.h"

namespace pelkit {

// Bytes RANGE_START to RANGE_END of the sound into OUTPUT, boosted by BOOST_RATE percent (a
// range reaching past the sound is cut at its end).
// "position error." when the start is not below the end or lies past the sound.
std::unique_ptr<EditJob> makeCutRangeJob(const EditSource& source, const std::string& output,
                                         uint32_t boostRate, uint32_t rangeStart,
                                         uint32_t rangeEnd);

// The whole sound into OUTPUT, boosted.
std::unique_ptr<EditJob> makeCutAllJob(const EditSource& source, const std::string& output,
                                       uint32_t boostRate);

enum class Channel { Left, Right };

// One channel of a stereo sound into a mono OUTPUT, boosted. The right channel is read from the
// second sample on in 4-byte groups, so a sound of k frames gives k left samples but k - 1 right
// samples. "This is not stereo." for other sounds.
std::unique_ptr<EditJob> makeChannelJob(const EditSource& source, Channel channel,
                                        const std::string& output, uint32_t boostRate);

// trunc(R / 2) + trunc(L / 2) of every frame of a stereo sound into a mono OUTPUT. A sound that
// is not stereo is refused silently.
std::unique_ptr<EditJob> makeCentreMixJob(const EditSource& source, const std::string& output);

// COUNT parts of ((data size / COUNT) / 12) x 12 bytes each, boosted, into NumberedName of
// NAMES_FROM and 1, 2, ...; the bytes after the last part are not written. "position error."
// for a count of 0 or less, or one so large that the parts would be empty. The parts appear
// together when all are written.
std::unique_ptr<EditJob> makeDivisionJob(const EditSource& source, const std::string& namesFrom,
                                         int32_t count, uint32_t boostRate);

// The mono files LEFT_PATH and RIGHT_PATH as the two channels of OUTPUT, in the left file's
// format with 2 channels. The right samples a
// shorter right file lacks are silence. A left file that is not 16-bit mono is refused
// silently; a missing or unreadable file, or a right file that is not 16-bit mono, fails.
std::unique_ptr<EditJob> makeJoinJob(const std::string& leftPath, const std::string& rightPath,
                                     const std::string& output);

}  // namespace pelkit
