#include "playback/playback.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dsp/level_stage.h"
#include "dsp/speed_pitch.h"
#include "files/file_names.h"
#include "files/wav_format.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "state/mixing_turn.h"
#include "status/micro_edit_readouts.h"
#include "status/readouts.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

// Bytes per frame of the file being played.
uint32_t fileFrameSize(const AppState& app) {
    return app.sound.frameSize == 0 ? 1 : app.sound.frameSize;
}

bool converting(const AppState& app) {
    return app.playback.convertTo16 && app.format.soundBitsPerSample == 24;
}

// Bits per sample of the data the processing stages and the level bar see.
int32_t playedBits(const AppState& app) {
    return converting(app) ? 16 : app.format.soundBitsPerSample;
}

// Bytes the read stage asks of the file: whole frames of readSize, or of 1.5 x readSize for
// 24-bit sound played converted, never more than copyBuffer holds.
uint32_t readAmount(const AppState& app) {
    uint32_t frame = fileFrameSize(app);
    uint64_t want = app.playback.readSize;
    if (converting(app)) want = static_cast<uint64_t>(static_cast<long double>(want) * 1.5L);
    uint64_t capacity =
        app.ring.copyBuffer ? app.ring.copyBuffer.size() : app.blocks.copyBufferSize;
    if (want > capacity) want = capacity;
    return static_cast<uint32_t>(frame * (want / frame));
}

// Reopens the play stream on playFileName at the data offset.
bool reopenAtDataStart(AppState& app) {
    return OpenSoundStream(app.sound.playFileName, app.sound.playStream, nullptr,
                           app.sound.dataOffset());
}

void releaseBlockBuffers(AppState& app) {
    for (ByteBuffer& b : app.ring.buffers)
        b.release();
    // Nothing may keep pointing into the released blocks.
    app.ring.processBuffer = app.ring.placeholder;
    for (WaveHeader& h : app.ring.headers)
        h.data = nullptr;
}

void retireHeader(AppState& app, WaveHeader& header) {
    app.playback.activeHeaders -= 1;
    app.platform.out.unprepare(header);
    if (app.playback.activeHeaders <= 0) app.platform.out.close();
}

// Moves to the next numbered file of a split recording; false when there is none.
bool advanceToNextFile(AppState& app) {
    NextNumbered next = NextNumberedFile(app.sound.fileName);
    if (!next.exists) return false;
    app.sound.fileName = app.sound.playFileName = next.name;
    reopenAtDataStart(app);
    return true;
}

enum class FileEnd { Restart, NextFile, End };

// What playback does when the file has no more sound: start it again (repeat), go on into the
// next numbered file (continuous play), or end. MIDREAD: the end was met inside a block's read,
// where a reverse play or a read error cannot go on into the next file.
FileEnd fileEndAction(const AppState& app, bool midRead, bool readError) {
    const PlaybackState& pb = app.playback;
    if (pb.repeatMode == -1) return FileEnd::Restart;
    if (pb.continuousPlay && !(midRead && (pb.reversePlay || readError))) return FileEnd::NextFile;
    return FileEnd::End;
}

struct ReadResult {
    uint32_t fromFile = 0;      // bytes obtained from the file(s), before any conversion
    uint32_t beforeSwitch = 0;  // bytes of bytesRead that came from the previous file
    bool switched = false;      // the read went on into the next numbered file
};

