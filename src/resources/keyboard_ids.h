// Identifiers of the keyboard pitch dialog KEYBOARD (opened by menu command 40005).
#pragma once

namespace pelkit::id {

inline constexpr int kKeyboardKey0 = 1409;  // key n (0..84) is 1409 + n
inline constexpr int kKeyboardKeyLast = 1493;
inline constexpr int kKeyboardOctaveUp = 1494;     // ">"
inline constexpr int kKeyboardOctaveDown = 1495;   // "<"
inline constexpr int kKeyboardOctaveReset = 1496;  // "0"
inline constexpr int kKeyboardOctaveDown2 = 1497;  // "<<"
inline constexpr int kKeyboardOctaveUp2 = 1498;    // ">>"
inline constexpr int kKeyboardCancel = 2;

}  // namespace pelkit::id
