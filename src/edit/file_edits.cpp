#include "edit/file_edits.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "edit/capture_file.h"
#include "edit/copy_edits.h"
#include "edit/edit_output.h"
#include "edit/file_edit_dialog.h"
#include "edit/speed_change.h"
#include "files/file_names.h"
#include "files/wav_format.h"
#include "resources/fileedit_ids.h"
#include "state/app_state.h"
#include "status/readouts.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

inline constexpr const char* kCaptureWhileRecording =
    "The real-time capture cannot start while recording.";

// A slice of an edit ends after this long, or once it has handled this much sound or taken
// this many steps (whichever comes first), so the window's event loop runs at least every few
// tens of milliseconds, even where the clock is the headless runner's, which stands still.
constexpr uint32_t kSliceMs = 20;
constexpr uint64_t kBytesPerSlice = 4 << 20;
constexpr int kStepsPerSlice = 4096;
// Edits that last longer than this show their progress.
constexpr uint32_t kProgressAfterMs = 500;

// An edit as it was asked for: the command and the settings in force when it was.
struct EditRequest {
    int id = 0;
    int32_t param = 0;
    std::string fileName;
    uint32_t boostRate = 100;
    int32_t speedPercent = 50;
    bool noiseOff = false;
    bool speedHq = false;
    uint32_t seamLength = 0;
    uint32_t rangeStart = 0, rangeEnd = 0;
};

class EditQueue final : public EditWork {
  public:
    std::deque<EditRequest> waiting;
    std::unique_ptr<EditJob> job;  // the edit under way
    EditRequest current;
    uint64_t serial = 0;  // tells the slices of one job from those of another
    uint32_t startTick = 0;
    bool progressShown = false;
    int shownPercent = -1;
    std::string label;
    bool starting = false;  // startNext is under way (a box it shows runs the event loop)
    uint64_t cancels = 0;   // counts cancelEdits, so a question answered late is not acted on
};

class CaptureSink final : public PlayedSoundSink {
  public:
    void append(const uint8_t* data, size_t n) override { file.append(data, n); }
    CaptureFile file;
};

EditQueue& queueOf(AppState& app) {
    if (!app.edits.work) app.edits.work = std::make_unique<EditQueue>();
    return static_cast<EditQueue&>(*app.edits.work);
}

bool devicesIdle(AppState& app) {
    return !app.modes.playing && !app.modes.recording && !app.platform.out.isOpen() &&
           !app.platform.in.isOpen();
}

// The main sound's header as just read becomes the main window's, as a load would make it;
// while a device runs its state is left alone, so neither playback nor a take is disturbed.
void adoptHeader(AppState& app, const EditRequest& r, const WavHeaderInfo& h) {
    if (r.fileName != app.sound.fileName || !devicesIdle(app)) return;
    app.sound.dataSize = h.dataSize;
    app.sound.extraHeaderBytes = h.extraHeaderBytes;
    app.format.deviceFormat = h.format;
    app.format.formatTag = h.format.formatTag;
    app.format.channels = h.format.channels;
    app.format.samplesPerSecond = static_cast<int32_t>(h.format.samplesPerSecond);
    app.format.bitsPerSample = h.format.bitsPerSample;
    app.sound.frameSize = h.frameSize;
    recomputePositionStep(app);
    refreshFormatReadout(app, &app.format.deviceFormat);
}

std::string outputOf(EditOutput kind, const EditRequest& r) {
    return editOutputName(kind, r.fileName);
}

// The job of R, or nothing when the main file's header cannot be read (the user is told).
std::unique_ptr<EditJob> makeJob(AppState& app, const EditRequest& r) {
    if (r.id == id::kEditJoin) {
        return makeJoinJob(outputOf(EditOutput::Left, r), outputOf(EditOutput::Right, r),
                           outputOf(EditOutput::Join, r));
    }
    EditSource source{r.fileName, {}};
    if (!ReadWavHeader(r.fileName, source.header)) {
        showWarning(app, "cannot read the WAV header of " + r.fileName + "; nothing was written.");
        return nullptr;
    }
    adoptHeader(app, r, source.header);
    switch (r.id) {
        case id::kEditCutRange:
            return makeCutRangeJob(source, outputOf(EditOutput::Cut, r), r.boostRate, r.rangeStart,
                                   r.rangeEnd);
        case id::kEditCutAll:
            return makeCutAllJob(source, outputOf(EditOutput::Cut, r), r.boostRate);
        case id::kEditLeft:
            return makeChannelJob(source, Channel::Left, outputOf(EditOutput::Left, r),
                                  r.boostRate);
        case id::kEditRight:
            return makeChannelJob(source, Channel::Right, outputOf(EditOutput::Right, r),
                                  r.boostRate);
        case id::kEditCentre:
            return makeCentreMixJob(source, outputOf(EditOutput::Centre, r));
        case id::kEditDivide:
            return makeDivisionJob(source, r.fileName, r.param, r.boostRate);
        case id::kEditSpeedChange:
            return makeSpeedChangeJob(
                source, outputOf(EditOutput::SpeedChange, r),
                {r.param, r.speedPercent, r.noiseOff, r.seamLength, r.speedHq});
        default:
            return nullptr;
    }
}