// Reads the source bytes of one block into copyBuffer and sets bytesRead.
ReadResult readStage(AppState& app) {
    PlaybackState& pb = app.playback;
    MainSound& s = app.sound;
    uint32_t n = readAmount(app);

    uint8_t* copy = app.ring.copyBuffer.data();
    auto got = static_cast<uint32_t>(s.playStream.read(copy, n));
    ReadResult result;
    if (s.playStream.fail()) {
        FileEnd action = fileEndAction(app, true, s.playStream.bad() || !s.playStream.eof());
        if (action == FileEnd::NextFile && advanceToNextFile(app)) {
            // Continuous play goes straight on into the next part, so the parts join
            // seamlessly; the position counts from the next part's start.
            s.position = 0;
            result.switched = true;
            result.beforeSwitch = converting(app) ? got / 3 * 2 : got;
            got += static_cast<uint32_t>(s.playStream.read(copy + got, n - got));
            if (s.playStream.fail()) action = FileEnd::End;
        }
        if (s.playStream.fail()) {
            reopenAtDataStart(app);
            s.position = 0;
            if (action != FileEnd::Restart) app.modes.stopRequested = true;
        }
    }
    pb.bytesRead = got;
    if (converting(app) && got >= 6) {
        // Keep the two high-order bytes of every 24-bit sample.
        uint32_t groups = got / 3;
        for (uint32_t g = 0; g < groups; ++g) {
            copy[2 * g] = copy[3 * g + 1];
            copy[2 * g + 1] = copy[3 * g + 2];
        }
        pb.bytesRead = static_cast<uint32_t>(static_cast<uint64_t>(got) * 2 / 3);
    } else if (converting(app)) {
        pb.bytesRead = 0;
    }
    if (pb.bytesRead == 0) app.modes.stopRequested = true;
    result.fromFile = got;
    if (result.beforeSwitch > pb.bytesRead) result.beforeSwitch = pb.bytesRead;
    return result;
}

// Reverses the order of the 2-byte units of the block's first LENGTH bytes.
void reverseUnits(uint8_t* block, uint32_t length) {
    uint32_t units = length / 2;
    for (uint32_t i = 0, j = units - 1; units > 0 && i < j; ++i, --j) {
        std::swap(block[2 * i], block[2 * j]);
        std::swap(block[2 * i + 1], block[2 * j + 1]);
    }
}

// The first pair whose start lies beyond POSITION, or the pair count.
int32_t firstPairAfter(SkipList& list, uint32_t position) {
    int32_t index = 0;
    for (SkipNode* n = list.head(); n->next && index < list.pairCount(); n = n->next.get()) {
        if (n->mark.start > position) return index;
        ++index;
    }
    return list.pairCount();
}

}  // namespace

void recomputeReadSize(AppState& app) {
    app.playback.readSize = computeReadSize(app.blocks.blockSize, app.processing.speedFactor,
                                            fileFrameSize(app), app.blocks.copyBufferSize);
}

uint32_t processingFrameSize(const AppState& app) {
    if (converting(app)) return static_cast<uint32_t>(app.format.channels) * 2;
    return fileFrameSize(app);
}

void playStart(AppState& app) {
    // The block buffers stay with a take until it is finished.
    if (app.modes.playing || app.recorder.closing) return;
    // A file whose sound cannot be played is named, not sent to the device as noise.
    WavHeaderInfo header;
    const bool valid = ReadWavHeader(app.sound.playFileName, header);
    if (std::string why = playRefusal(app.sound.playFileName, header, valid); !why.empty()) {
        showWarning(app, why);
        return;
    }
    FormatSettings& f = app.format;
    app.blocks.blockSize = app.blocks.chosenBlockSize;
    reopenAtDataStart(app);
    int32_t deviceBits = converting(app) ? 16 : f.soundBitsPerSample;
    f.deviceFormat = makeWaveFormat(f.formatTag, f.channels, f.samplesPerSecond, deviceBits);
    refreshFormatReadout(app);
    int64_t frame = int64_t{f.channels} * f.soundBitsPerSample / 8;
    app.sound.frameSize =
        frame > 0 ? static_cast<uint32_t>(std::min<int64_t>(frame, UINT32_MAX)) : 1;
    if (!app.platform.out.open(f.deviceFormat)) {
        showWarning(app, "Error opening waveform audio!");
    } else {
        setStatusText(app, id::kFieldStatus, "playing");
    }
    app.playback.skipExhausted = false;
}

void playPauseToggle(AppState& app) {
    if (app.modes.playPaused) {
        app.platform.out.restart();
        app.modes.playPaused = false;
    } else {
        app.platform.out.pause();
        app.modes.playPaused = true;
    }
}

