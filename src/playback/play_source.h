// The source of playback: where the next block's bytes of the main sound come from. It follows
// the skip marks, the reverse step, the start-end range, repeat, continuous play into the next
// numbered file, and reads into the copy buffer, reducing 24-bit sound to 16 bits when asked.
#pragma once

#include <cstdint>

#include "playback/block_outcome.h"

namespace pelkit {

struct AppState;
struct MainSound;

// Bytes per frame of the file being played.
uint32_t fileFrameSize(const MainSound& sound);
// 24-bit sound is played as 16-bit.
bool playsConverted(const AppState& app);
// Bits per sample of the data the processing stages and the level bar see.
int32_t playedBits(const AppState& app);
// Reopens the play stream on playFileName at the data offset.
bool reopenAtDataStart(MainSound& sound);

// What one read of the source obtained.
struct SourceRead {
    uint32_t fromFile = 0;      // bytes obtained from the file(s), before any conversion
    uint32_t beforeSwitch = 0;  // bytes of bytesRead that came from the previous file
    bool switched = false;      // the read went on into the next numbered file
    bool wasShort = false;      // fewer bytes than asked: the file ended within the read
};

// The steps of a refill that move the play stream and the position, in the order a refill takes
// them. Holds no state of its own: everything lives in the playback and main sound records.
class PlaySource {
  public:
    explicit PlaySource(AppState& app) : app_(app) {}

    // Jumps over the skip pair ahead once the play position has passed its start.
    void skipMarks(BlockOutcome& out);
    // Reverse play steps back over the block to be read; at the range end playback stops or
    // goes back to the range start.
    void stepBack();
    void rangeEnd();
    // A file that ended with the previous block starts again (repeat) or goes on into the next
    // numbered file; true when it has simply ended.
    bool fileEnded(BlockOutcome& out);
    // Reads the block's source bytes into the copy buffer and sets bytesRead; SKIPPED places the
    // stream at the position first.
    SourceRead read(bool skipped);
    // Steps the stream back over BYTES just read (reverse play).
    void stepBackOver(uint32_t bytes);

  private:
    AppState& app_;
};

}  // namespace pelkit
