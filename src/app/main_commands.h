// The main window's own commands: loading by file choice or drop, the format and block size
// settings, the rate buttons, the position jumps with their silence test, and help.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "state/command_table.h"

namespace pelkit {

struct AppState;
class FileStream;

void loadWavFile(AppState& app);  // 1015
void onDroppedFile(AppState& app, const std::string& path);
void refreshNames(AppState& app);                    // 1120
void setBitsPerSample(AppState& app, int32_t bits);  // 1013, 1014, 1504
void setChannelCount(AppState& app, int32_t count);  // 1016, 1017
void applyRateFactor(AppState& app);

struct QuietTest {
    bool quiet = false;
    uint32_t bytesRead = 0;
};
// Reads up to 12 bytes at the play stream's place into the display buffer; quiet when all six
// 16-bit values lie within the skip level's threshold.
QuietTest isQuiet(AppState& app);
void jumpToNextQuiet(AppState& app);  // 1007
void jumpForward(AppState& app);      // 1037
void jumpBack(AppState& app);         // 1039 and the menu's "<<" 40021
void stepBackToQuiet(AppState& app);  // 1040
// Places STREAM at the data start + position; a failed stream is reopened at the data start.
void seekToPosition(AppState& app, FileStream& stream);

void openHelp(AppState& app);              // 40006
void showNextNumberedFile(AppState& app);  // 40011

// The entries of the commands above, of the block size (1020, 1022, 1023) and rate (1009, 1011,
// 1012, 1045) buttons, and of the readouts 1018 and 40026.
std::vector<CommandEntry> mainCommands();

}  // namespace pelkit
