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
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle window, int bar, int code, int thumb) override;
    void onClose(WindowHandle window) override;

    // The two scroll bars; no other control of the template uses these ids.
    static constexpr int kAuxBar = 1180;
    static constexpr int kSkipLevelBar = 1181;

    // Buttons.
    static constexpr int kAuxReset = 1096;
    static constexpr int kSkipLevelReset = 1099;
    static constexpr int kLanguage = 1103;
    static constexpr int kLoopStart = 1126;
    static constexpr int kJumpStart = 1133;
    static constexpr int kDisplayOnOff = 1135;
    static constexpr int kSpectrum = 1136;
    static constexpr int kVerticalDown = 1137;
    static constexpr int kVerticalUp = 1138;
    static constexpr int kVerticalOne = 1139;
    static constexpr int kHorizontalUp = 1140;
    static constexpr int kHorizontalOne = 1141;
    static constexpr int kHorizontalDown = 1142;
    static constexpr int kSeamUp = 1143;
    static constexpr int kSeamZero = 1144;
    static constexpr int kSeamDown = 1145;
    static constexpr int kUnitUp = 1146;
    static constexpr int kUnitDefault = 1147;
    static constexpr int kUnitDown = 1148;
    static constexpr int kShowLeft = 1149;
    static constexpr int kShowRight = 1150;
    static constexpr int kMixingToggle = 1152;
    static constexpr int kMixingShow = 1153;
    static constexpr int kWriteMode = 1159;

    // Fields.
    static constexpr int kAuxField = 1097;
    static constexpr int kAuxDevices = 1098;
    static constexpr int kSkipLevelField = 1100;
    static constexpr int kSeamField = 1101;
    static constexpr int kVerticalField = 1102;
    static constexpr int kHorizontalField = 1104;
    static constexpr int kMixingField = 1105;
    static constexpr int kUnitField = 1106;
    static constexpr int kLoopSizeField = 1127;
    static constexpr int kMinutesField = 1128;
    static constexpr int kJumpMaxField = 1134;

    static constexpr uint32_t kMinimumLoopSize = 100000;
    static constexpr float kAuxDefault = 1.4f;

    float auxValue() const { return aux_; }

  private:
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

}  // namespace pelkit
