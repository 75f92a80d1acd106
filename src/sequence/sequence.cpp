#include "sequence/sequence.h"

#include <algorithm>

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
            if (!slot.assigned) continue;
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

}  // namespace

void saveSequence(AppState& app) {
    SequenceState& seq = app.sequence;
    if (!ChooseFile(app, FileKind::Sequence)) {
        showLoadError(app);
        setStatusText(app, id::kFieldSequenceStatus, app.sound.playFileName);
        return;
    }
    seq.chosen = true;
    // Only a sequence file is ever written: another file chosen by mistake is left alone.
    if (!HasExtension(app.chosenFile, "ts1")) {
        showWarning(app,
                    app.chosenFile + " is not a sequence file (.ts1): the sequence was not saved.");
        setStatusText(app, id::kFieldSequenceStatus, app.sound.playFileName);
        return;
    }
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
    setStatusText(app, id::kFieldSequenceStatus, app.sound.playFileName);
}

void openSequence(AppState& app) {
    if (!ChooseFile(app, FileKind::Sequence)) {
        showLoadError(app);
        return;
    }
    sendCommand(app, id::kReplaySequenceFile);
}

void recordSequence(AppState& app) {
    app.sequence.recording = true;
    if (!app.sequence.chosen) sendCommand(app, id::kSequenceSave);
}

void replaySequence(AppState& app) {
    if (app.subSounds) {
        app.subSounds->stopAll();
        app.subSounds->rewindAll();
    }
    app.sequence.replaying = true;
    sendCommand(app, id::kPlay);
}

bool loadSequenceSetup(AppState& app, std::optional<std::string>& mainFile) {
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
    SequenceRead read = readSequenceFile(path);
    if (!read.readable) {
        showWarning(app, read.message);
        return false;
    }
    app.modes.stopRequested = true;

    mainFile.reset();
    SkipList& skips = app.playback.skips;
    skips.reset();
    LevelSettings& level = app.level;
    for (const SequenceAction& a : read.actions) {
        switch (a.kind) {
            case SequenceActionKind::MainFile:
                mainFile = a.path;
                break;
            case SequenceActionKind::SlotFile:
                if (app.subSounds)
                    app.subSounds->entries[static_cast<size_t>(a.slot)].assign(a.path);
                break;
            case SequenceActionKind::SkipPair:
                setNumberText(app, id::kFieldSequenceStatus, skips.pairCount());
                skips.append(a.start, a.end);
                skips.pendingStart = a.start;
                break;
            case SequenceActionKind::Pan:
                level.previousPan = level.mainPan;
                level.mainPan = std::clamp(a.pan, -100.0f, 100.0f);
                showPan(app);
                break;
            case SequenceActionKind::ArmSlot:
                break;  // after every slot line, below
        }
    }
    // A saved performance: its slots start by themselves again at their positions.
    if (app.subSounds) {
        for (const SequenceAction& a : read.actions) {
            if (a.kind != SequenceActionKind::ArmSlot) continue;
            SubSoundSlot& slot = app.subSounds->entries[static_cast<size_t>(a.slot)];
            if (!slot.assigned) continue;
            slot.armed = true;
            slot.triggered = false;
            slot.startPosition = a.position;
        }
    }
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
