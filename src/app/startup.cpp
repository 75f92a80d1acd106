#include "app/startup.h"

#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/commands.h"
#include "app/load_file.h"
#include "app/main_sound.h"
#include "app/scroll.h"
#include "dialogs/keyboard_dialog.h"
#include "dialogs/record_options.h"
#include "edit/file_edits.h"
#include "files/disk_sync.h"
#include "files/file_names.h"
#include "files/left_parts.h"
#include "files/settings_file.h"
#include "files/wav_format.h"
#include "formats/flac_takes.h"
#include "formats/loudness_window.h"
#include "marks/marks.h"
#include "playback/device_volume.h"
#include "playback/hq_stretch_settings.h"
#include "playback/live_play.h"
#include "resources/control_ids.h"
#include "services/services.h"
#include "state/app_state.h"
#include "status/check_marks.h"
#include "status/readouts.h"
#include "status/status_display.h"
#include "subsound/subsound_commands.h"

namespace pelkit {

namespace {

constexpr const char* kSection = "init";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

SettingsFile settingsOf(const AppState& app) {
    return SettingsFile(app.settingsPath);
}

// The format a left take gets when none of its files has a readable header (the placeholder
// header written when a take begins carries the take's own).
WaveFormat defaultFormat(const AppState& app) {
    return makeWaveFormat(app.format.formatTag, app.format.channels, app.format.samplesPerSecond,
                          app.format.bitsPerSample);
}

}  // namespace

std::string joinArguments(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    if (line.size() > kTextMax) line.resize(kTextMax);
    return line;
}

CommandLine parseCommandLine(const std::string& text) {
    CommandLine result;
    size_t at = 0;
    if (text.size() >= 2 && (text[0] == '/' || text[0] == '-') &&
        (text[1] == 'p' || text[1] == 'P') && (text.size() == 2 || isBlank(text[2]))) {
        // "-P" is not an option: only "/p", "/P" and "-p".
        if (!(text[0] == '-' && text[1] == 'P')) {
            result.play = true;
            at = 2;
        }
    }
    while (at < text.size() && isBlank(text[at]))
        ++at;
    for (; at < text.size() && result.fileName.size() < kTextMax; ++at) {
        if (text[at] != '"') result.fileName += text[at];
    }
    return result;
}

void recoverTake(AppState& app) {
    app.sound.fileName =
        settingsOf(app).readString(kSection, "file", app.folders.workFile(kDefaultFileName));
    TakeWriter& take = app.services.take;
    const std::string temp = take.tempName();
    const TakeRecovery recovery = recoverTakeFiles(temp, app.sound.fileName, defaultFormat(app));
    app.sound.fileName = recovery.finalPath;
    if (!recovery.found) return;  // no take was in progress
    const TakeFinish& result = recovery.finish;
    if (!result.nextTempName.empty()) take.setTempName(result.nextTempName);
    if (result.emptyPart) setStatusText(app, id::kFieldStatus, "zero");
    for (const std::string& warning : result.warnings)
        showWarning(app, warning);
    // A take killed while it was recorded comes back as it would have been saved; one killed
    // while it was being saved is said, since some of its files were saved by this start.
    std::string names;
    for (const std::string& name : recovery.saved)
        names += (names.empty() ? "" : ", ") + name;
    if (recovery.finishWasCut && !names.empty()) {
        showWarning(app, "The previous run ended while it was saving the recording " +
                             recovery.finalPath + ". Its remaining files were saved now: " + names +
                             ".");
    }
}

namespace {

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    return std::filesystem::absolute(path, ec).string();
}

// Sound still in the temporary file (or its parts) at start-up was not recovered: it is kept
// under names of its own rather than emptied by the next take, and the user is told.
void keepLeftTake(AppState& app, const std::string& why) {
    TakeWriter& take = app.services.take;
    const std::string temp = take.tempName();
    TakeFinish kept = keepTakeFiles(temp, defaultFormat(app));
    if (!kept.nextTempName.empty()) take.setTempName(kept.nextTempName);
    for (const std::string& warning : kept.warnings)
        showWarning(app, warning);
    if (kept.savedAs.empty() || !kept.warnings.empty()) return;
    std::string names;
    for (const std::string& name : kept.savedAs)
        names += (names.empty() ? "" : ", ") + absolutePath(name);
    showWarning(app, "A recording left by an earlier run was found in " + absolutePath(temp) +
                         ". It was not recovered automatically because " + why +
                         ". It is kept as " + names + ".");
}

// While a left take is recovered or kept, SIGTERM, SIGINT and SIGHUP end the program at once by
// their default action, instead of reaching the front end's handlers only once the files are
// done (a copy of a long take to another file system takes minutes). Recovery survives being
// cut off anywhere: the next start completes it. Signals the program ignores stay ignored.
class StopSignalsEndRecovery {
  public:
    StopSignalsEndRecovery() {
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        for (int i = 0; i < 3; ++i) {
            changed_[i] = sigaction(kSignals[i], nullptr, &previous_[i]) == 0 &&
                          previous_[i].sa_handler != SIG_IGN &&
                          previous_[i].sa_handler != SIG_DFL &&
                          sigaction(kSignals[i], &action, nullptr) == 0;
        }
    }
    ~StopSignalsEndRecovery() {
        for (int i = 0; i < 3; ++i) {
            if (changed_[i]) sigaction(kSignals[i], &previous_[i], nullptr);
        }
    }
    StopSignalsEndRecovery(const StopSignalsEndRecovery&) = delete;
    StopSignalsEndRecovery& operator=(const StopSignalsEndRecovery&) = delete;

