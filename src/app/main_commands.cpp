#include "app/main_commands.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/commands.h"
#include "app/load_file.h"
#include "app/main_sound.h"
#include "app/startup.h"
#include "files/file_names.h"
#include "files/file_stream.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr uint32_t kJumpBlocks = 240;
constexpr uint32_t kQuietBytes = 12;

// While a take runs, fileName is where it will be finished: loading another file then would
// finish the take over that file.
bool refuseWhileRecording(AppState& app) {
    if (!app.modes.recording && !app.platform.in.isOpen()) return false;
    showWarning(app, "Stop the recording before loading another file.");
    return true;
}

// Bytes of one frame of the current format: the floor of the block size.
uint32_t currentFrameSize(const AppState& app) {
    int32_t bits = std::max(app.format.bitsPerSample, app.format.soundBitsPerSample);
    int64_t frame = int64_t{app.format.channels} * (bits / 8);
    return frame > 0 ? static_cast<uint32_t>(std::min<int64_t>(frame, UINT32_MAX)) : 1;
}

void placeAtDataStart(AppState& app) {
    FileStream& s = app.sound.playStream;
    s.clear();
    s.seek(app.sound.dataOffset());
    app.sound.position = 0;
}

}  // namespace

void loadWavFile(AppState& app) {
    if (refuseWhileRecording(app)) return;
    app.modes.stopRequested = true;
    const std::string status = app.ui().getText(app.windows.mainDialog, id::kFieldStatus);
    setStatusText(app, id::kFieldStatus, "load");
    if (!ChooseFile(app, FileKind::Sound)) {
        // A cancelled choice changes nothing, the status included.
        setStatusText(app, id::kFieldStatus, status);
        return;
    }
    app.playback.convertTo16 = false;
    loadSoundFile(app, app.chosenFile);
    rebuildNames(app);
    app.sound.position = 0;
    showLoadedSound(app);
    app.ui().focus(app.windows.mainDialog, id::kPlay);
    refreshFormatReadout(app, &app.format.deviceFormat);
    updateByteRate(app);
    showTime(app, app.sound.dataSize);
}

void onDroppedFile(AppState& app, const std::string& path) {
    if (refuseWhileRecording(app)) return;
    app.modes.stopRequested = true;
    app.chosenFile = path.substr(0, kTextMax);
    if (app.chosenFile.empty()) {
        showLoadError(app);
    } else if (HasExtension(app.chosenFile, "ts1")) {
        sendCommand(app, id::kReplaySequenceFile);
    } else {
        loadSoundFile(app, app.chosenFile);
        showLoadedSound(app);
    }
    sendCommand(app, id::kRefreshNames);
}

void refreshNames(AppState& app) {
    rebuildNames(app);
    refreshFormatReadout(app, &app.format.deviceFormat);
    updateByteRate(app);
    showTime(app, app.sound.dataSize);
}

void setBitsPerSample(AppState& app, int32_t bits) {
    app.format.bitsPerSample = bits;
    refreshFormatReadout(app);
    setNumberWithUnit(app, id::kFieldBits, bits, "");
    sendCommand(app, id::kBufferReset);
}

void setChannelCount(AppState& app, int32_t count) {
    app.format.channels = count;
    setNumberWithUnit(app, id::kFieldChannels, count, "");
}

