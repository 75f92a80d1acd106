// What the main window shows: the status field, numbers, times, the title, warnings, the level
// bar, the caption language and the enabled state of the buttons in each mode.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui.h"
#include "platform/wave_format.h"

namespace pelkit {

struct AppState;

void setStatusText(AppState& app, int id, const std::string& text);
void setNumberText(AppState& app, int id, int32_t value);
// VALUE in decimal with UNIT after it; sizes of up to 4 GiB and beyond show unsigned.
void setNumberWithUnit(AppState& app, int id, int64_t value, const std::string& unit);
// BYTES at BYTESPERSECOND as "%04d:%06.3f" minutes and seconds; 0000:00.000 for a zero rate.
std::string timeText(uint64_t bytes, uint32_t bytesPerSecond);
void setTimeText(AppState& app, int id, uint64_t bytes, uint32_t bytesPerSecond);
// Shows a byte count of the current sound as a time in the time field.
void showTime(AppState& app, uint64_t bytes);

// Reads the field's leading decimal integer (0 when it has none), writes it back and returns it.
int32_t readNumberField(AppState& app, int id);
// channels, samplesPerSecond and bitsPerSample from fields 1027, 1032 and 1035.
void readFormatFields(AppState& app);
// Writes the format fields; the three header fields of FORMAT when one is given.
void refreshFormatReadout(AppState& app, const WaveFormat* format = nullptr);

void setTitle(AppState& app, const std::string& file, const std::string& title);
void setCurrentFile(AppState& app, const std::string& name);

// Asks for a repaint of both waveform windows.
void invalidateWaveforms(AppState& app);

void showWarning(AppState& app, const std::string& text);
void showLoadError(AppState& app);
// The file dialog for KIND, starting at the last chosen file (a sequence to save: at the
// sequence name made from the main file); the choice goes to app.chosenFile. False when the
// user cancelled: a cancel is no error, so callers then change nothing and say nothing.
bool ChooseFile(AppState& app, FileKind kind);

// The 50-character level bar for a level of PERCENT.
std::string levelBarText(int32_t percent);
// The level bar of the first sample of a played block, in the status field.
void showPlayLevel(AppState& app, const uint8_t* block);

void applyCaptions(AppState& app, bool japanese);
void toggleCaptions(AppState& app);
void setBitsButtons(AppState& app, bool on);

// The named control states.
void armRecordControls(AppState& app);
void showLoaded(AppState& app);
void showRecording(AppState& app);
void showRecordStopped(AppState& app);
void showPlayable(AppState& app);
void showPlaying(AppState& app);
void showPlayStopped(AppState& app);

}  // namespace pelkit