void playStop(AppState& app) {
    setStatusText(app, id::kFieldStatus, "stop");
    app.modes.stopRequested = true;
    app.modes.playing = false;
    for (WaveHeader& h : app.ring.headers)
        app.platform.out.unprepare(h);
    app.platform.out.reset();
    app.platform.out.close();
    showTime(app, app.sound.dataSize);
    app.playback.repeatMode = +1;
    app.sound.position = 0;
}

void toggleReverse(AppState& app) {
    app.playback.reversePlay = !app.playback.reversePlay;
    if (!app.modes.playing) playStart(app);
}

void toggleRepeat(AppState& app) {
    app.playback.repeatMode = -app.playback.repeatMode;
    if (!app.modes.playing) playStart(app);
}

void toggleRange(AppState& app) {
    PlaybackState& pb = app.playback;
    if (pb.rangeMode) {
        pb.rangeMode = false;
        app.ui().setText(app.windows.mainDialog, id::kRangeToggle, "full");
        return;
    }
    pb.rangeMode = true;
    app.ui().setText(app.windows.mainDialog, id::kRangeToggle, "start-end");
    uint32_t d = app.sound.dataSize;
    pb.rangeStart =
        (d / app.scroll.startRange) * static_cast<uint32_t>(app.scroll.startShown) & ~1u;
    pb.rangeEnd = (d / app.scroll.endRange) * static_cast<uint32_t>(app.scroll.endShown) & ~1u;
}

void skipMarkStart(AppState& app) {
    SkipList& list = app.playback.skips;
    list.pendingStart = app.sound.position;
    list.pairOpen = true;
}

void skipMarkEnd(AppState& app) {
    SkipList& list = app.playback.skips;
    uint32_t position = app.sound.position;
    if (list.pairOpen && list.pendingStart < position) {
        list.insertAtCursor(list.pendingStart, position);
    }
    list.pairOpen = false;
    char text[96];
    std::snprintf(text, sizeof text, "skip %d,%d, num %d", static_cast<int>(list.pendingStart),
                  static_cast<int>(position), static_cast<int>(list.pairCount()));
    setStatusText(app, id::kFieldStatus, text);
}

void toggleSkipMode(AppState& app) {
    app.playback.skipMode = !app.playback.skipMode;
    app.playback.skipExhausted = false;
}

void toggleContinuousPlay(AppState& app) {
    app.playback.continuousPlay = !app.playback.continuousPlay;
    app.playback.returnFileName = app.sound.fileName;
}

void requestConvertTo16(AppState& app) {
    if (app.format.bitsPerSample == 24) app.playback.convertTo16 = true;
}

bool onOutputOpen(AppState& app) {
    PlaybackState& pb = app.playback;
    MainSound& s = app.sound;
    pb.returnFileName = s.fileName;
    app.modes.stopRequested = false;
    app.modes.playing = true;

    pb.skips.placeCursor(firstPairAfter(pb.skips, s.position));
    recomputeReadSize(app);
    updateByteRate(app);
    showPlaying(app);
    pb.levelFullScale = playedBits(app) == 16 ? 32767 : 128;

    bool allocated = true;
    for (ByteBuffer& b : app.ring.buffers)
        allocated = b.allocate(app.blocks.blockSize) && allocated;
    if (!allocated) {
        releaseBlockBuffers(app);
        showWarning(app, "Error allocating memory!");
        return false;
    }
    for (ByteBuffer& b : app.ring.buffers)
        std::memset(b.data(), 0, b.size());

    pb.activeHeaders = kBlockCount;
    if (!app.ring.copyBuffer.allocate(app.blocks.copyBufferSize)) {
        releaseBlockBuffers(app);
        showWarning(app, "Error allocating memory!");
        return false;
    }

    s.playStream.seek(s.dataOffset() + s.position);
    if (pb.reversePlay) s.playStream.seek(0, FileStream::Origin::End);
    if (pb.rangeMode) {
        s.playStream.seek(s.dataOffset() + pb.rangeStart);
        s.position = pb.rangeStart;
    }

    for (int i = 0; i < kBlockCount; ++i) {
        WaveHeader& h = app.ring.headers[i];
        h = WaveHeader{};
        h.data = app.ring.buffers[i].data();
        h.bufferLength = app.blocks.blockSize;
        h.flags = kHeaderBeginLoop | kHeaderEndLoop;
        h.loops = 1;
        refillBlock(app, h);
    }
    setStatusText(app, id::kFieldStatus, "start");
    return true;
}