namespace {

void showBlockSize(AppState& app) {
    setNumberWithUnit(app, id::kFieldBlockSize, static_cast<int32_t>(app.blocks.blockSize), "");
}

void resetBlockSize(AppState& app, int, int32_t) {
    BlockSettings& b = app.blocks;
    b.blockSize = b.chosenBlockSize = kDefaultBlockSize;
    showBlockSize(app);
}

void largerBlock(AppState& app, int, int32_t) {
    BlockSettings& b = app.blocks;
    if (b.blockSize + kDefaultBlockSize <= kDisplayBufferSize) {
        b.blockSize =
            b.blockSize < kDefaultBlockSize ? b.blockSize * 2 : b.blockSize + kDefaultBlockSize / 2;
    }
    b.chosenBlockSize = b.blockSize;
    showBlockSize(app);
}

void smallerBlock(AppState& app, int, int32_t) {
    BlockSettings& b = app.blocks;
    uint32_t smaller =
        b.blockSize > kDefaultBlockSize ? b.blockSize - kDefaultBlockSize / 2 : b.blockSize / 2;
    if (smaller >= currentFrameSize(app)) b.blockSize = smaller;
    b.chosenBlockSize = b.blockSize;
    showBlockSize(app);
}

void rateUp(AppState& app, int, int32_t) {
    FormatSettings& f = app.format;
    if (f.rateFactor < 1) {
        f.rateFactor *= 2;
    } else if (f.rateFactor < 320) {
        f.rateFactor += 1;
    }
    applyRateFactor(app);
    refreshFormatReadout(app);
}

void rate44(AppState& app, int, int32_t) {
    FormatSettings& f = app.format;
    f.rateFactor = 4;
    f.samplesPerSecond = 44100;
    setNumberWithUnit(app, id::kFieldRate, 44100, "");
    refreshFormatReadout(app);
}

void rateDown(AppState& app, int, int32_t) {
    FormatSettings& f = app.format;
    // Never below an eighth of 11,025 Hz (1,378 Hz).
    float lower = f.rateFactor > 1 ? f.rateFactor - 1 : f.rateFactor / 2;
    if (lower >= 0.125f) f.rateFactor = lower;
    applyRateFactor(app);
    refreshFormatReadout(app);
}

void rateFromField(AppState& app, int, int32_t) {
    FormatSettings& f = app.format;
    f.samplesPerSecond = readNumberField(app, id::kFieldRateEntry);
    setNumberWithUnit(app, id::kFieldRate, f.samplesPerSecond, "");
    refreshFormatReadout(app);
}

}  // namespace

void applyRateFactor(AppState& app) {
    FormatSettings& f = app.format;
    f.samplesPerSecond = static_cast<int32_t>(f.rateFactor * 11025);
    setNumberWithUnit(app, id::kFieldRate, f.samplesPerSecond, "");
    setNumberWithUnit(app, id::kFieldRateEntry, f.samplesPerSecond, "");
}

QuietTest isQuiet(AppState& app) {
    QuietTest result;
    uint8_t* buffer = app.ring.displayBuffer.data();
    if (app.ring.displayBuffer.size() < kQuietBytes) return result;
    result.bytesRead = static_cast<uint32_t>(app.sound.playStream.read(buffer, kQuietBytes));
    auto threshold = static_cast<int32_t>(app.display.skipLevel * 327.67);
    result.quiet = true;
    for (uint32_t i = 0; i < kQuietBytes; i += 2) {
        auto v = static_cast<int16_t>(static_cast<uint16_t>(buffer[i] | (buffer[i + 1] << 8)));
        if (v < -threshold || v > threshold) result.quiet = false;
    }
    return result;
}

void jumpToNextQuiet(AppState& app) {
    FileStream& s = app.sound.playStream;
    uint32_t& position = app.sound.position;
    const uint32_t block = app.blocks.blockSize;
    QuietTest last = isQuiet(app);
    auto advance = [&] {
        while (!s.eof() && !s.fail()) {
            s.seek(block, FileStream::Origin::Current);
            position += block;
            last = isQuiet(app);
            position += last.bytesRead;
            if (last.quiet) break;
        }
    };
    if (!last.quiet) advance();
    // Once more from there, so the result lies a block beyond the first quiet spot.
    last.quiet = false;
    advance();
    if (!s.eof()) {
        s.seek(-static_cast<int64_t>(last.bytesRead), FileStream::Origin::Current);
        position -= last.bytesRead;
    } else {
        placeAtDataStart(app);
    }
    showTime(app, position);
}

void jumpForward(AppState& app) {
    int64_t d = static_cast<int64_t>(kJumpBlocks) * app.blocks.blockSize;
    app.sound.playStream.seek(app.playback.reversePlay ? -d : d, FileStream::Origin::Current);
    app.sound.position += static_cast<uint32_t>(d);
    showTime(app, app.sound.position);
}

void jumpBack(AppState& app) {
    uint32_t d = kJumpBlocks * app.blocks.blockSize;
    if (app.sound.position > d) {
        app.sound.playStream.seek(-static_cast<int64_t>(d), FileStream::Origin::Current);
        app.sound.position -= d;
    } else {
        placeAtDataStart(app);
    }
    showTime(app, app.sound.position);
}

