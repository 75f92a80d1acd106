#include "playback/playback.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dsp/speed_pitch.h"
#include "files/wav_format.h"
#include "playback/hq_stretch_stage.h"
#include "playback/live_play.h"
#include "playback/play_source.h"
#include "playback/play_stages.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/readouts.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

// Runs every listener of LIST with ARGS.
template <typename List, typename... Args>
void notify(const List& list, const Args&... args) {
    for (const auto& listener : list)
        listener(args...);
}

// Allocates the four blocks (zero-filled) and the copy buffer; false when memory runs out.
bool allocateBlocks(AppState& app) {
    bool allocated = true;
    for (ByteBuffer& b : app.ring.buffers)
        allocated = b.allocate(app.blocks.blockSize) && allocated;
    if (!allocated) return false;
    for (ByteBuffer& b : app.ring.buffers)
        std::memset(b.data(), 0, b.size());
    app.playback.activeHeaders = kBlockCount;
    return app.ring.copyBuffer.allocate(app.blocks.copyBufferSize);
}

void retireHeader(AppState& app, WaveHeader& header) {
    app.playback.activeHeaders -= 1;
    app.platform.out.unprepare(header);
    if (app.playback.activeHeaders <= 0) app.platform.out.close();
}

// The block of HEADER as the stages take it, after a read that obtained BYTESREAD.
PlayBlock blockToProcess(WaveHeader& header, uint32_t bytesRead, const SourceRead& read) {
    PlayBlock block;
    block.data = header.data;
    block.capacity = header.bufferLength;
    block.bytesRead = bytesRead;
    block.fromFile = read.fromFile;
    block.readWasShort = read.wasShort;
    return block;
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
                                            fileFrameSize(app.sound), app.blocks.copyBufferSize);
}

uint32_t processingFrameSize(const AppState& app) {
    if (playsConverted(app)) return static_cast<uint32_t>(app.format.channels) * 2;
    return fileFrameSize(app.sound);
}

WaveFormat playDeviceFormat(const AppState& app) {
    const FormatSettings& f = app.format;
    const int32_t deviceBits = playsConverted(app) ? 16 : f.soundBitsPerSample;
    return makeWaveFormat(f.formatTag, f.channels, f.samplesPerSecond, deviceBits);
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
    f.deviceFormat = playDeviceFormat(app);
    app.blocks.blockSize = playBlockSize(app, f.deviceFormat);
    reopenAtDataStart(app.sound);
    refreshFormatReadout(app);
    int64_t frame = int64_t{f.channels} * f.soundBitsPerSample / 8;
    app.sound.frameSize =
        frame > 0 ? static_cast<uint32_t>(std::min<int64_t>(frame, UINT32_MAX)) : 1;
    hintOutputLatency(app, f.deviceFormat);
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
    app.playback.repeatMode = RepeatMode::Once;
    app.sound.position = 0;
}

void toggleReverse(AppState& app) {
    app.playback.reversePlay = !app.playback.reversePlay;
    if (!app.modes.playing) playStart(app);
}

void toggleRepeat(AppState& app) {
    RepeatMode& repeat = app.playback.repeatMode;
    repeat = repeat == RepeatMode::Once ? RepeatMode::Repeat : RepeatMode::Once;
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

    if (!allocateBlocks(app)) {
        app.ring.release();
        showWarning(app, "Error allocating memory!");
        return false;
    }

    s.playStream.seek(s.dataOffset() + s.position);
    if (pb.reversePlay) s.playStream.seek(0, FileStream::Origin::End);
    if (pb.rangeMode) {
        s.playStream.seek(s.dataOffset() + pb.rangeStart);
        s.position = pb.rangeStart;
    }

    PlaySource source(app);
    PlayStages(app, source).reset();
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

namespace {

// The high-quality stretch still holds the end of the sound: one more block plays it out.
bool stretchTailPending(AppState& app) {
    return app.modes.playing && app.processing.hqStretch &&
           HqStretchStage::tailPending(app.hqStretch);
}

}  // namespace

BlockOutcome BlockRefill(AppState& app, WaveHeader& header) {
    PlaybackState& pb = app.playback;
    MainSound& s = app.sound;
    PlaySource source(app);
    BlockOutcome out;

    // Skip marks; the position the readouts show for this block.
    source.skipMarks(out);
    out.shownPosition = s.position;
    notify(pb.listeners.started);

    // Reverse play steps back over the block; a range ends or starts again.
    source.stepBack();
    source.rangeEnd();

    app.ring.processBuffer = header.data;

    // A file that ended with the previous block: repeat, continuous play, or the end.
    bool ended = source.fileEnded(out);

    // Retire the block when playback is ending, unless the stretch still holds sound.
    const bool tail = stretchTailPending(app);
    if ((app.modes.stopRequested || ended) && !tail) {
        retireHeader(app, header);
        out.retired = true;
        return out;
    }

    // Read the block's sound (none while the stretch plays out its tail).
    SourceRead read = tail ? SourceRead{} : source.read(out.skipped);
    if (tail) pb.bytesRead = 0;
    out.switchedFile = out.switchedFile || read.switched;

    // Armed slots start, then the stages: speed and pitch, reverse, level, sub sounds.
    PlayBlock block = blockToProcess(header, pb.bytesRead, read);
    notify(pb.listeners.mixing, s.position);
    PlayStages(app, source).process(block);
    pb.outputLength = block.outputLength;
    out.levelReport = block.levelReport;
    notify(pb.listeners.processed, PlayedBlock{header.data, header.bufferLength, pb.outputLength});

    // Silence after the processed bytes.
    std::memset(header.data + pb.outputLength, 0, header.bufferLength - pb.outputLength);
    s.position += pb.bytesRead - read.beforeSwitch;

    // Hand the block to the device.
    app.platform.out.prepare(header);
    app.platform.out.write(header);
    notify(pb.listeners.queued, PlayedBlock{header.data, header.bufferLength, pb.outputLength});

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
}

void refillBlock(AppState& app, WaveHeader& header) {
    showBlockOutcome(app, BlockRefill(app, header));
    notify(app.playback.listeners.shown);
}

}  // namespace pelkit
