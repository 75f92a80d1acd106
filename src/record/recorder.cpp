#include "record/recorder.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "files/disk_sync.h"
#include "files/file_names.h"
#include "files/settings_file.h"
#include "files/wav_format.h"
#include "resources/control_ids.h"
#include "services/services.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

bool deviceBusy(AppState& app) {
    return app.modes.playing || app.modes.recording || app.platform.out.isOpen() ||
           app.platform.in.isOpen();
}

void fillDeviceFormat(FormatSettings& f) {
    f.deviceFormat = makeWaveFormat(f.formatTag, f.channels, f.samplesPerSecond, f.bitsPerSample);
}

// Stops the take after a failed write; the take is finished with what reached the file.
void stopAfterWriteFailure(AppState& app) {
    RecorderState& r = app.recorder;
    if (r.writeFailed) return;
    r.writeFailed = true;
    app.modes.stopRequested = true;
    app.platform.in.reset();
}

// The size field follows the bytes that reached the file.
void showTakeSize(AppState& app) {
    setNumberWithUnit(app, id::kFieldSize, static_cast<int64_t>(app.services.take.bytesWritten()),
                      "");
}

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    return std::filesystem::absolute(path, ec).string();
}

// A take can begin only on a temporary file this run may write: another program's folder, or a
// file that cannot be created, is refused before the device opens.
bool takeFileUsable(AppState& app) {
    TakeWriter& take = app.services.take;
    if (!take.blocked().empty()) {
        showWarning(app, take.blocked());
        return false;
    }
    if (take.ready() || take.prepare(false)) return true;
    showWarning(app, "Cannot record: the record file " + absolutePath(take.tempName()) +
                         " cannot be written (" + errorText(take.errorCode()) +
                         "). Nothing was recorded.");
    return false;
}

// What the user is told after a take whose writes failed: what failed, and where the sound that
// reached the disk now is, or that there is none.
std::string writeFailureText(const TakeFinish& result, int err, const std::string& temp) {
    std::string why = err ? errorText(err) : "is the disk full?";
    if (result.savedAs.empty()) {
        return "Recording failed: the record file " + absolutePath(temp) +
               " could not be written (" + why + "). Nothing was recorded.";
    }
    std::string where;
    for (const std::string& name : result.savedAs)
        where += (where.empty() ? "" : ", ") + absolutePath(name);
    return "Recording stopped: the record file could not be written (" + why +
           "). What was recorded is kept in " + where + ".";
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Whether the next take goes on with the paused one: the same file and format, and its files
// still where the pause left them.
bool canResume(AppState& app) {
    const RecorderState::PausedTake& p = app.recorder.paused;
    if (!app.modes.recordPaused || p.fileName.empty() || p.fileName != app.sound.fileName) {
        return false;
    }
    const FormatSettings& f = app.format;
    if (!(p.format ==
          makeWaveFormat(f.formatTag, f.channels, f.samplesPerSecond, f.bitsPerSample))) {
        return false;
    }
    for (int32_t i = 0; i <= p.at.parts; ++i) {
        const std::string name = i == 0 ? p.fileName : NumberedName(p.fileName, i);
        if (WavDataSize(name) == 0) return false;
    }
    const std::string last = p.at.parts == 0 ? p.fileName : NumberedName(p.fileName, p.at.parts);
    return fileLength(last) >= p.at.offset;
}

// A new take is finished into the current file and its numbered names: when any of them holds
// sound, the user says whether it may be replaced. On OK the numbered parts are noted, so that
// those the new take does not replace go with the old take.
bool approveReplacement(AppState& app) {
    RecorderState& r = app.recorder;
    const std::string& name = app.sound.fileName;
    if (!r.approvedFor.empty() && r.approvedFor == name) {
        r.approvedFor.clear();
        return true;
    }
    r.approvedFor.clear();
    std::vector<std::string> numbered = NumberedNamesOnDisk(name);
    std::vector<std::string> holding;
    if (WavDataSize(name) > 0) holding.push_back(name);
    for (const std::string& part : numbered) {
        if (WavDataSize(part) > 0) holding.push_back(part);
    }
    r.olderParts.clear();
    if (holding.empty()) {
        r.olderParts = std::move(numbered);
        return true;
    }
    std::string names = holding.front();
    if (holding.size() == 2) names += " and " + fileNameOf(holding.back());
    if (holding.size() > 2) {
        names += ", " + fileNameOf(holding[1]) + (holding.size() > 3 ? " ... " : " and ") +
                 fileNameOf(holding.back()) + " (" + std::to_string(holding.size()) + " files)";
    }
    const std::string text = "The new recording will replace " + names + ", which already hold" +
                             (holding.size() == 1 ? "s" : "") +
                             " sound. OK records over it; Cancel keeps it and records nothing.";
    if (app.ui().messageBox(app.windows.mainDialog, text, kCaption, BoxIcon::Warning,
                            BoxButtons::OkCancel) != BoxAnswer::Ok) {
        return false;
    }
    r.olderParts = std::move(numbered);
    return true;
}

// The settings file must say where a take goes before it starts: a take cut off by a crash is
// finished into that name at the next start.
bool noteTakeInSettings(AppState& app) {
    SettingsFile settings(app.settingsPath);
    std::string problem;
    // A value the file holds already is not written again.
    auto note = [&](const char* key, const std::string& value) {
        return (settings.readProblem().empty() && settings.readString("init", key, "") == value) ||
               settings.writeString("init", key, value, &problem);
    };
    if (note("endstatus", "start") && note("file", app.sound.fileName)) return true;
    showWarning(app, "Cannot record: the settings file " + absolutePath(app.settingsPath) +
                         " cannot be written (" + problem +
                         "), so a recording cut off by a crash could not be recovered. Nothing "
                         "was recorded.");
    return false;
}

}  // namespace

