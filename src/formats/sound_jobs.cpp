#include "formats/sound_jobs.h"

#include <utility>

#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

// A slice ends after this long or this many steps (the headless runner's clock stands still).
constexpr uint32_t kSliceMs = 20;
constexpr int kStepsPerSlice = 32;
constexpr uint32_t kProgressAfterMs = 500;

class JobWork final : public SoundToolsWork {
  public:
    std::unique_ptr<SoundJob> job;
    SoundJobDone done;
    std::string label;
    uint64_t serial = 0;
    uint32_t startTick = 0;
    bool progressShown = false;
    int shownPercent = -1;
};

JobWork& workOf(AppState& app) {
    if (!app.tools.work) app.tools.work = std::make_unique<JobWork>();
    return static_cast<JobWork&>(*app.tools.work);
}

void hideProgress(AppState& app, JobWork& w) {
    if (w.progressShown) app.ui().hideProgress();
    w.progressShown = false;
}

void showProgress(AppState& app, JobWork& w) {
    if (!w.progressShown) {
        if (app.platform.clock.tickMs() - w.startTick < kProgressAfterMs) return;
        w.progressShown = true;
    }
    const int percent = w.job->percent();
    if (percent == w.shownPercent) return;
    w.shownPercent = percent;
    app.ui().showProgress(w.label, percent, [&app] { cancelSoundJob(app); });
}

void runSlice(AppState& app, uint64_t serial);

void schedule(AppState& app, uint64_t serial) {
    app.ui().callAfter(0, [&app, serial] { runSlice(app, serial); });
}

void runSlice(AppState& app, uint64_t serial) {
    if (app.windows.mainDialogEnded || !app.tools.work) return;
    JobWork& w = workOf(app);
    if (!w.job || w.serial != serial) return;  // cancelled, or a slice of an earlier job
    const uint32_t start = app.platform.clock.tickMs();
    SoundJob::Step step = SoundJob::Step::More;
    for (int n = 0; n < kStepsPerSlice && step == SoundJob::Step::More; ++n) {
        step = w.job->step();
        if (app.platform.clock.tickMs() - start >= kSliceMs) break;
    }
    if (step == SoundJob::Step::More) {
        showProgress(app, w);
        schedule(app, serial);
        return;
    }
    std::unique_ptr<SoundJob> job = std::move(w.job);
    SoundJobDone done = std::move(w.done);
    hideProgress(app, w);
    if (step == SoundJob::Step::Failed) {
        showWarning(app, job->error());
    } else if (done) {
        done(app, *job);
    }
}

}  // namespace

int percentOf(uint64_t done, uint64_t total) {
    return total == 0 ? 0 : static_cast<int>(done * 100 / total);
}

bool runSoundJob(AppState& app, std::unique_ptr<SoundJob> job, std::string label,
                 SoundJobDone done) {
    JobWork& w = workOf(app);
    if (w.job) {
        showWarning(app, "Wait until " + w.label + " has finished, or cancel it.");
        return false;
    }
    w.job = std::move(job);
    w.done = std::move(done);
    w.label = std::move(label);
    w.serial += 1;
    w.startTick = app.platform.clock.tickMs();
    w.progressShown = false;
    w.shownPercent = -1;
    schedule(app, w.serial);
    return true;
}

bool soundJobRunning(AppState& app) {
    return app.tools.work && workOf(app).job != nullptr;
}

void cancelSoundJob(AppState& app) {
    if (!app.tools.work) return;
    JobWork& w = workOf(app);
    if (w.job) w.job->cancel();
    w.job.reset();
    w.done = nullptr;
    hideProgress(app, w);
}

}  // namespace pelkit