void onOutputDone(AppState& app, WaveHeader& header) {
    recomputeReadSize(app);
    refillBlock(app, header);
}

void onOutputClose(AppState& app) {
    app.modes.playPaused = false;
    app.modes.stopRequested = true;
    app.modes.playing = false;
    app.sound.position = 0;
    app.playback.reversePlay = false;
    app.sequence.recording = false;
    app.sequence.replaying = false;
}

void showPlaybackEnded(AppState& app) {
    showTime(app, app.sound.dataSize);
    showPlayStopped(app);
    app.sound.fileName = app.playback.returnFileName;
    setTitle(app, app.sound.fileName, app.titleText);
    app.sound.playFileName = app.sound.fileName;
    app.sound.reopenPlayStream();
}

void onOutputError(AppState& app) {
    if (!app.modes.playing && !app.platform.out.isOpen()) return;
    playStop(app);
    showWarning(app,
                "The sound output stopped working (is the sound server running?). "
                "Playback was stopped.");
}

BlockOutcome BlockRefill(AppState& app, WaveHeader& header) {
    PlaybackState& pb = app.playback;
    MainSound& s = app.sound;
    FileStream& stream = s.playStream;
    uint32_t frame = fileFrameSize(app);
    BlockOutcome out;

    // 1. Skip marks: jump over the pair ahead once the play position has passed its start.
    SkipList& skips = pb.skips;
    if (pb.skipMode && !pb.skipExhausted && skips.pairCount() >= 1 &&
        skips.cursor()->mark.start < s.position) {
        out.skipped = true;
        out.skippedFrom = skips.cursor()->mark.start;
        s.position = frame * (skips.cursor()->mark.end / frame);
        int32_t index = skips.cursorIndex() + 1;
        skips.placeCursor(index < skips.pairCount() ? index : skips.pairCount());
        if (!skips.cursor()->next) pb.skipExhausted = true;
    }

    // 2. The position the readouts show for this block; the sub sound setting dialog shows its
    // slot as the block begins.
    out.shownPosition = s.position;
    if (app.subSoundUi.settingWindow != kNoWindow) {
        sendCommand(app, id::kSubSoundSettingRefresh);
    }

    // 3. Reverse: step back over the block to be read; the header is never played as sound.
    if (pb.reversePlay) {
        int64_t here = stream.tell();
        uint32_t back = readAmount(app);
        if (here < 0 || here - static_cast<int64_t>(back) < s.dataOffset()) {
            app.modes.stopRequested = true;
        } else {
            stream.seek(-static_cast<int64_t>(back), FileStream::Origin::Current);
            if (stream.fail()) app.modes.stopRequested = true;
        }
    }

    // 4. Range end.
    if (pb.rangeMode && s.position + pb.readSize > pb.rangeEnd) {
        if (pb.repeatMode == +1) {
            app.modes.stopRequested = true;
        } else {
            s.position = pb.rangeStart;
            stream.seek(s.dataOffset() + pb.rangeStart);
        }
    }

    // 5.
    app.ring.processBuffer = header.data;

    // 6. A file that ended with the previous block: repeat, continuous play, or the end.
    bool ended = false;
    if (stream.eof()) {
        switch (fileEndAction(app, false, false)) {
            case FileEnd::Restart:
                reopenAtDataStart(app);
                s.position = 0;
                break;
            case FileEnd::NextFile:
                if (advanceToNextFile(app)) {
                    out.switchedFile = true;
                } else {
                    app.modes.stopRequested = true;
                }
                s.position = 0;
                break;
            case FileEnd::End:
                ended = true;
                break;
        }
    }

    // 7. Retire the block when playback is ending.
    if (app.modes.stopRequested || ended) {
        retireHeader(app, header);
        out.retired = true;
        return out;
    }

    // 8.
    if (out.skipped) stream.seek(s.dataOffset() + s.position);

    // 9. Read.
    ReadResult read = readStage(app);
    const uint32_t fromFile = read.fromFile;
    bool readWasShort = fromFile < readAmount(app);
    out.switchedFile = out.switchedFile || read.switched;

    // 10. Processing: speed and pitch, reverse, level stage, sub sounds.
    uint32_t f = processingFrameSize(app);
    pb.outputLength = computeOutputLength(pb.bytesRead, app.processing.speedFactor, f);
    if (pb.outputLength > header.bufferLength) pb.outputLength = header.bufferLength;
    SpeedPitchSettings settings{app.processing.speedFactor, app.processing.pitchFactor,
                                app.processing.pitchMode,   app.processing.processingUnit,
                                app.processing.seamLength,  f};
    if (pb.bytesRead > 0) {
        // A full read fills the whole block. The short read at the end of the file is mapped
        // onto just the output it makes: spread over the whole block, the segments would
        // replay their fronts and the end of every file would stutter.
        uint32_t target = readWasShort ? pb.outputLength : header.bufferLength;
        processSpeedPitch(app.ring.copyBuffer.data(), pb.bytesRead,
                          static_cast<uint32_t>(app.ring.copyBuffer.size()), header.data, target,
                          settings);
    }
    if (pb.reversePlay) {
        reverseUnits(header.data, pb.outputLength);
        stream.seek(-static_cast<int64_t>(fromFile), FileStream::Origin::Current);
    }
    bool report =
        applyLevelStage(app.level, app.reverbWork, header.data, pb.outputLength, playedBits(app));
    if (!app.level.reverbOn) out.levelReport = report;
    if (app.subSounds) {
        runMixingTurn(
            *app.subSounds,
            {header.data, pb.outputLength, playedBits(app), app.level.timesMode, s.position},
            {app.ring.copyBuffer.data(), app.ring.copyBuffer.size()});
    }

    // The wave micro edit's cursor counts the frames of this block; it stays inside them.
    ValueSlider& cursor = app.microEdit.sliders.cursor;
    setCursorRange(cursor, pb.outputLength);
    app.display.editCursor =
        std::min(app.display.editCursor, static_cast<uint32_t>(cursor.maximum));

    // 11. Zero tail.
    std::memset(header.data + pb.outputLength, 0, header.bufferLength - pb.outputLength);
    s.position += pb.bytesRead - read.beforeSwitch;

    // 12.
    app.platform.out.prepare(header);
    app.platform.out.write(header);

    // 13. Real-time capture: the whole block, as the sound card gets it.
    if (pb.realTimeOutput && app.edits.capture) {
        app.edits.capture->append(header.data, header.bufferLength);
    }

    out.bytesRead = pb.bytesRead;
    out.outputLength = pb.outputLength;
    return out;
}

void showBlockOutcome(AppState& app, const BlockOutcome& outcome) {
    if (outcome.skipped) {
        setNumberText(app, id::kFieldSequenceStatus, static_cast<int32_t>(outcome.skippedFrom));
    }
    showTime(app, outcome.shownPosition);
    showPlayProgress(app, outcome.shownPosition);
    if (outcome.switchedFile) setTitle(app, app.sound.fileName, app.titleText);
    if (outcome.levelReport) {
        setStatusText(app, id::kFieldLevelReport, *outcome.levelReport ? "+" : " ");
    }
    showCursorSlider(app);
}

void refillBlock(AppState& app, WaveHeader& header) {
    showBlockOutcome(app, BlockRefill(app, header));
}

}  // namespace pelkit
