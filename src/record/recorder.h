// Recording from the input device into the temporary record file, finished into the current
// file when the take ends; the level check, standby, pause, loop recording, splitting into
// numbered parts and the writer-thread ("HDD") mode.
#pragma once

#include "platform/sound_device.h"

namespace pelkit {

struct AppState;

void recordStart(AppState& app);       // 1000
void recordStop(AppState& app);        // 1001
void recordPause(AppState& app);       // 1028
void bufferReset(AppState& app);       // 1019: empty record file, data size 0
void enterStandby(AppState& app);      // 40023 (1126 sets loop recording first)
void toggleLevelCheck(AppState& app);  // 1056

// Four blockSize buffers; on failure all four are released and the user is warned.
bool allocateBlockBuffers(AppState& app);

// Input device messages.
void onInputOpen(AppState& app);
void onInputData(AppState& app, WaveHeader& header);
void onInputClose(AppState& app);
// The input device stopped working: the take ends with what was recorded and the user is told.
void onInputError(AppState& app);
// The writer thread finished the write of a block ("HDD" mode).
void onRecordWritten(AppState& app, WaveHeader& header);

}  // namespace pelkit