  private:
    static constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};
    struct sigaction previous_[3] = {};
    bool changed_[3] = {};
};

// One program per folder: a second one would take the first one's live take for a lost one.
bool takeFolderLock(AppState& app, const std::string& settingsPath) {
    RunLock& lock = app.services.folderLock;
    if (lock.acquire(lockPathFor(settingsPath)) != RunLock::Result::InUse) return true;
    std::string holder =
        lock.holder() > 0 ? " (process " + std::to_string(lock.holder()) + ")" : "";
    std::string folder = folderOf(absolutePath(settingsPath));
    app.services.take.setBlocked("Another pelkit_recorder" + holder + " is using the folder " +
                                 folder + ". This one does not record there; it can play sounds.");
    showWarning(app, "Another pelkit_recorder" + holder + " is running in the folder " + folder +
                         ". This one neither records there nor recovers takes from it; it can "
                         "play sounds.");
    return false;
}

}  // namespace

void loadSettings(AppState& app, const std::string& path) {
    app.settingsPath = path;
    SettingsFile settings(path);

    // Every setting starts from its default at each run.
    app.format = FormatSettings{};
    app.sound = MainSound{};
    app.sound.fileName = app.sound.playFileName = app.folders.workFile(kDefaultFileName);
    app.modes = ModeFlags{};
    app.display = DisplayState{};
    app.processing = ProcessingSettings{};
    app.level = LevelSettings{};
    // The block listeners are the program's wiring, not a setting: they stay.
    BlockListeners listeners = std::move(app.playback.listeners);
    app.playback = PlaybackState{};
    app.playback.listeners = std::move(listeners);
    app.spectrum.view = SpectrumView::Bars;
    app.spectrum.fftBars = FftBars{};
    app.titleText = app.ui().translate("MAIN_RECORD", kTitleText);
    RecorderState& r = app.recorder;
    app.services.take.setTempName(app.folders.stateFile(kTempFileName));
    app.services.take.setBlocked({});
    r.loopSize = kDefaultLoopSize;
    const bool ownFolder = takeFolderLock(app, path);

    loadStretchSettings(app.processing, settings);
    loadLiveSettings(app, settings);
    loadFlacTakeSettings(app, settings);
    app.services.take.setPartLimit(kDefaultPartLimit);
    int limitMega = settings.readInt(kSection, "limitmega", 0);
    if (limitMega > 0) {
        // A part never grows past what a WAV file's 32-bit sizes can describe.
        app.services.take.setPartLimit(static_cast<uint32_t>(std::min(limitMega, 4294)) * 1000000u);
    }
    if (!ownFolder) return;

    const std::string unreadable = settings.readProblem();
    const bool recover =
        unreadable.empty() && settings.readString(kSection, "endstatus", "") != "ok";
    {
        StopSignalsEndRecovery promptly;
        if (recover) recoverTake(app);
        keepLeftTake(app, recover              ? "it could not be finished under its own name"
                          : unreadable.empty() ? "the settings file says that run ended normally"
                                               : "the settings file cannot be read");
    }

    std::string problem;
    const std::string settingsName = absolutePath(path);
    if (!unreadable.empty()) {
        // A file that could not be read is never replaced: what the user had in it stays.
        showWarning(app, "The settings file " + settingsName + " cannot be read (" + unreadable +
                             "). It is left as it is and its settings are not used. A recording "
                             "cut off by a crash could not be recovered automatically.");
    } else if (!settings.writeString(kSection, "endstatus", "start", &problem)) {
        showWarning(app, "The settings file " + settingsName + " cannot be written (" + problem +
                             "). A recording cut off by a crash could not be recovered "
                             "automatically at the next start.");
    }
}

