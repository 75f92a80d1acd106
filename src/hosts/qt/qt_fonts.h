// The faces the window program uses. Japanese captions need a Japanese CJK face chosen by name:
// left to itself, Qt may take the Chinese or Korean face of the same family under some locales,
// and those draw several kanji differently.
#pragma once

#include <QFont>

namespace pelkit {

inline constexpr const char* kJapaneseFace = "Noto Sans CJK JP";
inline constexpr const char* kJapaneseMonoFace = "Noto Sans Mono CJK JP";
inline constexpr int kFontPixelSize = 12;

// Captions, buttons and menus.
QFont captionFont();
// Edit and read-only fields: numbers, times and the level bar line up in a fixed-width face.
QFont fieldFont();

}  // namespace pelkit
