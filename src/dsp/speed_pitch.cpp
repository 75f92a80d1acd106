#include "dsp/speed_pitch.h"

#include <algorithm>
#include <cstring>

namespace pelkit {
namespace {

// trunc of an extended-precision index; negatives and NaN give 0, and anything past 32 bits is
// held at 2^32, which is beyond every buffer and keeps products with a frame size in 64 bits.
uint64_t truncIndex(long double v) {
    constexpr uint64_t kLimit = uint64_t{1} << 32;
    if (!(v > 0)) return 0;
    if (v >= static_cast<long double>(kLimit)) return kLimit;
    return static_cast<uint64_t>(v);
}

struct Frame16 {
    int16_t left = 0;
    int16_t right = 0;
};

// The 4 bytes at offset read as a 16-bit stereo frame; bytes at or past limit read as zero.
Frame16 frame16At(const uint8_t* base, uint64_t offset, uint64_t limit) {
    uint8_t b[4] = {0, 0, 0, 0};
    for (uint64_t k = 0; k < 4; ++k) {
        if (offset + k < limit) b[k] = base[offset + k];
    }
    return {static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8))),
            static_cast<int16_t>(static_cast<uint16_t>(b[2] | (b[3] << 8)))};
}

void put16(uint8_t* p, int16_t v) {
    auto u = static_cast<uint16_t>(v);
    p[0] = static_cast<uint8_t>(u & 0xFF);
    p[1] = static_cast<uint8_t>(u >> 8);
}

int32_t rampLength(uint64_t bytes) {
    return static_cast<int32_t>(std::min<uint64_t>(bytes, INT32_MAX));
}

// Segment processing over one block. Offsets are byte offsets from the start of the source
// buffer and of the block.
class Segments {
  public:
    Segments(const uint8_t* source, uint32_t sourceCapacity, uint8_t* block, uint32_t blockLength,
             const SpeedPitchSettings& s)
        : source_(source),
          capacity_(sourceCapacity),
          block_(block),
          blockLength_(blockLength),
          s_(s) {}

    // Halves source and destination while both are at least two units long and both halves
    // keep a frame; the second half is never shorter than the first.
    void process(uint32_t src, uint32_t dst, uint32_t S, uint32_t D) {
        const uint32_t F = s_.frameSize;
        const uint64_t twoUnits = 2 * uint64_t{s_.processingUnit};
        if (S >= twoUnits && D >= twoUnits) {
            const uint32_t S1 = F * ((S >> 1) / F);
            const uint32_t D1 = F * ((D >> 1) / F);
            if (S1 >= F && D1 >= F) {
                process(src, dst, S1, D1);
                process(src + S1, dst + D1, S - S1, D - D1);
                return;
            }
        }
        fill(src, dst, S, D);
    }

  private:
    // Fills D destination bytes from a source segment of S bytes (S >= 1, and the segment's
    // first frame lies inside the buffer).
    void fill(uint32_t src, uint32_t dst, uint32_t S, uint32_t D) {
        const uint32_t F = s_.frameSize;
        const uint32_t L = s_.seamLength;
        if (s_.pitch == 1.0f && L == 0 && S % F == 0 && uint64_t{src} + S <= capacity_) {
            // At pitch 1 without seams the segment is its source, repeated when it is shorter.
            copyCyclic(src, dst, S, D / F * F);
            return;
        }
        const long double pitch = s_.pitch;
        uint64_t p = 0;  // output offset in the segment
        uint64_t j = 0;  // bytes of output since the last restart
        while (p + F <= D) {
            uint64_t s = F * truncIndex(static_cast<long double>(j) * pitch / F);
            // Unsigned on purpose: with L > S the bound is huge and every frame is copied.
            if (s < static_cast<uint32_t>(S - L)) {
                if (src + s + F > capacity_) {
                    j = 0;
                    s = 0;
                }
                std::memcpy(block_ + dst + p, source_ + src + s, F);
            } else {
                j = 0;
                std::memcpy(block_ + dst + p, source_ + src, F);
                // Ramp over the L bytes before p into the restart, cut at the block's start.
                const uint64_t at = dst + p;
                const uint64_t from = at >= L ? at - L : 0;
                const Frame16 a = frame16At(block_, from, blockLength_);
                const Frame16 b = frame16At(source_, src, capacity_);
                SeamRamp(block_ + from, a.left, a.right, b.left, b.right, rampLength(at - from));
            }
            if (p >= static_cast<uint32_t>(D - L)) {
                // Close the segment with a ramp towards the source segment's last frame, which
                // adjoins the next segment's first frame.
                const Frame16 a = frame16At(block_, dst + p, blockLength_);
                const Frame16 b = frame16At(source_, src + (S >= 4 ? S - 4 : 0), capacity_);
                SeamRamp(block_ + dst + (D - L), a.left, a.right, b.left, b.right, rampLength(L));
                p = D;
            }
            j += F;
            p += F;
            if (j >= S) j = 0;
        }
    }