namespace {

// Desktop folders are made when missing; one that cannot be made is said, and the files meant
// for it then fail as they would in a read-only folder.
void makeDesktopFolders(AppState& app) {
    if (app.folders.desktop()) {
        const std::string failed = makeFolders(app.folders);
        if (!failed.empty()) showWarning(app, failed);
    }
}

// Outputs a killed run left half written; not while another program uses these folders.
void removeHalfWrittenOutputs(AppState& app) {
    if (app.services.folderLock.held()) {
        const LeftParts left =
            removeLeftParts({app.folders.config, app.folders.state, app.folders.work});
        if (left.removed > 0) showWarning(app, leftPartsMessage(left));
    }
}

// The ring's headers and buffers start empty, the display buffer zeroed.
void clearRing(AppState& app) {
    for (WaveHeader& h : app.ring.headers)
        h = WaveHeader{};
    app.ring.displayBuffer.assign(kDisplayBufferSize, 0);
    for (ByteBuffer& b : app.ring.buffers)
        b.allocate(1);
    app.ring.processBuffer = app.ring.placeholder;
}

// The file named on the command line is opened: a sequence file is replayed, any other loaded
// as the main sound. The parsed line is returned for its play switch.
CommandLine openCommandLineFile(AppState& app) {
    CommandLine command;
    if (!app.commandLine.empty()) {
        setStatusText(app, id::kFieldStatus, app.commandLine);
        command = parseCommandLine(app.commandLine);
        if (HasExtension(command.fileName, "ts1")) {
            app.chosenFile = command.fileName;
            sendCommand(app, id::kReplaySequenceFile);
        } else {
            loadSoundFile(app, command.fileName);
            showLoadedSound(app);
        }
    }
    return command;
}

}  // namespace

void initMainWindow(AppState& app, WindowHandle window) {
    // The two waveform windows are children in the window template; the front end hands their
    // paints to the display's painters.
    app.windows.mainDialog = window;

    makeDesktopFolders(app);
    loadSettings(app, app.folders.settingsFile(kSettingsFileName));
    removeHalfWrittenOutputs(app);

    app.display.verticalScale = 1.0f;
    app.startTick = app.platform.clock.tickMs();

    app.services.take.prepare(false);
    app.sound.playFileName = app.sound.fileName;
    app.sound.playStream.open(app.sound.playFileName, FileStream::Mode::Read);

    createSubSounds(app);
    createScrollBars(app);

    app.blocks.blockSize = app.blocks.chosenBlockSize = kDefaultBlockSize;
    app.blocks.levelCheckBlockSize = kLevelCheckBlockSize;
    app.blocks.copyBufferSize = kCopyBufferSize;
    applyLiveBlockSize(app);

    sendCommand(app, id::kBufferReset);

    clearRing(app);

    const CommandLine command = openCommandLineFile(app);

    refreshFormatReadout(app, &app.format.deviceFormat);
    updateByteRate(app);
    showTime(app, app.sound.dataSize);
    initMarks(app);
    rebuildNames(app);
    setTitle(app, app.sound.fileName, app.titleText);
    showVolume(app);
    applyOutputVolume(app);

    app.ring.displayData = app.ring.displayBuffer.data();
    app.playback.rangeMode = false;
    app.modes.levelCheck = false;
    app.playback.realTimeOutput = false;
    app.playback.skipMode = false;

    if (command.play) playWhenLoaded(app);
    refreshCheckMarks(app);
}

void closeMainWindow(AppState& app) {
    // Spectrum mode off, and a running analysis ends after its current output: it is waited
    // for, so nothing it reads or writes goes away under it.
    app.display.spectrumMode = false;
    app.services.spectrum.stop();
    app.services.spectrum.wait();

    // A device still opening (its opened message not yet delivered) counts as open too.
    if (app.modes.recording || app.platform.in.isOpen()) {
        app.modes.exitPending = true;
        app.modes.stopRequested = true;
        app.platform.in.reset();
        if (!app.modes.recording) app.platform.in.close();
        return;
    }
    if (app.modes.playing || app.platform.out.isOpen()) {
        app.modes.exitPending = true;
        app.modes.stopRequested = true;
        for (WaveHeader& h : app.ring.headers)
            app.platform.out.unprepare(h);
        app.platform.out.close();
        app.platform.out.reset();
        return;
    }

    sendCommand(app, id::kBufferReset);
    endFileEdits(app);
    for (ByteBuffer& b : app.ring.buffers)
        b.release();
    app.services.take.close();
    // The temporary file of another program in this folder is not this one's to remove.
    const bool ownFolder = app.services.take.blocked().empty();
    std::error_code ec;
    if (ownFolder) std::filesystem::remove(app.services.take.tempName(), ec);
    app.ring.displayBuffer.clear();
    app.ring.displayBuffer.shrink_to_fit();
    app.ring.displayData = nullptr;
    app.ring.copyBuffer.release();
    app.ring.processBuffer = app.ring.placeholder;
    app.sound.playStream.close();
    destroySubSounds(app);
    closeKeyboard(app);
    closeRecordOptions(app);
    closeLoudnessWindow(app);
    app.windows.mainDialogEnded = true;
    app.ui().endDialog(app.windows.mainDialog, 0);
    if (ownFolder) settingsOf(app).writeString(kSection, "endstatus", "ok");
    app.services.folderLock.release();
}

}  // namespace pelkit
