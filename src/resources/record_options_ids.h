// Identifiers of the record options dialog REC_OPTION. Its display buttons (1135 to 1142) are
// sent on to the main window as the commands of the same numbers.
#pragma once

namespace pelkit::id::options {

// The two scroll bars; no other control of the template uses these ids.
inline constexpr int kAuxBar = 1180;
inline constexpr int kSkipLevelBar = 1181;

// Buttons.
inline constexpr int kAuxReset = 1096;
inline constexpr int kSkipLevelReset = 1099;
inline constexpr int kLanguage = 1103;
inline constexpr int kLoopStart = 1126;
inline constexpr int kJumpStart = 1133;
inline constexpr int kDisplayOnOff = 1135;
inline constexpr int kSpectrum = 1136;
inline constexpr int kVerticalDown = 1137;
inline constexpr int kVerticalUp = 1138;
inline constexpr int kVerticalOne = 1139;
inline constexpr int kHorizontalUp = 1140;
inline constexpr int kHorizontalOne = 1141;
inline constexpr int kHorizontalDown = 1142;
inline constexpr int kSeamUp = 1143;
inline constexpr int kSeamZero = 1144;
inline constexpr int kSeamDown = 1145;
inline constexpr int kUnitUp = 1146;
inline constexpr int kUnitDefault = 1147;
inline constexpr int kUnitDown = 1148;
inline constexpr int kShowLeft = 1149;
inline constexpr int kShowRight = 1150;
inline constexpr int kMixingToggle = 1152;
inline constexpr int kMixingShow = 1153;
inline constexpr int kWriteMode = 1159;

// Fields.
inline constexpr int kAuxField = 1097;
inline constexpr int kAuxDevices = 1098;
inline constexpr int kSkipLevelField = 1100;
inline constexpr int kSeamField = 1101;
inline constexpr int kVerticalField = 1102;
inline constexpr int kHorizontalField = 1104;
inline constexpr int kMixingField = 1105;
inline constexpr int kUnitField = 1106;
inline constexpr int kLoopSizeField = 1127;
inline constexpr int kMinutesField = 1128;
inline constexpr int kJumpMaxField = 1134;

}  // namespace pelkit::id::options