    // What the frame loop makes of a pitch of 1 and no seams: the source segment's frames in
    // turn, starting again at its start when it runs out.
    void copyCyclic(uint32_t src, uint32_t dst, uint32_t S, uint32_t D) {
        for (uint32_t p = 0; p < D;) {
            uint32_t n = std::min(S, D - p);
            std::memcpy(block_ + dst + p, source_ + src, n);
            p += n;
        }
    }

    const uint8_t* source_;
    uint32_t capacity_;
    uint8_t* block_;
    uint32_t blockLength_;
    const SpeedPitchSettings& s_;
};

}  // namespace

uint32_t computeReadSize(uint32_t blockSize, float speed, uint32_t frameSize,
                         uint32_t copyBufferSize) {
    if (frameSize == 0) return 0;
    const uint64_t frames = truncIndex(static_cast<long double>(blockSize) * speed / frameSize);
    const uint64_t limit = uint64_t{copyBufferSize} / frameSize * frameSize;
    return static_cast<uint32_t>(std::min(frames * frameSize, limit));
}

uint32_t computeOutputLength(uint32_t bytesRead, float speed, uint32_t frameSize) {
    if (frameSize == 0 || !(speed > 0)) return 0;
    const uint64_t frames = truncIndex(static_cast<long double>(bytesRead) / speed / frameSize);
    const uint64_t limit = uint64_t{UINT32_MAX} / frameSize * frameSize;
    return static_cast<uint32_t>(std::min(frames * frameSize, limit));
}

void SeamRamp(uint8_t* start, int16_t a0, int16_t b0, int16_t a1, int16_t b1, int32_t lengthBytes) {
    const int32_t n = lengthBytes / 4;
    for (int32_t i = 0; i < n; ++i) {
        const long double left = a0 + static_cast<long double>(i) * (a1 - a0) / n;
        const long double right = b0 + static_cast<long double>(i) * (b1 - b0) / n;
        uint8_t* frame = start + 4 * static_cast<size_t>(i);
        put16(frame, static_cast<int16_t>(left));
        put16(frame + 2, static_cast<int16_t>(right));
    }
}

void processSpeedPitch(const uint8_t* source, uint32_t sourceLength, uint32_t sourceCapacity,
                       uint8_t* block, uint32_t blockLength, const SpeedPitchSettings& s) {
    const uint32_t F = s.frameSize;
    sourceLength = std::min(sourceLength, sourceCapacity);
    // No source frames, no output; the segment loop would otherwise restart forever.
    if (F == 0 || sourceLength == 0 || sourceCapacity < F) return;

    if (!s.pitchMode) {
        if (s.speed == 1.0f) {
            // Frame k is source frame k.
            uint32_t n = std::min(blockLength / F * F, sourceCapacity / F * F);
            std::memcpy(block, source, n);
            return;
        }
        // Output frame k takes source frame trunc(k x speed): repeated or dropped frames.
        const long double speed = s.speed;
        for (uint64_t x = 0; x + F <= blockLength; x += F) {
            const uint64_t at = F * truncIndex(static_cast<long double>(x) * speed / F);
            if (at + F > sourceCapacity) break;
            std::memcpy(block + x, source + at, F);
        }
        return;
    }
    Segments(source, sourceCapacity, block, blockLength, s)
        .process(0, 0, sourceLength, blockLength);
}

}  // namespace pelkit
