#include "formats/loudness_window.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "formats/loudness_commands.h"
#include "platform/ui.h"
#include "resources/loudness_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

constexpr double kLowestTarget = -70;  // the gating threshold of the measurement

std::string figure(double v) {
    if (!std::isfinite(v)) return "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

std::string targetText(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

class LoudnessDialog final : public DialogHandler {
  public:
    explicit LoudnessDialog(AppState& app) : app_(app) {}
    ~LoudnessDialog() override {
        if (app_.tools.loudnessWindow == window_) app_.tools.loudnessWindow = kNoWindow;
    }
    void onInit(WindowHandle window) override {
        window_ = window;
        app_.tools.loudnessWindow = window;
        app_.ui().setTitle(window, "loudness");
        app_.ui().setText(window, id::kLoudnessTarget, targetText(app_.tools.targetLufs));
    }
    void onCommand(WindowHandle window, int id, int32_t, Notify notify) override {
        if (notify != Notify::Click) return;
        if (id == id::kLoudnessClose) {
            onClose(window);
        } else if (id == id::kLoudnessNormaliseButton) {
            const std::string typed = app_.ui().getText(window, id::kLoudnessTarget);
            const std::optional<double> target = parseLoudnessTarget(typed);
            if (!target) {
                showWarning(app_, "\"" + typed +
                                      "\" is not a loudness target: type LUFS from -70 to 0. "
                                      "Nothing was written.");
                return;
            }
            normaliseTo(app_, *target);
        }
    }
    void onScroll(WindowHandle, int, int, int) override {}
    void onClose(WindowHandle window) override {
        app_.ui().endDialog(window, 0);
        if (app_.tools.loudnessWindow == window) app_.tools.loudnessWindow = kNoWindow;
    }

  private:
    AppState& app_;
    WindowHandle window_ = kNoWindow;
};

}  // namespace

std::optional<double> parseLoudnessTarget(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin) return std::nullopt;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0' || !std::isfinite(v) || v < kLowestTarget || v > 0) return std::nullopt;
    return v;
}

void showLoudnessWindow(AppState& app, const std::string& path, const Loudness& figures) {
    if (app.tools.loudnessWindow == kNoWindow) {
        app.ui().openModeless("loudness", std::make_unique<LoudnessDialog>(app));
    }
    const WindowHandle w = app.tools.loudnessWindow;
    if (w == kNoWindow) return;
    Ui& ui = app.ui();
    ui.setText(w, id::kLoudnessFile, path);
    ui.setText(w, id::kLoudnessIntegrated, figure(figures.integrated));
    ui.setText(w, id::kLoudnessRange, figure(figures.range));
    ui.setText(w, id::kLoudnessTruePeak, figure(figures.truePeak));
}

void closeLoudnessWindow(AppState& app) {
    if (app.tools.loudnessWindow != kNoWindow) app.ui().endDialog(app.tools.loudnessWindow, 0);
    app.tools.loudnessWindow = kNoWindow;
}

}  // namespace pelkit
