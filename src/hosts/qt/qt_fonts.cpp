#include "hosts/qt/qt_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace pelkit {

// Sizes in pixels: the templates place controls in pixels, so the text must not grow with the
// screen's font resolution.
QFont captionFont() {
    QFont font(kJapaneseFace);
    font.setPixelSize(kFontPixelSize);
    font.setFamilies({kJapaneseFace, "Noto Sans"});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont fieldFont() {
    QFont font(kJapaneseMonoFace);
    font.setPixelSize(kFontPixelSize);
    font.setFamilies({kJapaneseMonoFace, "Noto Sans Mono", kJapaneseFace});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

}  // namespace pelkit