bool allocateBlockBuffers(AppState& app) {
    bool ok = true;
    for (ByteBuffer& b : app.ring.buffers)
        ok = b.allocate(app.blocks.blockSize) && ok;
    if (!ok) {
        app.ring.release();
        showWarning(app, "Error allocating memory!");
    }
    return ok;
}

void recordStart(AppState& app) {
    // The block buffers are shared with playback: never touch them while a device holds them.
    if (deviceBusy(app)) return;
    RecorderState& r = app.recorder;
    ModeFlags& m = app.modes;
    if (!m.levelCheck && !takeFileUsable(app)) return;
    readFormatFields(app);
    r.resuming = false;
    r.resumeFailed = false;
    if (!m.levelCheck) {
        // After a pause the take goes on; any other take may replace sound only when asked.
        r.resuming = canResume(app);
        if (!r.resuming && !approveReplacement(app)) return;
        if (!noteTakeInSettings(app)) return;
        app.sound.playStream.close();
        app.blocks.blockSize = app.blocks.chosenBlockSize;
    }
    app.blocks.streamBlockSize = app.blocks.blockSize;

    setStatusText(app, id::kFieldStatus, "recording");
    if (m.loopRecording) setStatusText(app, id::kFieldStatus, "loop recording");
    if (m.levelCheck) setStatusText(app, id::kFieldStatus, "level check");
    armRecordControls(app);

    if (!m.standby) {
        if (!allocateBlockBuffers(app)) return;
    } else if (!app.ring.allHeld() || app.ring.buffers[0].size() != app.blocks.blockSize) {
        // Standby buffers of another size would not match the headers' length.
        if (!allocateBlockBuffers(app)) return;
    }
    setBitsButtons(app, false);

    FormatSettings& f = app.format;
    f.soundBitsPerSample = f.bitsPerSample;
    fillDeviceFormat(app.format);
    if (!app.platform.in.open(f.deviceFormat)) {
        app.ring.release();
        showWarning(app, "Error opening waveform audio!");
        return;
    }
    r.takeWriteMode = m.writeMode;
    r.writeFailed = false;
    for (int i = 0; i < kBlockCount; ++i) {
        WaveHeader& h = app.ring.headers[i];
        h = WaveHeader{};
        h.data = app.ring.buffers[i].data();
        h.bufferLength = app.blocks.blockSize;
        h.loops = 1;
        app.platform.in.prepare(h);
    }
}

