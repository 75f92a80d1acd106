#include "record/recorder.h"

#include <cstring>

#include "app/main_sound.h"
#include "app/startup.h"
#include "display/waveform.h"
#include "files/file_names.h"
#include "files/settings_file.h"
#include "files/wav_format.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

bool deviceBusy(AppState& app) {
    return app.modes.playing || app.modes.recording || app.platform.out.isOpen() ||
           app.platform.in.isOpen();
}

bool allBuffersHeld(AppState& app) {
    for (ByteBuffer& b : app.ring.buffers) {
        if (!b) return false;
    }
    return true;
}

void releaseBuffers(AppState& app) {
    for (ByteBuffer& b : app.ring.buffers)
        b.release();
    for (WaveHeader& h : app.ring.headers)
        h.data = nullptr;
    app.ring.processBuffer = app.ring.placeholder;
}

void fillDeviceFormat(AppState& app) {
    FormatSettings& f = app.format;
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

// Appends the recorded bytes in "mem" mode, moving on to a new numbered part at partLimit.
void writeBlockHere(AppState& app, const uint8_t* data, uint32_t count) {
    RecorderState& r = app.recorder;
    if (count > 0 && !r.recordStream.write(data, count)) {
        stopAfterWriteFailure(app);
        return;
    }
    r.bytesInPart += count;
    if (r.bytesInPart > r.partLimit - count) {
        r.partIndex += 1;
        r.recordStream.close();
        r.recordStream.open(NumberedName(r.tempFileName, r.partIndex),
                            FileStream::Mode::WriteTruncate);
        if (!WriteWavHeader(r.recordStream, app.format.deviceFormat, 0)) {
            stopAfterWriteFailure(app);
        }
        r.recordStream.seek(kCanonicalHeaderSize);
        r.bytesInPart = 0;
    }
}

}  // namespace

bool allocateBlockBuffers(AppState& app) {
    bool ok = true;
    for (ByteBuffer& b : app.ring.buffers)
        ok = b.allocate(app.blocks.blockSize) && ok;
    if (!ok) {
        releaseBuffers(app);
        showWarning(app, "Error allocating memory!");
    }
    return ok;
}

