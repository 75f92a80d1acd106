// The keyboard pitch dialog KEYBOARD: 85 keys over seven octaves and the octave buttons.
#include "resources/keyboard_ids.h"
#include "resources/templates_data.h"

namespace pelkit::resources {

namespace {

constexpr int kLeft = 8;
constexpr int kWhiteWidth = 14;
constexpr int kBlackWidth = 10;
constexpr int kBlackTop = 8;
constexpr int kBlackHeight = 30;
constexpr int kWhiteTop = kBlackTop + kBlackHeight + 2;
constexpr int kWhiteHeight = 40;

// Within an octave: the white keys before each of the twelve notes, and which notes are black.
constexpr int kWhitesBefore[12] = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6};
constexpr bool kBlack[12] = {false, true,  false, true,  false, false,
                             true,  false, true,  false, true,  false};

// The left edge of the white key at white index W.
int whiteX(int w) {
    return kLeft + w * kWhiteWidth;
}

}  // namespace

TemplateDef keyboard() {
    TemplateDef t;
    t.name = "KEYBOARD";
    t.caption = "main pitch keyboard";
    const int whites = 7 * 7 + 1;  // seven octaves and the top C
    t.rect = {0, 0, whiteX(whites) + kLeft, 162};
    for (int n = 0; n <= id::kKeyboardKeyLast - id::kKeyboardKey0; ++n) {
        const int w = 7 * (n / 12) + kWhitesBefore[n % 12];
        ControlDef key{
            id::kKeyboardKey0 + n, ControlKind::Button, n % 12 == 0 ? "c" : "", {}, false};
        if (kBlack[n % 12]) {
            // Raised above the gap between the white keys on either side.
            key.rect = {whiteX(w) - kBlackWidth / 2, kBlackTop, kBlackWidth, kBlackHeight};
        } else {
            key.rect = {whiteX(w), kWhiteTop, kWhiteWidth, kWhiteHeight};
        }
        t.controls.push_back(key);
    }
    // "0" under the C that plays the sound at its own pitch (key 36).
    const int unison = whiteX(7 * 3);
    t.controls.push_back(
        {-1, ControlKind::Label, "0", {unison, kWhiteTop + kWhiteHeight + 2, 14, 18}, false});

    const int row = 128;
    auto button = [&](int id, const char* text, int x, int w) {
        t.controls.push_back({id, ControlKind::Button, text, {x, row, w, 24}, false});
    };
    t.controls.push_back({-1, ControlKind::Label, "オクターブ", {kLeft, row + 2, 70, 20}, false});
    button(id::kKeyboardOctaveDown2, "<<", 82, 32);
    button(id::kKeyboardOctaveDown, "<", 116, 32);
    button(id::kKeyboardOctaveReset, "0", 150, 32);
    button(id::kKeyboardOctaveUp, ">", 184, 32);
    button(id::kKeyboardOctaveUp2, ">>", 218, 32);
    button(id::kKeyboardCancel, "ｷｬﾝｾﾙ", whiteX(whites) - 72, 72);
    return t;
}

}  // namespace pelkit::resources
