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
#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "resources/templates.h"

using namespace pelkit;
using namespace pelkit::test;

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

// Every text a window shows in its widgets and menus, with where it is.
std::vector<std::pair<QString, QString>> shownTexts(const QWidget& w) {
    std::vector<std::pair<QString, QString>> texts = {{"title", w.windowTitle()}};
    for (auto* b : w.findChildren<QPushButton*>())
        texts.push_back({"button", b->text()});
    for (auto* l : w.findChildren<QLabel*>())
        texts.push_back({"label", l->text()});
    for (auto* g : w.findChildren<QGroupBox*>())
        texts.push_back({"group", g->title()});
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
        texts.push_back({"menu", a->text()});
    return texts;
}

// The template texts of DEF, as its widgets show them ('&' doubled).
std::multiset<QString> templateTexts(const TemplateDef& def) {
    std::multiset<QString> texts;
    auto shown = [](const std::string& t) { return QString::fromStdString(t).replace('&', "&&"); };
    for (const ControlDef& c : def.controls) {
        if (c.kind == ControlKind::Button || c.kind == ControlKind::Group) {
            texts.insert(shown(c.text));
        } else if (c.kind == ControlKind::Label) {
            texts.insert(QString::fromStdString(c.text));
        }
    }
    std::vector<const MenuEntry*> open;
    for (const MenuEntry& e : def.menu)
        open.push_back(&e);
    while (!open.empty()) {
        const MenuEntry* e = open.back();
        open.pop_back();
        texts.insert(shown(e->text));
        for (const MenuEntry& child : e->children)
            open.push_back(&child);
    }
    return texts;
}

// What only one of SHOWN and EXPECTED holds, marked "+" (shown) or "-" (expected).
QStringList difference(const std::multiset<QString>& shown,
                       const std::multiset<QString>& expected) {
    QStringList out;
    std::vector<QString> extra, missing;
    std::set_difference(shown.begin(), shown.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra));
    std::set_difference(expected.begin(), expected.end(), shown.begin(), shown.end(),
                        std::back_inserter(missing));
    for (const QString& t : extra)
        out << "+" + t;
    for (const QString& t : missing)
        out << "-" + t;
    return out;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    bool expectJapanese_ = false;

  private slots:
    void initTestCase() {
        const QByteArray lang = qgetenv("LANG");
        QVERIFY2(lang.startsWith("ja_JP") || lang.startsWith("en_US"),
                 "run by CTest with LANG=ja_JP.UTF-8 or LANG=en_US.UTF-8");
        expectJapanese_ = lang.startsWith("ja");
        // As the window program chooses: from the locale.
        prepareApplication(*qobject_cast<QApplication*>(qApp), languageFor(QLocale::system()));
    }

    void theMainWindowSpeaksTheLocalesLanguage() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            const TemplateDef& def = *findTemplate("MAIN_RECORD");
            std::multiset<QString> shown;
            for (const auto& [where, text] : shownTexts(core.window())) {
                if (where == "title") {
                    QVERIFY2(japanese(text) == expectJapanese_, qPrintable(text));
                    continue;
                }
                shown.insert(text);
                if (!expectJapanese_) QVERIFY2(!japanese(text), qPrintable(where + ": " + text));
            }
            if (expectJapanese_) {
                const QStringList diff = difference(shown, templateTexts(def));
                QVERIFY2(diff.isEmpty(), qPrintable(diff.join(" | ")));
            }
        }));
    }

    void everyDialogSpeaksTheLocalesLanguage() {
        for (const TemplateDef& def : allTemplates()) {
            if (!def.visible) continue;
            TemplateDialog dialog(def, false, {}, {}, nullptr);
            std::multiset<QString> shown;
            for (const auto& [where, text] : shownTexts(dialog)) {
                const QString what = QString::fromStdString(def.name) + " " + where + ": " + text;
                if (!expectJapanese_) QVERIFY2(!japanese(text), qPrintable(what));
                if (where == "title") {
                    if (expectJapanese_) QCOMPARE(text, QString::fromStdString(def.caption));
                } else {
                    shown.insert(text);
                }
            }
            if (expectJapanese_) {
                const QStringList diff = difference(shown, templateTexts(def));
                QVERIFY2(diff.isEmpty(), qPrintable(diff.join(" | ")));
            }
        }
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
