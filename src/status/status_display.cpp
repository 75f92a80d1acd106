#include "status/status_display.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/readouts.h"

namespace pelkit {

namespace {

Ui& ui(AppState& app) {
    return app.ui();
}
WindowHandle mainWindow(AppState& app) {
    return app.windows.mainDialog;
}

void enableAll(AppState& app, std::initializer_list<int> ids, bool on) {
    for (int id : ids)
        ui(app).enable(mainWindow(app), id, on);
}

}  // namespace

void setStatusText(AppState& app, int id, const std::string& text) {
    ui(app).setText(mainWindow(app), id, text.substr(0, kTextMax));
}

void setNumberText(AppState& app, int id, int32_t value) {
    ui(app).setText(mainWindow(app), id, std::to_string(value));
}

void setNumberWithUnit(AppState& app, int id, int64_t value, const std::string& unit) {
    ui(app).setText(mainWindow(app), id, std::to_string(value) + unit);
}

std::string timeText(uint64_t bytes, uint32_t bytesPerSecond) {
    if (bytesPerSecond == 0) return "0000:00.000";
    uint64_t minutes = (bytes / bytesPerSecond) / 60;
    uint64_t rest = bytes - minutes * 60 * bytesPerSecond;
    double seconds = static_cast<double>(rest) / bytesPerSecond;
    char text[64];
    std::snprintf(text, sizeof text, "%04llu:%06.3f", static_cast<unsigned long long>(minutes),
                  seconds);
    return text;
}

void setTimeText(AppState& app, int id, uint64_t bytes, uint32_t bytesPerSecond) {
    ui(app).setText(mainWindow(app), id, timeText(bytes, bytesPerSecond));
}

void showTime(AppState& app, uint64_t bytes) {
    setTimeText(app, id::kFieldTime, bytes, static_cast<uint32_t>(app.format.bytesPerSecond));
}

int32_t readNumberField(AppState& app, int id) {
    std::string text = ui(app).getText(mainWindow(app), id);
    long value = std::strtol(text.c_str(), nullptr, 10);
    auto result = static_cast<int32_t>(value);
    setNumberWithUnit(app, id, result, "");
    return result;
}

void readFormatFields(AppState& app) {
    app.format.channels = readNumberField(app, id::kFieldChannels);
    app.format.samplesPerSecond = readNumberField(app, id::kFieldHeaderRate);
    app.format.bitsPerSample = readNumberField(app, id::kFieldHeaderBits);
}

void refreshFormatReadout(AppState& app, const WaveFormat* format) {
    showVolume(app);
    const FormatSettings& f = app.format;
    setNumberWithUnit(app, id::kFieldChannels, f.channels, "");
    setNumberWithUnit(app, id::kFieldRate, f.samplesPerSecond, "");
    setNumberWithUnit(app, id::kFieldBits, f.bitsPerSample, "");
    setNumberWithUnit(app, id::kFieldBlockSize, static_cast<int32_t>(app.blocks.blockSize), "");
    setNumberWithUnit(app, id::kFieldSize, app.sound.dataSize, "");
    setNumberWithUnit(app, id::kFieldHeaderFormat, f.formatTag, "");
    setNumberWithUnit(app, id::kFieldHeaderChannels, f.channels, "");
    setNumberWithUnit(app, id::kFieldHeaderBits, f.bitsPerSample, "");
    setNumberWithUnit(app, id::kFieldHeaderRate, f.samplesPerSecond, "");
    if (format) {
        setNumberWithUnit(app, id::kFieldHeaderRate, format->samplesPerSecond, "");
        setNumberWithUnit(app, id::kFieldHeaderByteRate, format->avgBytesPerSecond, "");
        setNumberWithUnit(app, id::kFieldHeaderBlockAlign, format->blockAlign, "");
    }
}

void setTitle(AppState& app, const std::string& file, const std::string& title) {
    ui(app).setTitle(mainWindow(app), file + ".." + title);
}

void setCurrentFile(AppState& app, const std::string& name) {
    app.sound.fileName = name;
    setTitle(app, app.sound.fileName, app.titleText);
}

void invalidateWaveforms(AppState& app) {
    ui(app).invalidate(WaveWindow::Upper);
    ui(app).invalidate(WaveWindow::Lower);
}

void showWarning(AppState& app, const std::string& text) {
    ui(app).beep();
    ui(app).messageBox(mainWindow(app), text, kCaption, BoxIcon::Warning, BoxButtons::Ok);
}

bool ChooseFile(AppState& app, FileKind kind) {
    // A sequence to write is offered under the name made from the main file.
    const std::string& initial = kind == FileKind::SequenceToSave && !app.names.sequence.empty()
                                     ? app.names.sequence
                                     : app.chosenFile;
    auto chosen = ui(app).chooseFile(mainWindow(app), kind, initial);
    if (!chosen) return false;
    app.chosenFile = chosen->substr(0, kTextMax);
    return true;
}

void showLoadError(AppState& app) {
    showWarning(app, "error,in load!");
    setStatusText(app, id::kFieldStatus, "stop");
}

std::string levelBarText(int32_t percent) {
    static const std::string ruler = "----+----+----+----+----+----+----+----+----+---**";
    std::string bar(49, ' ');
    bar += '_';
    int32_t n = percent / 2;
    if (n < 0) n = 0;
    if (n > 50) n = 50;
    bar.replace(0, static_cast<size_t>(n), ruler.substr(0, static_cast<size_t>(n)));
    return bar;
}

void showPlayLevel(AppState& app, const uint8_t* block) {
    int32_t v = 0;
    if (app.format.bitsPerSample == 16) {
        v = static_cast<int16_t>(static_cast<uint16_t>(block[0] | (block[1] << 8)));
    } else {
        v = static_cast<int32_t>(block[0]) - 128;
    }
    int32_t fullScale = app.playback.levelFullScale > 0 ? app.playback.levelFullScale : 32767;
    int32_t percent = std::abs(v) * 100 / fullScale;
    setStatusText(app, id::kFieldStatus, levelBarText(percent));
}

void applyCaptions(AppState& app, bool japanese) {
    struct Caption {
        int id;
        const char* japanese;
        const char* english;
    };
    static const Caption captions[] = {
        {id::kRecord, "録音", "rec."},    {id::kRecordOptions, "その他", "other"},
        {id::kOpen, "開く", "open"},      {id::kSubSoundAll, "全表示", "all"},
        {id::kExit, "終了", "power off"},
    };
    for (const Caption& c : captions) {
        ui(app).setText(mainWindow(app), c.id, japanese ? c.japanese : c.english);
    }
}

void toggleCaptions(AppState& app) {
    app.modes.japaneseCaptions = !app.modes.japaneseCaptions;
    applyCaptions(app, app.modes.japaneseCaptions);
}

void setBitsButtons(AppState& app, bool on) {
    enableAll(app, {id::kBits8, id::kBits16, id::kBits24}, on);
}

void armRecordControls(AppState& app) {
    enableAll(app, {id::kBits16, id::kBits8, id::kBits24}, true);
    enableAll(app, {id::kPlay, id::kPlayPause, id::kPlayStop, id::kRepeat}, false);
}

void showLoaded(AppState& app) {
    enableAll(app, {id::kBits16, id::kBits8, id::kBits24, id::kPlay, id::kRepeat, id::kReverse},
              true);
    enableAll(app, {id::kPlayPause, id::kPlayStop}, false);
    ui(app).focus(mainWindow(app), id::kPlay);
    setStatusText(app, id::kFieldStatus, "loaded");
    app.modes.playing = false;
}

void showRecording(AppState& app) {
    enableAll(app, {id::kRecordStop}, true);
    enableAll(app, {id::kRecord, id::kPlay, id::kPlayPause, id::kPlayStop, id::kRepeat}, false);
}

void showRecordStopped(AppState& app) {
    enableAll(app, {id::kRecord}, true);
    enableAll(app, {id::kRecordStop}, false);
    ui(app).focus(mainWindow(app), id::kRecord);
}

void showPlayable(AppState& app) {
    enableAll(app, {id::kPlay, id::kRepeat, id::kReverse}, true);
    enableAll(app, {id::kPlayPause, id::kPlayStop}, false);
    ui(app).focus(mainWindow(app), id::kPlay);
    app.modes.playing = false;
}

void showPlaying(AppState& app) {
    enableAll(app, {id::kPlayPause, id::kPlayStop, id::kRepeat}, true);
    enableAll(
        app,
        {id::kBlockDown, id::kBlockReset, id::kBlockUp, id::kRecord, id::kRecordStop, id::kPlay},
        false);
    ui(app).focus(mainWindow(app), id::kPlayStop);
}

void showPlayStopped(AppState& app) {
    enableAll(app,
              {id::kBlockDown, id::kBlockReset, id::kBlockUp, id::kRecord, id::kPlay, id::kReverse,
               id::kRepeat},
              true);
    enableAll(app, {id::kRecordStop, id::kPlayPause, id::kPlayStop}, false);
    ui(app).focus(mainWindow(app), id::kPlay);
    app.modes.playing = false;
}

}  // namespace pelkit
