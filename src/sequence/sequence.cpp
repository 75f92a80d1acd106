#include "sequence/sequence.h"

#include <algorithm>
#include <array>

#include "files/file_names.h"
#include "resources/control_ids.h"
#include "sequence/sequence_file.h"
#include "state/app_state.h"
#include "status/readouts.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

// The set-up a save writes.
SequenceSetup currentSetup(AppState& app) {
    SequenceSetup setup;
    setup.mainFile = app.sound.playFileName;
    if (app.subSounds) {
        for (int32_t i = 0; i < kSubSoundSlotCount; ++i) {
            const SubSoundSlot& slot = app.subSounds->entries[static_cast<size_t>(i)];
            // A slot started without a file has nothing to keep.
            if (!slot.assigned || slot.name.empty()) continue;
            setup.slots.push_back({i, slot.name});
            if (slot.armed) setup.arms.push_back({i, slot.startPosition});
        }
    }
    SkipList& skips = app.playback.skips;
    int32_t index = 0;
    for (SkipNode* n = skips.head(); n->next && index < skips.pairCount(); n = n->next.get()) {
        setup.pairs.push_back({n->mark.start, n->mark.end});
        ++index;
    }
    return setup;
}

// A sequence file's set-up as read. Only what the last line of each kind says is kept where
// later lines replace earlier ones.
struct LoadedSetup {
    std::optional<std::string> mainFile;
    std::array<std::optional<std::string>, kSubSoundSlotCount> slots;
    std::array<std::optional<uint32_t>, kSubSoundSlotCount> arms;
    SkipList skips;
    int32_t pans = 0;
    float pan = 0.0f, previousPan = 0.0f;
};

// One line of the file into the set-up.
void takeAction(LoadedSetup& loaded, SequenceAction&& a) {
    switch (a.kind) {
        case SequenceActionKind::MainFile:
            loaded.mainFile = std::move(a.path);
            break;
        case SequenceActionKind::SlotFile:
            loaded.slots[static_cast<size_t>(a.slot)] = std::move(a.path);
            break;
        case SequenceActionKind::SkipPair:
            loaded.skips.append(a.start, a.end);
            loaded.skips.pendingStart = a.start;
            break;
        case SequenceActionKind::Pan:
            loaded.previousPan = loaded.pan;
            loaded.pan = std::clamp(a.pan, -100.0f, 100.0f);
            ++loaded.pans;
            break;
        case SequenceActionKind::ArmSlot:
            loaded.arms[static_cast<size_t>(a.slot)] = a.position;
            break;
    }
}

// The slot files the set-up names are assigned; SLOTS lists their numbers.
void assignSlots(AppState& app, const LoadedSetup& loaded, std::vector<int32_t>& slots) {
    if (!app.subSounds) return;
    for (int32_t i = 0; i < kSubSoundSlotCount; ++i) {
        const std::optional<std::string>& name = loaded.slots[static_cast<size_t>(i)];
        if (!name) continue;
        app.subSounds->entries[static_cast<size_t>(i)].assign(*name);
        slots.push_back(i);
    }
}

// The last pan line becomes the main pan, the one before it (or the pan so far) the previous.
void applyPan(AppState& app, const LoadedSetup& loaded) {
    if (loaded.pans <= 0) return;
    LevelSettings& level = app.level;
    level.previousPan = loaded.pans > 1 ? loaded.previousPan : level.mainPan;
    level.mainPan = loaded.pan;
    showPan(app);
}

// A saved performance: its slots start by themselves again at their positions.
void armSlots(AppState& app, const LoadedSetup& loaded) {
    if (!app.subSounds) return;
    for (int32_t i = 0; i < kSubSoundSlotCount; ++i) {
        const std::optional<uint32_t>& position = loaded.arms[static_cast<size_t>(i)];
        SubSoundSlot& slot = app.subSounds->entries[static_cast<size_t>(i)];
        if (!position || !slot.assigned) continue;
        slot.armed = true;
        slot.triggered = false;
        slot.startPosition = *position;
        app.subSounds->armsWaiting = true;
    }
}

}  // namespace

