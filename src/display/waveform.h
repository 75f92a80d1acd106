// The two waveform windows: their painters, the display timer that moves the picture through
// the block being heard, the block events of playback and recording, and the file overview.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/canvas.h"
#include "platform/ui.h"
#include "state/command_table.h"

namespace pelkit {

struct AppState;
struct WaveHeader;

// Geometry shared by both windows.
inline constexpr int kWaveCentre = 55;
inline constexpr int kWaveWidth = 248;
inline constexpr int kWaveHeight = 110;
// The amplitude divisor: trunc(32767 x 0.0090909088 x 2.1), the factor single precision.
int32_t amplitudeDivisor();
// The visible width in columns: trunc(248 / horizontalScale).
int32_t visibleWidth(float horizontalScale);
// The value a trace draws for column I of the data at BASE.
int32_t columnValue(const uint8_t* base, uint32_t column, int32_t bitsPerSample);

// Paints the upper window (left channel trace, or spectrum bars) and the lower window (right
// channel trace with the level line).
void paintUpper(AppState& app, Canvas& canvas);
void paintLower(AppState& app, Canvas& canvas);

// A played block came back: the picture starts again at the front of the block now heard.
void restartDisplayTicks(AppState& app);
// After the played block DONE was refilled: the spectrum views, then the repaint and the level
// bar, unless the bars' analysis runs.
void onPlayBlockDone(AppState& app, const WaveHeader& done);
// A recorded block to be shown (level check, or shown while recording).
void onRecordBlock(AppState& app, const uint8_t* data, uint32_t length);
// The entries of commands 1135 to 1142 (the display switch, shown-while-recording, and the two
// scales) and of 40013 (the whole waveform).
std::vector<CommandEntry> displayCommands();

void startDisplayTimer(AppState& app);
void stopDisplayTimer(AppState& app);
// One tick of the display timer: the picture moves 72 ms further into the block being heard.
void onDisplayTick(AppState& app);

// Fills the display buffer with overview records (the largest and smallest values of eight
// frames per 928 bytes of the file) read from the play position.
void buildOverview(AppState& app, uint32_t byteCount, uint32_t stride);
// The overview at the play position, when nothing plays.
void refreshOverview(AppState& app);
// Command 40013: an overview of the whole rest of the file.
void showWholeWaveform(AppState& app);

}  // namespace pelkit