void stepBackToQuiet(AppState& app) {
    FileStream& s = app.sound.playStream;
    uint32_t& position = app.sound.position;
    const uint32_t block = app.blocks.blockSize;
    if (position > block) {
        s.seek(-static_cast<int64_t>(block), FileStream::Origin::Current);
        position -= block;
    }
    while (position > block) {
        s.seek(-static_cast<int64_t>(block), FileStream::Origin::Current);
        position -= block;
        QuietTest t = isQuiet(app);
        position += t.bytesRead;
        if (t.quiet) break;
    }
    showTime(app, position);
}

void seekToPosition(AppState& app, FileStream& stream) {
    stream.seek(app.sound.dataOffset() + app.sound.position);
    if (stream.fail()) {
        stream.clear();
        stream.close();
        stream.open(app.sound.fileName, FileStream::Mode::Read);
        app.sound.position = 0;
        stream.seek(app.sound.dataOffset());
    }
}

void openHelp(AppState& app) {
    // The user guide ships beside the program, or in the installed documentation folder.
    std::string dir = ProgramDirectoryPath(app.programPath);
    std::string candidates[] = {
        dir + "pelkit_recorder.html",
        dir + "../share/doc/pelkit_recorder/pelkit_recorder.html",
    };
    for (const std::string& path : candidates) {
        if (isRegularFile(path)) {
            std::error_code ec;
            std::string full = std::filesystem::weakly_canonical(path, ec).string();
            if (!app.ui().openDocument(ec ? path : full)) {
                showWarning(app, "The help file " + full + " could not be opened.");
            }
            return;
        }
    }
    showWarning(app, "The help file " + candidates[0] + " was not found.");
}

void showNextNumberedFile(AppState& app) {
    NextNumbered next = NextNumberedFile(app.sound.fileName);
    app.ui().messageBox(app.windows.mainDialog, next.name, kCaption, BoxIcon::Information,
                        BoxButtons::Ok);
}

std::vector<CommandEntry> mainCommands() {
    return {
        command(id::kOpen, plain<loadWavFile>),
        command(id::kRefreshNames, plain<refreshNames>),
        command(id::kBits16, [](AppState& a, int, int32_t) { setBitsPerSample(a, 16); }),
        command(id::kBits8, [](AppState& a, int, int32_t) { setBitsPerSample(a, 8); }),
        command(id::kBits24, [](AppState& a, int, int32_t) { setBitsPerSample(a, 24); }),
        command(id::kChannels1, [](AppState& a, int, int32_t) { setChannelCount(a, 1); }),
        command(id::kChannels2, [](AppState& a, int, int32_t) { setChannelCount(a, 2); }),
        command(id::kLockOff, [](AppState& a, int, int32_t) { setBitsButtons(a, true); }),
        command(id::kBlockReset, resetBlockSize),
        command(id::kBlockUp, largerBlock),
        command(id::kBlockDown, smallerBlock),
        command(id::kRateUp, rateUp),
        command(id::kRate44, rate44),
        command(id::kRateDown, rateDown),
        command(id::kRateSet, rateFromField),
        command(id::kSetPcm, [](AppState& a, int, int32_t) { a.format.formatTag = 1; }),
        command(id::kOverwriteDataSize, plain<OverwriteDataSize>),
        command(id::kNextNumberedCheck, plain<showNextNumberedFile>),
        command(id::kJumpToQuiet, plain<jumpToNextQuiet>),
        command(id::kJumpForward, plain<jumpForward>),
        command(id::kJumpBack, plain<jumpBack>),
        command(id::kMenuJumpBack, plain<jumpBack>),
        command(id::kStepBackToQuiet, plain<stepBackToQuiet>),
        command(id::kShowExtraHeader,
                [](AppState& a, int, int32_t) {
                    setNumberText(a, id::kFieldStatus, a.sound.extraHeaderBytes);
                }),
        command(id::kShowPositionRange,
                [](AppState& a, int, int32_t) {
                    setNumberText(a, id::kFieldStatus,
                                  static_cast<int32_t>(a.scroll.positionRange));
                }),
        command(id::kHelp, plain<openHelp>),
    };
}

}  // namespace pelkit
