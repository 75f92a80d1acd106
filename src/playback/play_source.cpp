#include "playback/play_source.h"

#include "files/file_names.h"
#include "files/wav_format.h"
#include "state/app_state.h"

namespace pelkit {

uint32_t fileFrameSize(const MainSound& sound) {
    return sound.frameSize == 0 ? 1 : sound.frameSize;
}

bool playsConverted(const AppState& app) {
    return app.playback.convertTo16 && app.format.soundBitsPerSample == 24;
}

int32_t playedBits(const AppState& app) {
    return playsConverted(app) ? 16 : app.format.soundBitsPerSample;
}

bool reopenAtDataStart(MainSound& sound) {
    return OpenSoundStream(sound.playFileName, sound.playStream, nullptr, sound.dataOffset());
}

namespace {

// Starts the open play stream again at the first sample, as repeat play does at the end of the
// file. The stream already ends where the file's sound ends, so unless it failed on the disk it
// is rewound rather than opened and its header read again.
bool restartAtDataStart(AppState& app) {
    FileStream& stream = app.sound.playStream;
    if (!stream.isOpen() || stream.bad() || stream.path() != app.sound.playFileName) {
        return reopenAtDataStart(app.sound);
    }
    stream.clear();
    return stream.seek(app.sound.dataOffset());
}

// Bytes the read asks of the file: whole frames of readSize, or of 1.5 x readSize for 24-bit
// sound played converted, never more than copyBuffer holds.
uint32_t readAmount(const AppState& app) {
    uint32_t frame = fileFrameSize(app.sound);
    uint64_t want = app.playback.readSize;
    if (playsConverted(app)) want = static_cast<uint64_t>(static_cast<long double>(want) * 1.5L);
    uint64_t capacity =
        app.ring.copyBuffer ? app.ring.copyBuffer.size() : app.blocks.copyBufferSize;
    if (want > capacity) want = capacity;
    return static_cast<uint32_t>(frame * (want / frame));
}

// Moves to the next numbered file of a split recording; false when there is none.
bool advanceToNextFile(AppState& app) {
    NextNumbered next = NextNumberedFile(app.sound.fileName);
    if (!next.exists) return false;
    app.sound.fileName = app.sound.playFileName = next.name;
    reopenAtDataStart(app.sound);
    return true;
}

enum class FileEnd { Restart, NextFile, End };

// What playback does when the file has no more sound: start it again (repeat), go on into the
// next numbered file (continuous play), or end. MIDREAD: the end was met inside a block's read,
// where a reverse play or a read error cannot go on into the next file.
FileEnd fileEndAction(const PlaybackState& pb, bool midRead, bool readError) {
    if (pb.repeatMode == RepeatMode::Repeat) return FileEnd::Restart;
    if (pb.continuousPlay && !(midRead && (pb.reversePlay || readError))) return FileEnd::NextFile;
    return FileEnd::End;
}

// Keeps the two high-order bytes of every 24-bit sample of the GOT bytes at COPY, packed from
// the start; returns the bytes left.
uint32_t reduceTo16(uint8_t* copy, uint32_t got) {
    if (got < 6) return 0;
    uint32_t groups = got / 3;
    for (uint32_t g = 0; g < groups; ++g) {
        copy[2 * g] = copy[3 * g + 1];
        copy[2 * g + 1] = copy[3 * g + 2];
    }
    return static_cast<uint32_t>(static_cast<uint64_t>(got) * 2 / 3);
}

}  // namespace

void PlaySource::skipMarks(BlockOutcome& out) {
    PlaybackState& pb = app_.playback;
    MainSound& s = app_.sound;
    SkipList& skips = pb.skips;
    if (!pb.skipMode || pb.skipExhausted || skips.pairCount() < 1 ||
        skips.cursor()->mark.start >= s.position) {
        return;
    }
    uint32_t frame = fileFrameSize(app_.sound);
    out.skipped = true;
    out.skippedFrom = skips.cursor()->mark.start;
    s.position = frame * (skips.cursor()->mark.end / frame);
    int32_t index = skips.cursorIndex() + 1;
    skips.placeCursor(index < skips.pairCount() ? index : skips.pairCount());
    if (!skips.cursor()->next) pb.skipExhausted = true;
}

void PlaySource::stepBack() {
    if (!app_.playback.reversePlay) return;
    FileStream& stream = app_.sound.playStream;
    // The header is never played as sound.
    int64_t here = stream.tell();
    uint32_t back = readAmount(app_);
    if (here < 0 || here - static_cast<int64_t>(back) < app_.sound.dataOffset()) {
        app_.modes.stopRequested = true;
    } else {
        stream.seek(-static_cast<int64_t>(back), FileStream::Origin::Current);
        if (stream.fail()) app_.modes.stopRequested = true;
    }
}

void PlaySource::rangeEnd() {
    PlaybackState& pb = app_.playback;
    MainSound& s = app_.sound;
    if (!pb.rangeMode || s.position + pb.readSize <= pb.rangeEnd) return;
    if (pb.repeatMode == RepeatMode::Once) {
        app_.modes.stopRequested = true;
    } else {
        s.position = pb.rangeStart;
        s.playStream.seek(s.dataOffset() + pb.rangeStart);
    }
}

bool PlaySource::fileEnded(BlockOutcome& out) {
    MainSound& s = app_.sound;
    if (!s.playStream.eof()) return false;
    switch (fileEndAction(app_.playback, false, false)) {
        case FileEnd::Restart:
            restartAtDataStart(app_);
            s.position = 0;
            return false;
        case FileEnd::NextFile:
            if (advanceToNextFile(app_)) {
                out.switchedFile = true;
            } else {
                app_.modes.stopRequested = true;
            }
            s.position = 0;
            return false;
        case FileEnd::End:
            break;
    }
    return true;
}

SourceRead PlaySource::read(bool skipped) {
    PlaybackState& pb = app_.playback;
    MainSound& s = app_.sound;
    if (skipped) s.playStream.seek(s.dataOffset() + s.position);
    uint32_t n = readAmount(app_);

    uint8_t* copy = app_.ring.copyBuffer.data();
    auto got = static_cast<uint32_t>(s.playStream.read(copy, n));
    SourceRead result;
    if (s.playStream.fail()) {
        FileEnd action =
            fileEndAction(app_.playback, true, s.playStream.bad() || !s.playStream.eof());
        if (action == FileEnd::NextFile && advanceToNextFile(app_)) {
            // Continuous play goes straight on into the next part, so the parts join
            // seamlessly; the position counts from the next part's start.
            s.position = 0;
            result.switched = true;
            result.beforeSwitch = playsConverted(app_) ? got / 3 * 2 : got;
            got += static_cast<uint32_t>(s.playStream.read(copy + got, n - got));
            if (s.playStream.fail()) action = FileEnd::End;
        }
        if (s.playStream.fail()) {
            if (action == FileEnd::Restart) {
                restartAtDataStart(app_);
            } else {
                reopenAtDataStart(app_.sound);
            }
            s.position = 0;
            if (action != FileEnd::Restart) app_.modes.stopRequested = true;
        }
    }
    pb.bytesRead = playsConverted(app_) ? reduceTo16(copy, got) : got;
    if (pb.bytesRead == 0) app_.modes.stopRequested = true;
    result.fromFile = got;
    result.wasShort = got < readAmount(app_);
    if (result.beforeSwitch > pb.bytesRead) result.beforeSwitch = pb.bytesRead;
    return result;
}

void PlaySource::stepBackOver(uint32_t bytes) {
    app_.sound.playStream.seek(-static_cast<int64_t>(bytes), FileStream::Origin::Current);
}

}  // namespace pelkit