void recordStart(AppState& app) {
    // The block buffers are shared with playback: never touch them while a device holds them.
    if (deviceBusy(app)) return;
    RecorderState& r = app.recorder;
    ModeFlags& m = app.modes;
    readFormatFields(app);
    r.bytesInPart = 0;
    r.partIndex = 0;
    if (!m.levelCheck) {
        app.sound.playStream.close();
        app.blocks.blockSize = app.blocks.chosenBlockSize;
    }
    app.blocks.streamBlockSize = app.blocks.blockSize;

    setStatusText(app, id::kFieldStatus, "recording");
    SettingsFile(app.settingsPath).writeString("init", "file", app.sound.fileName);
    if (m.loopRecording) setStatusText(app, id::kFieldStatus, "loop recording");
    if (m.levelCheck) setStatusText(app, id::kFieldStatus, "level check");
    armRecordControls(app);

    if (!m.standby) {
        if (!allocateBlockBuffers(app)) return;
    } else if (!allBuffersHeld(app) || app.ring.buffers[0].size() != app.blocks.blockSize) {
        // Standby buffers of another size would not match the headers' length.
        if (!allocateBlockBuffers(app)) return;
    }
    setBitsButtons(app, false);

    FormatSettings& f = app.format;
    f.soundBitsPerSample = f.bitsPerSample;
    fillDeviceFormat(app);
    if (!app.platform.in.open(f.deviceFormat)) {
        releaseBuffers(app);
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
    app.sound.position = 0;
    updateByteRate(app);
    showRecording(app);
    app.ui().focus(app.windows.mainDialog,
                   app.modes.levelCheck ? id::kLevelCheck : id::kRecordStop);
    for (WaveHeader& h : app.ring.headers)
        app.platform.in.add(h);
    app.modes.recording = true;
    app.modes.stopRequested = false;
    app.platform.in.start();
    if (!app.modes.levelCheck) {
        WriteWavHeader(r.recordStream, app.format.deviceFormat, 0);
        r.recordStream.close();
        r.recordStream.open(r.tempFileName, FileStream::Mode::AppendKeep);
        if (r.takeWriteMode == 1) {
            r.writer.clearFailure();
            r.writer.start(r.recordStream, app.platform.queue, r.writesInFlight);
        }
    }
}

void onInputData(AppState& app, WaveHeader& header) {
    RecorderState& r = app.recorder;
    ModeFlags& m = app.modes;
    uint32_t count = header.bytesRecorded;
    bool handedOff = false;
    if (!m.levelCheck) {
        if (m.loopRecording && app.sound.position > r.loopSize) {
            if (r.takeWriteMode == 1) {
                r.writer.seek(kCanonicalHeaderSize);
            } else {
                r.recordStream.seek(kCanonicalHeaderSize);
            }
            app.sound.position = 0;
        }
        if (app.ring.copyBuffer && count <= app.ring.copyBuffer.size()) {
            std::memcpy(app.ring.copyBuffer.data(), header.data, count);
        }
        if (r.takeWriteMode == 1) {
            // The block goes back to the device once its copy has reached the file.
            r.writer.write(header.data, count, &header);
            handedOff = true;
        } else {
            writeBlockHere(app, header.data, count);
        }
        app.sound.position += app.blocks.blockSize;
        showTime(app, app.sound.position);
        setNumberWithUnit(app, id::kFieldSize, static_cast<int32_t>(app.sound.position), "");
    }
    if (m.levelCheck || app.display.showWhileRecording) {
        if (m.stopRequested) {
            app.platform.in.close();
            return;
        }
        onRecordBlock(app, header.data, header.bufferLength);
    }
    if (m.stopRequested) {
        app.platform.in.close();
    } else if (!handedOff) {
        app.platform.in.add(header);
    }
}

void onRecordWritten(AppState& app, WaveHeader& header) {
    if (app.recorder.writer.failed()) stopAfterWriteFailure(app);
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
    RecorderState& r = app.recorder;
    app.ring.displayData = app.ring.displayBuffer.data();
    for (WaveHeader& h : app.ring.headers)
        app.platform.in.unprepare(h);
    releaseBuffers(app);
    app.modes.standby = false;

    while (r.writesInFlight > 0) {
        r.writer.waitIdle(100);
        app.platform.clock.sleepMs(100);
    }
    app.platform.clock.sleepMs(1000);
    r.writer.stop();
    if (r.writer.failed()) r.writeFailed = true;

    invalidateWaveforms(app);
    showRecordStopped(app);
    if (app.modes.levelCheck) {
        app.modes.levelCheck = false;
    } else {
        r.recordStream.close();
        fillDeviceFormat(app);
        app.sound.dataSize =
            FinishRecordedFiles(app, app.format.deviceFormat, app.sound.fileName, r.partIndex);
        app.sound.reopenPlayStream();
        setNumberWithUnit(app, id::kFieldSize, static_cast<int32_t>(app.sound.dataSize), "");
        showTime(app, app.sound.dataSize);
        readMainHeader(app, app.sound.fileName);
        r.recordStream.open(r.tempFileName, app.modes.recordPaused
                                                ? FileStream::Mode::AppendKeep
                                                : FileStream::Mode::WriteTruncate);
        if (r.writeFailed) {
            showWarning(app,
                        "Recording stopped: the record file could not be written (is the "
                        "disk full?). What was recorded is kept in " +
                            app.sound.fileName + ".");
        }
    }
    r.writeFailed = false;
    if (app.sound.dataSize > 0) showPlayable(app);
    app.modes.recording = false;
    if (app.modes.exitPending) closeMainWindow(app);
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
    app.recorder.recordStream.close();
    fillDeviceFormat(app);
    app.sound.dataSize = 0;
    app.recorder.recordStream.open(app.recorder.tempFileName, FileStream::Mode::WriteTruncate);
}

void enterStandby(AppState& app) {
    if (app.modes.levelCheck || deviceBusy(app)) return;
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
        sendCommand(app, id::kRecordStop);
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
