// The record options dialog ("REC_OPTION"): loop recording size and start, the waveform display
// switches and scales, the speed and pitch processing unit and seam, the skip level, the sub
// sound mixing mode, the recording write mode and the caption language. Every control works on
// the shared settings at once; only the aux value, which nothing else reads, lives here.
#pragma once

#include <cstdint>

#include "platform/ui.h"

namespace pelkit {

struct AppState;

class RecordOptionsDialog final : public DialogHandler {
  public:
    explicit RecordOptionsDialog(AppState& app) : app_(app) {}
    ~RecordOptionsDialog() override;
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle window, int bar, int code, int thumb) override;
    void onClose(WindowHandle window) override;

    static constexpr uint32_t kMinimumLoopSize = 100000;
    static constexpr float kAuxDefault = 1.4f;

    float auxValue() const { return aux_; }

  private:
    // Ends the window; the program no longer addresses it.
    void endWindow(WindowHandle window);
    void handleClick(WindowHandle window, int id, int32_t param);
    // The spectrum switch "change".
    void changeSpectrumView();
    void showAux();
    void showSkipLevel();
    void showScales();
    void showMixing();
    void showWriteMode();
    void showUnit();
    void showSeam();
    // Reads the loop size field into loopSize (at least 100,000) and shows it in minutes.
    void readLoopSize();
    void setNumber(int id, int64_t value);

    AppState& app_;
    WindowHandle window_ = kNoWindow;
    float aux_ = kAuxDefault;
};

// Opens the record options window beside the main window, which stays usable; one at a time.
void openRecordOptions(AppState& app);
// Ends the record options window if it is open (the main window closes).
void closeRecordOptions(AppState& app);

}  // namespace pelkit
