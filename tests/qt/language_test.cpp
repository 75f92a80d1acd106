// The windows' language as the locale chooses it: run by CTest under LANG=ja_JP.UTF-8, where
// every window shows its template's texts, and under LANG=en_US.UTF-8, where no menu, caption,
// button, label or title shows a Japanese character.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <set>

#include "hosts/qt/qt_program.h"
#include "hosts/qt/template_dialog.h"
#include "resources/templates.h"

using namespace pelkit;

namespace {

bool japanese(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        // Kana, CJK punctuation and ideographs, and the half- and full-width forms.
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

// Every text the window shows: its title, buttons, labels, group captions and menu entries.
std::multiset<QString> shownTexts(const QWidget& w) {
    std::multiset<QString> texts = {w.windowTitle()};
    for (auto* b : w.findChildren<QPushButton*>())
        texts.insert(b->text());
    for (auto* l : w.findChildren<QLabel*>())
        texts.insert(l->text());
    for (auto* g : w.findChildren<QGroupBox*>())
        texts.insert(g->title());
    // Each entry once, wherever it is listed (a popup's title is the text of its entry).
    std::set<QAction*> entries;
    for (auto* bar : w.findChildren<QMenuBar*>()) {
        for (QAction* a : bar->actions())
            entries.insert(a);
    }
    for (auto* m : w.findChildren<QMenu*>()) {
        for (QAction* a : m->actions())
            entries.insert(a);
    }
    for (QAction* a : entries)
        texts.insert(a->text());
    return texts;
}

// The same texts as the template gives them ('&' doubled where Qt reads mnemonics).
std::multiset<QString> templateTexts(const TemplateDef& def) {
    auto literal = [](const std::string& t) {
        return QString::fromStdString(t).replace('&', "&&");
    };
    std::multiset<QString> texts = {QString::fromStdString(def.caption)};
    for (const ControlDef& c : def.controls) {
        if (c.kind == ControlKind::Button || c.kind == ControlKind::Group)
            texts.insert(literal(c.text));
        // A file name field is a label too, empty until a file is named.
        if (c.kind == ControlKind::Label || c.kind == ControlKind::Name)
            texts.insert(QString::fromStdString(c.text));
    }
    std::vector<const MenuEntry*> open;
    for (const MenuEntry& e : def.menu)
        open.push_back(&e);
    while (!open.empty()) {
        const MenuEntry* e = open.back();
        open.pop_back();
        texts.insert(literal(e->text));
        for (const MenuEntry& child : e->children)
            open.push_back(&child);
    }
    return texts;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void everyWindowSpeaksTheLocalesLanguage() {
        const QByteArray lang = qgetenv("LANG");
        QVERIFY2(lang.startsWith("ja_JP") || lang.startsWith("en_US"),
                 "run by CTest with LANG=ja_JP.UTF-8 or LANG=en_US.UTF-8");
        const bool expectJapanese = lang.startsWith("ja");
        // As the window program chooses: from the locale.
        prepareApplication(*qobject_cast<QApplication*>(qApp), languageFor(QLocale::system()));
        for (const TemplateDef& def : allTemplates()) {
            if (!def.visible) continue;
            TemplateDialog window(def, def.name == "MAIN_RECORD", {}, {}, nullptr);
            const std::multiset<QString> shown = shownTexts(window);
            if (expectJapanese) {
                QVERIFY2(shown == templateTexts(def), def.name.c_str());
                continue;
            }
            for (const QString& text : shown)
                QVERIFY2(!japanese(text),
                         qPrintable(QString::fromStdString(def.name) + ": " + text));
        }
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
