#include "formats/flac_takes.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <utility>

#include "files/file_stream.h"
#include "files/settings_file.h"
#include "files/sound_export.h"
#include "files/wav_format.h"
#include "formats/export_command.h"
#include "formats/sound_jobs.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr const char* kKey = "flactakes";

struct FlacPair {
    std::string wav, flac;
};

// The FLAC files of a take, one after the other. A part that cannot be written is said at the
// end; the others are still written.
class FlacTakesJob final : public SoundJob {
  public:
    std::vector<FlacPair> pairs;
    ExportQuality quality;
    size_t next = 0;
    std::unique_ptr<SoundExport> writer;
    std::vector<std::string> failures;

    Step step() override {
        if (!writer) {
            if (next == pairs.size()) return failures.empty() ? Step::Done : Step::Failed;
            writer = std::make_unique<SoundExport>();
            const FlacPair& p = pairs[next];
            if (std::string why = writer->open(p.wav, p.flac, ExportFormat::Flac, quality);
                !why.empty()) {
                return partEnded(why);
            }
        }
        switch (writer->step()) {
            case SoundExport::Step::More:
                return Step::More;
            case SoundExport::Step::Done:
                return partEnded({});
            case SoundExport::Step::Failed:
                break;
        }
        return partEnded(writer->error());
    }
    void cancel() override {
        if (writer) writer->cancel();
    }
    int percent() const override {
        const double part =
            writer ? static_cast<double>(percentOf(writer->done(), writer->total())) : 0.0;
        return static_cast<int>((static_cast<double>(next) * 100 + part) /
                                static_cast<double>(pairs.size()));
    }
    std::string error() const override {
        std::string text = "The take could not also be kept as FLAC:";
        for (const std::string& f : failures)
            text += " " + f;
        return text;
    }

  private:
    Step partEnded(const std::string& why) {
        if (!why.empty()) failures.push_back(pairs[next].flac + ": " + why);
        writer.reset();
        ++next;
        return Step::More;
    }
};

std::string flacNameOf(const std::string& wav) {
    std::filesystem::path p(wav);
    p.replace_extension(".flac");
    return p.string();
}

}  // namespace

void loadFlacTakeSettings(AppState& app, const SettingsFile& settings) {
    app.tools.takesAsFlac = settings.readInt("init", kKey, 0) != 0;
}

void toggleFlacTakes(AppState& app) {
    app.tools.takesAsFlac = !app.tools.takesAsFlac;
    if (app.settingsPath.empty()) return;
    std::string problem;
    if (SettingsFile(app.settingsPath)
            .writeString("init", kKey, app.tools.takesAsFlac ? "1" : "0", &problem)) {
        return;
    }
    showWarning(app, "The settings file " + app.settingsPath + " cannot be written (" + problem +
                         "). The FLAC take switch holds for this run only.");
}

void keepTakesAsFlac(AppState& app, const std::vector<std::string>& wavs, bool paused) {
    std::vector<std::string> own = std::move(app.tools.pausedTakeFlacs);
    app.tools.pausedTakeFlacs.clear();
    if (!app.tools.takesAsFlac) return;
    auto job = std::make_unique<FlacTakesJob>();
    job->quality = exportQuality(app);
    for (const std::string& wav : wavs) {
        if (exportFormatFor(wav) != ExportFormat::Wav || WavDataSize(wav) == 0) continue;
        const std::string flac = flacNameOf(wav);
        const bool ours = std::find(own.begin(), own.end(), flac) != own.end();
        if (!ours && fileLength(flac) > 0 &&
            app.ui().messageBox(app.windows.mainDialog, flac + " already exists. Replace it?",
                                kCaption, BoxIcon::Warning,
                                BoxButtons::OkCancel) != BoxAnswer::Ok) {
            continue;
        }
        job->pairs.push_back({wav, flac});
        if (paused) app.tools.pausedTakeFlacs.push_back(flac);
    }
    if (job->pairs.empty()) return;
    if (app.modes.exitPending) {
        // The program is about to close: no event loop is left to write them in slices.
        SoundJob::Step step;
        while ((step = job->step()) == SoundJob::Step::More) {
        }
        if (step == SoundJob::Step::Failed) showWarning(app, job->error());
        return;
    }
    runSoundJob(app, std::move(job), "FLAC of " + wavs.front(), nullptr);
}

std::vector<CommandEntry> flacTakeCommands() {
    return {command(id::kFlacTakes, plain<toggleFlacTakes>)};
}

}  // namespace pelkit
