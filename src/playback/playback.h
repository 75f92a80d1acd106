// Playback of the main sound: four blocks circulate through the output device, each refilled
// in place from the file (BlockRefill) and processed on the way.
#pragma once

#include <cstdint>
#include "platform/sound_device.h"
#include "playback/block_outcome.h"

namespace pelkit {

struct AppState;

// Commands.
void playStart(AppState& app);             // 1002
void playPauseToggle(AppState& app);       // 1003
void playStop(AppState& app);              // 1004
void toggleReverse(AppState& app);         // 1005
void toggleRepeat(AppState& app);          // 1006
void toggleRange(AppState& app);           // 1052
void skipMarkStart(AppState& app);         // 1129
void skipMarkEnd(AppState& app);           // 1130
void toggleSkipMode(AppState& app);        // 1131
void toggleContinuousPlay(AppState& app);  // 40012
void requestConvertTo16(AppState& app);    // 40027

// The format the output device opens with for the sound now loaded (24-bit as 16 when it plays
// converted).
WaveFormat playDeviceFormat(const AppState& app);

// Output device messages. onOutputOpen primes the four blocks and returns true, or shows why it
// could not; onOutputClose ends the play's modes and showPlaybackEnded then shows the idle window
// on the file the play began with.
bool onOutputOpen(AppState& app);
void onOutputDone(AppState& app, WaveHeader& header);
void onOutputClose(AppState& app);
void showPlaybackEnded(AppState& app);
// The output device stopped working: playback stops and the user is told.
void onOutputError(AppState& app);

// Refills one block and queues it again, or retires it when playback is ending: reads from the
// source, runs the stages, hands the block to the device and tells the block listeners. Moves
// bytes and decides; shows nothing.
BlockOutcome BlockRefill(AppState& app, WaveHeader& header);

// The readouts of a refilled block: time, position bar, skip start, title, level report.
void showBlockOutcome(AppState& app, const BlockOutcome& outcome);

// BlockRefill followed by showBlockOutcome and the listeners of the shown block.
void refillBlock(AppState& app, WaveHeader& header);

// readSize from the block size and the speed; a speed change is heard from the next block.
void recomputeReadSize(AppState& app);

// Bytes per frame of the data the processing stages see: the file's frame, or the 16-bit frame
// of 24-bit sound played converted.
uint32_t processingFrameSize(const AppState& app);

}  // namespace pelkit
