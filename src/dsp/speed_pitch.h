// The speed and pitch stage of a playback block: turns the source bytes read for the block into
// the block, either by plain resampling or by segment processing with an independent pitch.
#pragma once

#include <cstdint>

namespace pelkit {

// Source bytes to read for one block: F x trunc(blockSize x speed / F), at most the copy buffer
// rounded down to whole frames. 0 when the frame size is 0.
uint32_t computeReadSize(uint32_t blockSize, float speed, uint32_t frameSize,
                         uint32_t copyBufferSize);

// Bytes of the block that the stage fills from bytesRead source bytes: F x trunc(bytesRead /
// speed / F). 0 when the frame size is 0 or the speed is not positive.
uint32_t computeOutputLength(uint32_t bytesRead, float speed, uint32_t frameSize);

// Writes lengthBytes / 4 frames of 16-bit stereo at start, running linearly from (a0, b0)
// towards (a1, b1); the last frame stops one step short of the end frame. Nothing for n <= 0.
void SeamRamp(uint8_t* start, int16_t a0, int16_t b0, int16_t a1, int16_t b1, int32_t lengthBytes);

struct SpeedPitchSettings {
    float speed = 1.0f;
    float pitch = 1.0f;
    bool pitchMode = true;
    uint32_t processingUnit = 4096;
    uint32_t seamLength = 0;
    uint32_t frameSize = 4;
};

// Fills the block from the source. sourceCapacity is the size of the whole buffer the source
// lies in; reads never pass it (source offsets past sourceLength but inside it are allowed, as
// in plain resampling, which does not consult the source length). Only whole frames are written,
// never past blockLength. A source length of 0 writes nothing.
//
// Segment processing keeps every segment at least one frame long. Seam ramps always write 4-byte
// 16-bit stereo frames and stay inside the block; a restart ramp that would begin before the
// block starts at the block's first byte instead. A frame whose source offset would pass the
// end of the buffer restarts the segment's phase: it is taken from the segment's first frame.
void processSpeedPitch(const uint8_t* source, uint32_t sourceLength, uint32_t sourceCapacity,
                       uint8_t* block, uint32_t blockLength, const SpeedPitchSettings& s);

}  // namespace pelkit