void onInputOpen(AppState& app) {
    RecorderState& r = app.recorder;
    if (!app.ring.copyBuffer.allocate(app.blocks.copyBufferSize)) {
        showWarning(app, "Error allocating memory!");
    }
    // A take that goes on after a pause counts on from where it stood.
    app.sound.position =
        r.resuming ? static_cast<uint32_t>(std::min<uint64_t>(r.paused.at.written, UINT32_MAX)) : 0;
    updateByteRate(app);
    showRecording(app);
    app.ui().focus(app.windows.mainDialog,
                   app.modes.levelCheck ? id::kLevelCheck : id::kRecordStop);
    for (WaveHeader& h : app.ring.headers)
        app.platform.in.add(h);
    app.modes.recording = true;
    app.modes.stopRequested = false;
    app.platform.in.start();
    if (app.modes.levelCheck) return;
    const auto mode =
        r.takeWriteMode == WriteMode::Disk ? TakeWriter::Mode::Threaded : TakeWriter::Mode::Direct;
    if (r.resuming) {
        std::string problem = app.services.take.resume(
            app.sound.fileName, r.paused.at, app.format.deviceFormat, mode, app.platform.queue);
        if (problem.empty()) return;
        // The paused take stays as it was; nothing of this opening is written.
        r.resumeFailed = true;
        app.modes.stopRequested = true;
        app.platform.in.reset();
        showWarning(app, "The paused recording " + absolutePath(app.sound.fileName) +
                             " could not be continued (" + problem +
                             "). It is kept as it was; nothing more was recorded.");
        return;
    }
    if (!app.services.take.begin(app.format.deviceFormat, mode, app.platform.queue)) {
        stopAfterWriteFailure(app);
    }
}

bool onInputData(AppState& app, WaveHeader& header) {
    RecorderState& r = app.recorder;
    ModeFlags& m = app.modes;
    uint32_t count = header.bytesRecorded;
    if (!m.levelCheck && !r.resumeFailed) {
        if (m.loopRecording && app.sound.position > r.loopSize) {
            app.services.take.rewind();
            app.sound.position = 0;
        }
        // In the "HDD" mode the block goes back to the device once its copy is on disk.
        app.services.take.append(header.data, count, &header);
        if (app.services.take.mode() == TakeWriter::Mode::Direct && app.services.take.failed()) {
            stopAfterWriteFailure(app);
        }
        // Blocks that come back after a stop or pause count only what they hold, so the time
        // shown ends at the take as written.
        app.sound.position += m.stopRequested ? count : app.blocks.blockSize;
        showTime(app, app.sound.position);
        if (app.services.take.mode() == TakeWriter::Mode::Direct) showTakeSize(app);
    }
    // A block that arrives after the stop is not shown any more.
    return (m.levelCheck || app.display.showWhileRecording) && !m.stopRequested;
}

void requeueInputBlock(AppState& app, WaveHeader& header) {
    bool atWriter = !app.modes.levelCheck && !app.recorder.resumeFailed &&
                    app.services.take.mode() == TakeWriter::Mode::Threaded;
    if (app.modes.stopRequested) {
        app.platform.in.close();
    } else if (!atWriter) {
        app.platform.in.add(header);
    }
}

void onRecordWritten(AppState& app, WaveHeader& header) {
    RecorderState& r = app.recorder;
    if (app.services.take.failed()) stopAfterWriteFailure(app);
    if (!r.closing) showTakeSize(app);
    if (!app.modes.recording || !app.platform.in.isOpen()) return;
    if (app.modes.stopRequested) {
        // A stop that came while every block was at the writer returned nothing from the
        // device: the take ends here, once no block is left queued.
        app.platform.in.close();
        return;
    }
    app.platform.in.add(header);
}

void onInputClose(AppState& app) {
    app.ring.displayData = app.ring.displayBuffer.data();
    for (WaveHeader& h : app.ring.headers)
        app.platform.in.unprepare(h);
    app.ring.release();
    app.modes.standby = false;
    app.recorder.closing = true;
}

bool takeWritesPending(const Services& services) {
    return services.take.inFlight() > 0 || services.take.finishing();
}

