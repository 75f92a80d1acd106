#include "formats/working_copy.h"

#include <memory>
#include <utility>

#include "files/file_stream.h"
#include "files/sound_decode.h"
#include "formats/sound_jobs.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

class DecodeJob final : public SoundJob {
  public:
    SoundDecode decode;
    Step step() override {
        switch (decode.step()) {
            case SoundDecode::Step::More:
                return Step::More;
            case SoundDecode::Step::Done:
                return Step::Done;
            case SoundDecode::Step::Failed:
                break;
        }
        return Step::Failed;
    }
    void cancel() override { decode.cancel(); }
    int percent() const override {
        return percentOf(static_cast<uint64_t>(decode.done()),
                         static_cast<uint64_t>(decode.total()));
    }
    std::string error() const override { return decode.error(); }
};

}  // namespace

bool startWorkingCopy(AppState& app, const std::string& source,
                      std::function<void(AppState&, const std::string&)> loaded) {
    const std::string copy = workingCopyName(source);
    if (soundJobRunning(app)) {
        showWarning(app, "Wait until the work under way has finished, or cancel it.");
        return false;
    }
    auto job = std::make_unique<DecodeJob>();
    // A file that cannot be decoded is named before anything is asked or written.
    if (std::string why = job->decode.open(source, {}); !why.empty()) {
        showWarning(app, why);
        return false;
    }
    if (fileExists(copy) &&
        app.ui().messageBox(app.windows.mainDialog,
                            copy + " already exists. Replace it with the sound of " + source + "?",
                            kCaption, BoxIcon::Warning, BoxButtons::OkCancel) != BoxAnswer::Ok) {
        return false;
    }
    job = std::make_unique<DecodeJob>();
    if (std::string why = job->decode.open(source, copy); !why.empty()) {
        showWarning(app, why);
        return false;
    }
    return runSoundJob(
        app, std::move(job), source + " -> " + copy,
        [loaded = std::move(loaded), copy](AppState& a, SoundJob&) { loaded(a, copy); });
}

}  // namespace pelkit
