#include "formats/loudness_commands.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <utility>

#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/loudness.h"
#include "formats/loudness_window.h"
#include "formats/sound_jobs.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr double kPeakCeiling = -1.0;  // dBTP

class MeasureJob final : public SoundJob {
  public:
    LoudnessMeter meter;
    Step step() override {
        if (meter.step()) return Step::More;
        return meter.error().empty() ? Step::Done : Step::Failed;
    }
    void cancel() override {}
    int percent() const override { return percentOf(meter.done(), meter.total()); }
    std::string error() const override { return meter.error(); }
};

// A measurement, then the scaled copy: two passes over the file in one job.
class NormaliseJob final : public SoundJob {
  public:
    LoudnessMeter meter;
    ScaledCopy copy;
    std::string source, output;
    double target = -16;
    NormaliseGain gain;
    bool writing = false;
    std::string failure;

    Step step() override {
        if (!writing) {
            if (meter.step()) return Step::More;
            if (!meter.error().empty()) return failWith(meter.error());
            const Loudness l = meter.result();
            gain = normaliseGain(l, target, kPeakCeiling);
            if (!std::isfinite(l.integrated)) {
                return failWith(source +
                                " is silent: there is no loudness to normalise. "
                                "Nothing was written.");
            }
            if (std::string why = copy.open(source, output, gain.gainDb); !why.empty()) {
                return failWith(why);
            }
            writing = true;
            return Step::More;
        }
        switch (copy.step()) {
            case ScaledCopy::Step::More:
                return Step::More;
            case ScaledCopy::Step::Done:
                return Step::Done;
            case ScaledCopy::Step::Failed:
                break;
        }
        return failWith(copy.error());
    }
    void cancel() override { copy.cancel(); }
    int percent() const override {
        return writing ? 50 + percentOf(copy.done(), copy.total()) / 2
                       : percentOf(meter.done(), meter.total()) / 2;
    }
    std::string error() const override { return failure; }

  private:
    Step failWith(std::string message) {
        failure = std::move(message);
        return Step::Failed;
    }
};

std::string signedDb(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f dB", v);
    return text;
}

}  // namespace

void measureLoudness(AppState& app) {
    const std::string path = app.sound.fileName;
    auto job = std::make_unique<MeasureJob>();
    if (std::string why = job->meter.open(path); !why.empty()) {
        showWarning(app, why);
        return;
    }
    runSoundJob(app, std::move(job), "loudness of " + path, [path](AppState& a, SoundJob& j) {
        const Loudness l = static_cast<MeasureJob&>(j).meter.result();
        showLoudnessWindow(a, path, l);
        a.ui().messageBox(a.windows.mainDialog, "Loudness of " + path + ": " + describe(l) + ".",
                          kCaption, BoxIcon::Information, BoxButtons::Ok);
    });
}

void normalise(AppState& app, int32_t target) {
    normaliseTo(app, target != 0 ? target : app.tools.targetLufs);
}

void normaliseTo(AppState& app, double target) {
    app.tools.targetLufs = target;
    const std::string source = app.sound.fileName;
    const std::string output = DerivedName(source, "_norm");
    auto job = std::make_unique<NormaliseJob>();
    if (std::string why = job->meter.open(source); !why.empty()) {
        showWarning(app, why);
        return;
    }
    job->source = source;
    job->output = output;
    job->target = app.tools.targetLufs;
    if (WavDataSize(output) > 0 &&
        app.ui().messageBox(app.windows.mainDialog, output + " already holds sound. Replace it?",
                            kCaption, BoxIcon::Warning, BoxButtons::OkCancel) != BoxAnswer::Ok) {
        return;
    }
    runSoundJob(app, std::move(job), output, [](AppState& a, SoundJob& j) {
        const auto& n = static_cast<NormaliseJob&>(j);
        std::string text = n.output + " written: gain " + signedDb(n.gain.gainDb) + " from " +
                           describe(n.meter.result()) + ".";
        if (n.gain.limited) {
            char limit[160];
            std::snprintf(limit, sizeof limit,
                          " The gain was held down so that the true peak stays at %.1f dBTP; "
                          "the copy is quieter than %.1f LUFS.",
                          kPeakCeiling, n.target);
            text += limit;
        }
        a.ui().messageBox(a.windows.mainDialog, text, kCaption, BoxIcon::Information,
                          BoxButtons::Ok);
    });
}

std::vector<CommandEntry> loudnessCommands() {
    return {
        command(id::kLoudness, plain<measureLoudness>),
        command(id::kNormalise, [](AppState& a, int, int32_t target) { normalise(a, target); }),
    };
}

}  // namespace pelkit