// The one file R writes (not for a division).
std::string singleOutputOf(const EditRequest& r) {
    switch (r.id) {
        case id::kEditCutRange:
        case id::kEditCutAll:
            return outputOf(EditOutput::Cut, r);
        case id::kEditLeft:
            return outputOf(EditOutput::Left, r);
        case id::kEditRight:
            return outputOf(EditOutput::Right, r);
        case id::kEditCentre:
            return outputOf(EditOutput::Centre, r);
        case id::kEditJoin:
            return outputOf(EditOutput::Join, r);
        default:
            return outputOf(EditOutput::SpeedChange, r);
    }
}

// What the progress bar says: the file being written.
std::string labelOf(const EditRequest& r) {
    return r.id == id::kEditDivide ? NumberedName(r.fileName, 1) + " ..." : singleOutputOf(r);
}

bool holdsSound(const std::string& path) {
    return WavDataSize(path) > 0;
}

// The files R would write over that hold sound. A division writes parts 1 to its count; numbered
// files past the count stay as they are.
std::vector<std::string> soundReplacedBy(const EditRequest& r) {
    std::vector<std::string> names;
    if (r.id != id::kEditDivide) {
        if (std::string name = singleOutputOf(r); holdsSound(name)) names.push_back(name);
        return names;
    }
    for (int32_t i = 1; i <= r.param; ++i) {
        if (std::string name = NumberedName(r.fileName, i); holdsSound(name)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

// Whether the user lets an edit replace the sound in NAMES: one OK/Cancel question for all of
// them (none: yes, unasked).
bool mayReplace(AppState& app, const std::vector<std::string>& names) {
    if (names.empty()) return true;
    constexpr size_t kNamed = 5;  // a long list is cut short
    const size_t shown = names.size() <= kNamed ? names.size() : kNamed - 1;
    std::string list;
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0) list += i + 1 == names.size() ? " and " : ", ";
        list += names[i];
    }
    if (shown < names.size()) list += " and " + std::to_string(names.size() - shown) + " more";
    const std::string text = list + (names.size() == 1 ? " already holds sound. Replace it?"
                                                       : " already hold sound. Replace them?");
    return app.ui().messageBox(app.windows.mainDialog, text, "pelkit_recorder", BoxIcon::Warning,
                               BoxButtons::OkCancel) == BoxAnswer::Ok;
}

// The end of an edit as the user sees it.
void showEnd(AppState& app, const EditRequest& r, const EditResult& result) {
    switch (result.outcome) {
        case EditOutcome::Refused:
        case EditOutcome::Failed:
            if (!result.message.empty()) showWarning(app, result.message);
            break;
        case EditOutcome::Done:
            if (r.id == id::kEditSpeedChange) {
                app.ui().messageBox(app.windows.mainDialog, "ok", "file", BoxIcon::Information,
                                    BoxButtons::Ok);
            }
            break;
        case EditOutcome::Running:
            break;
    }
}

void runSlice(AppState& app, uint64_t serial);

void schedule(AppState& app, uint64_t serial) {
    app.ui().callAfter(0, [&app, serial] { runSlice(app, serial); });
}

// Starts the waiting edits in order until one runs on from the event loop. An edit that would
// replace sound runs only once the user has said OK; Cancel drops it without a word.
void startNext(AppState& app) {
    EditQueue& q = queueOf(app);
    // The boxes shown here run the event loop: an edit asked for meanwhile waits its turn.
    if (q.starting) return;
    q.starting = true;
    struct Done {
        EditQueue& q;
        ~Done() { q.starting = false; }
    } done{q};
    while (!q.job && !q.waiting.empty()) {
        EditRequest r = std::move(q.waiting.front());
        q.waiting.pop_front();
        const uint64_t cancels = q.cancels;
        std::unique_ptr<EditJob> job = makeJob(app, r);
        if (!job) continue;
        if (job->finished()) {
            showEnd(app, r, job->result());
            continue;
        }
        const bool allowed = mayReplace(app, soundReplacedBy(r));
        if (app.windows.mainDialogEnded || q.cancels != cancels) return;  // ended meanwhile
        if (!allowed) continue;
        q.job = std::move(job);
        q.current = std::move(r);
        q.serial += 1;
        q.startTick = app.platform.clock.tickMs();
        q.progressShown = false;
        q.shownPercent = -1;
        q.label = labelOf(q.current);
        // The job may run to its end inside this call (a front end that runs it at once).
        schedule(app, q.serial);
        return;
    }
}

void showProgress(AppState& app, EditQueue& q) {
    if (!q.progressShown) {
        if (app.platform.clock.tickMs() - q.startTick < kProgressAfterMs) return;
        q.progressShown = true;
    }
    const EditProgress p = q.job->progress();
    const int percent = p.total == 0 ? 0 : static_cast<int>(p.done * 100 / p.total);
    if (percent == q.shownPercent) return;  // the bar is redrawn only when it moves
    q.shownPercent = percent;
    app.ui().showProgress(q.label, percent, [&app] { cancelEdits(app); });
}

void runSlice(AppState& app, uint64_t serial) {
    if (app.windows.mainDialogEnded || !app.edits.work) return;
    EditQueue& q = queueOf(app);
    if (!q.job || q.serial != serial) return;  // cancelled, or a slice of an earlier job
    const uint32_t start = app.platform.clock.tickMs();
    const uint64_t doneBefore = q.job->progress().done;
    bool more = true;
    for (int steps = 1; more; ++steps) {
        more = q.job->step();
        if (steps >= kStepsPerSlice || q.job->progress().done - doneBefore >= kBytesPerSlice ||
            app.platform.clock.tickMs() - start >= kSliceMs) {
            break;
        }
    }
    if (more) {
        showProgress(app, q);
        schedule(app, serial);
        return;
    }
    std::unique_ptr<EditJob> job = std::move(q.job);
    const EditRequest r = q.current;
    if (q.progressShown) app.ui().hideProgress();
    q.progressShown = false;
    showEnd(app, r, job->result());
    job.reset();
    startNext(app);
}

}  // namespace