void saveSequence(AppState& app) {
    SequenceState& seq = app.sequence;
    // A cancelled choice is no error: nothing is said or changed, and the next record asks
    // again.
    if (!ChooseFile(app, FileKind::SequenceToSave)) return;
    // Only a sequence file is ever written: another file chosen by mistake is left alone.
    if (!HasExtension(app.chosenFile, "ts1")) {
        showWarning(app,
                    app.chosenFile + " is not a sequence file (.ts1): the sequence was not saved.");
        showSequenceStatus(app);
        return;
    }
    seq.chosen = true;
    seq.outputPath = app.chosenFile;
    app.startTick = app.platform.clock.tickMs();
    setStatusText(app, id::kFieldSequenceStatus, "sequence recording.");

    SequenceText text = writeSequenceText(currentSetup(app));
    seq.output.close();
    seq.output.clear();
    bool written = !text.text.empty() &&
                   seq.output.open(seq.outputPath, FileStream::Mode::WriteTruncate) &&
                   seq.output.write(text.text.data(), text.text.size());
    // From now on the pan lines go to the end of this file.
    seq.output.close();
    if (written) written = seq.output.open(seq.outputPath, FileStream::Mode::AppendKeep);
    if (!written) {
        showWarning(app, "The sequence could not be saved in " + seq.outputPath + ".");
    } else if (!text.message.empty()) {
        showWarning(app, text.message);
    }
    showSequenceStatus(app);
}

void showSequenceStatus(AppState& app) {
    setStatusText(
        app, id::kFieldSequenceStatus,
        app.sequence.recording ? std::string("sequence recording.") : app.sound.playFileName);
}

void openSequence(AppState& app) {
    if (!ChooseFile(app, FileKind::Sequence)) return;
    sendCommand(app, id::kReplaySequenceFile);
}

void recordSequence(AppState& app) {
    app.sequence.recording = true;
    if (!app.sequence.chosen) sendCommand(app, id::kSequenceSave);
    showSequenceStatus(app);
}

void replaySequence(AppState& app) {
    if (app.subSounds) {
        app.subSounds->stopAll();
        app.subSounds->rewindAll();
    }
    app.sequence.replaying = true;
    sendCommand(app, id::kPlay);
}

bool loadSequenceSetup(AppState& app, SequenceLoad& result) {
    // While a take runs, the main file is where it will be finished.
    if (app.modes.recording || app.platform.in.isOpen()) {
        showWarning(app, "Stop the recording before opening a sequence.");
        return false;
    }
    const std::string path = app.chosenFile;
    if (!HasExtension(path, "ts1")) {
        showWarning(app, path + " is not a sequence file (.ts1); nothing was loaded.");
        return false;
    }
    // The whole file is read into this set-up first; it becomes the program's only once the
    // reading has reached the end, so a stop signal during a long read changes nothing.
    LoadedSetup loaded;
    auto take = [&loaded](SequenceAction&& a) { takeAction(loaded, std::move(a)); };
    SequenceRead read = scanSequenceFile(path, take, [&app] { return app.ui().stopPending(); });
    if (read.stopped) return false;  // the program is closing: nothing to tell
    if (!read.readable) {
        showWarning(app, read.message);
        return false;
    }
    app.modes.stopRequested = true;

    result.mainFile = std::move(loaded.mainFile);
    result.slots.clear();
    assignSlots(app, loaded, result.slots);
    // The status field shows the count of pairs before the last one, as it did while they were
    // read one by one.
    if (loaded.skips.pairCount() > 0)
        setNumberText(app, id::kFieldSequenceStatus, loaded.skips.pairCount() - 1);
    app.playback.skips = std::move(loaded.skips);
    applyPan(app, loaded);
    armSlots(app, loaded);
    if (!read.message.empty()) showWarning(app, read.message);
    return true;
}

void recordPanChange(AppState& app) {
    FileStream& out = app.sequence.output;
    if (!out.isOpen()) return;
    if (std::optional<std::string> line = sequencePanLine(app.level.mainPan)) {
        out.write(line->data(), line->size());
    }
}

}  // namespace pelkit