bool startTakeFinish(AppState& app) {
    RecorderState& r = app.recorder;
    r.closing = false;
    app.services.take.stopThread();
    if (app.services.take.failed()) r.writeFailed = true;

    invalidateWaveforms(app);
    showRecordStopped(app);
    if (app.modes.levelCheck) {
        app.modes.levelCheck = false;
        return false;
    }
    fillDeviceFormat(app.format);
    const bool unchanged = r.resumeFailed;
    r.resumeFailed = false;
    if (unchanged) {
        // Nothing of this opening was written, and the paused take may still go on.
        app.services.take.prepare(false);
        return false;
    }
    app.services.take.finishInBackground(app.sound.fileName, app.platform.queue, r.olderParts);
    r.olderParts.clear();
    r.paused = {};
    if (app.modes.recordPaused) {
        r.paused.fileName = app.sound.fileName;
        r.paused.format = app.format.deviceFormat;
        r.paused.at = app.services.take.endPosition();
    }
    return true;
}

TakeFinish completeTakeFinish(AppState& app) {
    RecorderState& r = app.recorder;
    TakeFinish result = app.services.take.collectFinish();
    // Only a take whose every file reached its name can go on after a pause.
    if (!result.firstMoved || result.dataSize == 0 || !result.warnings.empty() ||
        result.savedAs.size() != static_cast<size_t>(r.paused.at.parts) + 1) {
        r.paused = {};
    }
    app.sound.dataSize = static_cast<uint32_t>(std::min<uint64_t>(result.dataSize, UINT32_MAX));
    if (result.emptyPart) setStatusText(app, id::kFieldStatus, "zero");
    for (const std::string& warning : result.warnings)
        showWarning(app, warning);
    if (r.writeFailed)
        showWarning(app, writeFailureText(result, result.writeError, result.tempPath));
    return result;
}

void showTakeEnded(AppState& app) {
    RecorderState& r = app.recorder;
    r.writeFailed = false;
    if (app.sound.dataSize > 0) showPlayable(app);
    app.modes.recording = false;
}

void onInputError(AppState& app) {
    if (!app.modes.recording && !app.platform.in.isOpen()) return;
    recordStop(app);
    showWarning(app,
                "The sound input stopped working (is the sound server running?). The "
                "recording was stopped; what was recorded is kept.");
}

void recordStop(AppState& app) {
    app.modes.loopRecording = false;
    app.modes.standby = false;
    setStatusText(app, id::kFieldStatus, "rec.end");
    app.modes.stopRequested = true;
    app.sound.position = 0;
    app.modes.recordPaused = false;
    app.recorder.approvedFor.clear();
    app.platform.in.reset();
}

void recordPause(AppState& app) {
    setStatusText(app, id::kFieldStatus, "rec.pause");
    app.modes.stopRequested = true;
    app.modes.recordPaused = true;
    app.platform.in.reset();
}

void bufferReset(AppState& app) {
    // While a take runs the record file belongs to it.
    if (app.modes.recording || app.platform.in.isOpen()) return;
    armRecordControls(app);
    fillDeviceFormat(app.format);
    app.sound.dataSize = 0;
    app.services.take.prepare(false);
}

void enterStandby(AppState& app) {
    if (app.modes.levelCheck || deviceBusy(app)) return;
    RecorderState& r = app.recorder;
    // The question of a take that would replace sound comes before the wait, not at its end.
    if (!canResume(app)) {
        if (!approveReplacement(app)) return;
        r.approvedFor = app.sound.fileName;
    }
    app.blocks.blockSize = app.blocks.chosenBlockSize;
    app.blocks.streamBlockSize = app.blocks.blockSize;
    if (allocateBlockBuffers(app)) {
        app.modes.standby = true;
        setStatusText(app, id::kFieldStatus, "standby");
    }
}

void toggleLevelCheck(AppState& app) {
    if (app.modes.playing) return;
    if (app.modes.levelCheck) {
        // A level check between a pause and the next record leaves the paused take paused.
        const bool paused = app.modes.recordPaused;
        sendCommand(app, id::kRecordStop);
        app.modes.recordPaused = paused;
        app.blocks.blockSize = app.blocks.chosenBlockSize;
        // A level check whose device never opened has no close to end it.
        if (!app.platform.in.isOpen()) app.modes.levelCheck = false;
    } else {
        app.modes.levelCheck = true;
        app.blocks.blockSize = app.blocks.levelCheckBlockSize;
        sendCommand(app, id::kRecord);
        if (!app.platform.in.isOpen()) {
            app.modes.levelCheck = false;
            app.blocks.blockSize = app.blocks.chosenBlockSize;
        }
    }
}

}  // namespace pelkit
