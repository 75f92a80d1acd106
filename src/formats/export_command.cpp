#include "formats/export_command.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "files/file_stream.h"
#include "files/settings_file.h"
#include "formats/sound_jobs.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

class ExportJob final : public SoundJob {
  public:
    SoundExport writer;
    Step step() override {
        switch (writer.step()) {
            case SoundExport::Step::More:
                return Step::More;
            case SoundExport::Step::Done:
                return Step::Done;
            case SoundExport::Step::Failed:
                break;
        }
        return Step::Failed;
    }
    void cancel() override { writer.cancel(); }
    int percent() const override { return percentOf(writer.done(), writer.total()); }
    std::string error() const override { return writer.error(); }
};

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

std::string doneText(const std::string& target, ExportFormat format, const ExportQuality& q,
                     const SoundExport& writer) {
    std::string text = target + " written (" + exportFormatName(format);
    if (format == ExportFormat::Flac) text += ", level " + std::to_string(q.flacLevel);
    if (format == ExportFormat::Vorbis || format == ExportFormat::Opus ||
        format == ExportFormat::Mp3) {
        text += ", quality " + std::to_string(q.lossyQuality);
    }
    text += ").";
    if (writer.outputRate() != writer.sourceRate()) {
        text += " Opus is written only at 8, 12, 16, 24 or 48 kHz: the sound was resampled from " +
                std::to_string(writer.sourceRate()) + " Hz to " +
                std::to_string(writer.outputRate()) + " Hz.";
    }
    return text;
}

}  // namespace

ExportQuality exportQuality(const AppState& app) {
    ExportQuality q;
    if (app.settingsPath.empty()) return q;
    const SettingsFile settings(app.settingsPath);
    q.flacLevel = std::clamp(settings.readInt("init", "flaclevel", q.flacLevel), 0, 8);
    q.lossyQuality = std::clamp(settings.readInt("init", "exportquality", q.lossyQuality), 0, 10);
    return q;
}

void exportSound(AppState& app) {
    const std::string source = app.sound.fileName;
    if (source.empty() || !isRegularFile(source)) {
        showWarning(app, "There is no sound file to export.");
        return;
    }
    std::filesystem::path initial(source);
    initial.replace_extension(".flac");
    ExportQuality quality = exportQuality(app);
    app.ui().setExportQualityRow({quality.flacLevel, quality.lossyQuality});
    const auto chosen =
        app.ui().chooseFile(app.windows.mainDialog, FileKind::Export, initial.string());
    if (!chosen) return;
    // The quality row of the dialog, when the front end has one, is kept for the next export.
    if (const auto row = app.ui().exportQualityRow()) {
        quality.flacLevel = std::clamp(row->flacLevel, 0, 8);
        quality.lossyQuality = std::clamp(row->quality, 0, 10);
        if (!app.settingsPath.empty()) {
            const SettingsFile settings(app.settingsPath);
            settings.writeString("init", "flaclevel", std::to_string(quality.flacLevel));
            settings.writeString("init", "exportquality", std::to_string(quality.lossyQuality));
        }
    }
    const std::string target = *chosen;
    const std::optional<ExportFormat> format = exportFormatFor(target);
    if (!format) {
        showWarning(app, target +
                             ": the export writes .flac, .ogg, .opus, .mp3 or .wav files; choose "
                             "one of them. Nothing was written.");
        return;
    }
    if (sameFile(source, target)) {
        showWarning(app, target +
                             " is the file being exported: choose another name. "
                             "Nothing was written.");
        return;
    }
    if (fileLength(target) > 0 &&
        app.ui().messageBox(app.windows.mainDialog, target + " already exists. Replace it?",
                            kCaption, BoxIcon::Warning, BoxButtons::OkCancel) != BoxAnswer::Ok) {
        return;
    }
    auto job = std::make_unique<ExportJob>();
    if (std::string why = job->writer.open(source, target, *format, quality); !why.empty()) {
        showWarning(app, why);
        return;
    }
    runSoundJob(app, std::move(job), target,
                [target, f = *format, quality](AppState& a, SoundJob& j) {
                    const auto& writer = static_cast<ExportJob&>(j).writer;
                    a.ui().messageBox(a.windows.mainDialog, doneText(target, f, quality, writer),
                                      kCaption, BoxIcon::Information, BoxButtons::Ok);
                });
}

std::vector<CommandEntry> exportCommands() {
    return {command(id::kExport, plain<exportSound>)};
}

}  // namespace pelkit