void openFileEditDialog(AppState& app) {
    if (app.edits.dialog != kNoWindow) return;
    app.edits.noiseOff = false;
    app.ui().openModeless("fileedit", std::make_unique<FileEditDialog>(app));
}

void requestEdit(AppState& app, int id, int32_t param) {
    EditRequest r;
    r.id = id;
    r.param = param;
    r.fileName = app.sound.fileName;
    r.boostRate = app.edits.boostRate;
    r.speedPercent = app.edits.speedPercent;
    r.noiseOff = app.edits.noiseOff;
    r.speedHq = app.edits.speedHq;
    r.seamLength = app.processing.seamLength;
    r.rangeStart = app.playback.rangeStart;
    r.rangeEnd = app.playback.rangeEnd;
    EditQueue& q = queueOf(app);
    q.waiting.push_back(std::move(r));
    if (!q.job && !q.starting) startNext(app);
}

void cancelEdits(AppState& app) {
    if (!app.edits.work) return;
    EditQueue& q = queueOf(app);
    q.cancels += 1;
    q.waiting.clear();
    if (q.job) q.job->cancel();
    q.job.reset();
    if (q.progressShown) app.ui().hideProgress();
    q.progressShown = false;
}

bool editRunning(AppState& app) {
    return app.edits.work && queueOf(app).job != nullptr;
}

void startCapture(AppState& app) {
    if (app.modes.recording || app.platform.in.isOpen()) {
        showWarning(app, kCaptureWhileRecording);
        return;
    }
    const std::string path = editOutputName(EditOutput::Capture, app.sound.fileName);
    if (!mayReplace(
            app, holdsSound(path) ? std::vector<std::string>{path} : std::vector<std::string>{})) {
        return;
    }
    // A capture asked for again starts afresh.
    app.edits.capture.reset();
    app.playback.realTimeOutput = false;
    auto sink = std::make_unique<CaptureSink>();
    if (!sink->file.open(path, app.format.deviceFormat)) {
        showWarning(app, sink->file.error());
        return;
    }
    app.edits.capture = std::move(sink);
    app.playback.realTimeOutput = true;
}

void finishCapture(AppState& app) {
    if (!app.playback.realTimeOutput || !app.edits.capture) return;
    app.playback.realTimeOutput = false;
    std::unique_ptr<PlayedSoundSink> sink = std::move(app.edits.capture);
    CaptureFile& file = static_cast<CaptureSink&>(*sink).file;
    file.setFormat(app.format.deviceFormat);
    const EditResult result = file.close();
    if (result.outcome == EditOutcome::Failed) showWarning(app, result.message);
}

void endFileEdits(AppState& app) {
    cancelEdits(app);
    app.edits.capture.reset();  // its file is removed: it never heard a play
    app.playback.realTimeOutput = false;
}

}  // namespace pelkit
