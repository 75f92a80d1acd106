// Identifiers of the file edit dialog FILEEDIT: its buttons are commands forwarded to the main
// window, its fields hold the numbers the edits take.
#pragma once

namespace pelkit::id {

// Buttons (forwarded as commands of the same number).
inline constexpr int kEditCutRange = 1055;
inline constexpr int kEditCutAll = 1506;
inline constexpr int kEditLeft = 1043;
inline constexpr int kEditRight = 1046;
inline constexpr int kEditCentre = 1049;
inline constexpr int kEditJoin = 1050;
inline constexpr int kEditRealTime = 1062;
inline constexpr int kEditDivide = 1154;
inline constexpr int kEditSpeedChange = 1058;
inline constexpr int kEditNoiseOff = 1060;
inline constexpr int kEditSpeedHq = 1063;  // the speed change by chunks or the high-quality stretch

// Fields. The speed percent field's notifications are forwarded as command 1061 with its value.
inline constexpr int kFieldEditBoostRate = 1158;
inline constexpr int kFieldEditDivisionCount = 1157;
inline constexpr int kFieldEditSpeedBuffer = 1059;
inline constexpr int kFieldEditSpeedPercent = 1061;

}  // namespace pelkit::id
