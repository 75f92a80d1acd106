// Recording from the input device into the temporary record file, finished into the current
// file when the take ends; the level check, standby, pause, loop recording, splitting into
// numbered parts and the writer-thread ("HDD") mode.
#pragma once

#include <optional>
#include <vector>

#include "files/take_writer.h"
#include "platform/sound_device.h"
#include "state/command_table.h"

namespace pelkit {

struct AppState;
struct Services;

void recordStart(AppState& app);       // 1000
void recordStop(AppState& app);        // 1001
void recordPause(AppState& app);       // 1028
void bufferReset(AppState& app);       // 1019: empty record file, data size 0
void enterStandby(AppState& app);      // 40023 (1126 sets loop recording first)
void toggleLevelCheck(AppState& app);  // 1056
// The entries of the commands above, and 1126: loop recording set, then standby.
std::vector<CommandEntry> recordCommands();

// Four blockSize buffers; on failure all four are released and the user is warned.
bool allocateBlockBuffers(AppState& app);

// Input device messages.
void onInputOpen(AppState& app);
// A filled block is appended to the take; true when it is to be shown before it goes back.
bool onInputData(AppState& app, WaveHeader& header);
// Gives the block back to the device, or closes the device once a stop was asked for.
void requeueInputBlock(AppState& app, WaveHeader& header);
// The device closed: its blocks are released and the take waits for its pending writes.
void onInputClose(AppState& app);
// Blocks handed to the writer thread and not yet written, or a take's files being finished.
bool takeWritesPending(const Services& services);
// Starts finishing the take into the current file on a thread of its own (a TakeFinished
// message follows); false after a level check, which has nothing to finish.
bool startTakeFinish(AppState& app);
// Once the TakeFinished message came: takes the result and says what happened.
TakeFinish completeTakeFinish(AppState& app);
// The window after a take: a failed write is reported, the file is playable if it has sound.
void showTakeEnded(AppState& app);
// The input device stopped working: the take ends with what was recorded and the user is told.
void onInputError(AppState& app);
// The writer thread finished the write of a block ("HDD" mode).
void onRecordWritten(AppState& app, WaveHeader& header);

}  // namespace pelkit
