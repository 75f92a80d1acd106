#include "platform/qt/qt_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace pelkit {

QFont captionFont() {
    QFont font(kJapaneseFace, kFontPointSize);
    font.setFamilies({kJapaneseFace, "Noto Sans"});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont fieldFont() {
    QFont font(kJapaneseMonoFace, kFontPointSize);
    font.setFamilies({kJapaneseMonoFace, "Noto Sans Mono", kJapaneseFace});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

}  // namespace pelkit
