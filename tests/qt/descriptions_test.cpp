// What the windows tell about their controls, and the transport keys: every control and menu
// entry of every template has a description (tooltip and accessible description, or status
// tip) and an accessible name in Japanese and in English; Space, R and Esc work the transport
// and never fire while a text field has the focus.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "hosts/qt/qt_language.h"
#include "hosts/qt/qt_program.h"
#include "hosts/qt/transport_keys.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"
#include "resources/templates.h"

using namespace pelkit;
using namespace pelkit::test;

namespace {

bool japanese(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

QWidget* widgetOf(const TemplateDialog& w, const ControlDef& c) {
    if (c.kind == ControlKind::ScrollBar) return w.scrollBar(c.id);
    if (c.kind == ControlKind::Wave)
        return w.wave(c.id == -3 ? WaveWindow::Lower : WaveWindow::Upper);
    return w.control(c.id);
}

// What is wrong with the texts WHERE shows, or empty: both set, and English when asked.
QString fault(const QString& where, const QString& name, const QString& description, bool english) {
    if (name.isEmpty()) return where + ": no accessible name";
    if (description.isEmpty()) return where + ": no description";
    if (english && (japanese(name) || japanese(description)))
        return where + ": not in English: " + name + " / " + description;
    return {};
}

}  // namespace

class DescriptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void everyControlAndMenuEntryIsDescribedInBothLanguages() {
        for (Language language : {Language::Japanese, Language::English}) {
            installLanguage(*QCoreApplication::instance(), language);
            const bool english = language == Language::English;
            int checked = 0;
            for (const TemplateDef& def : allTemplates()) {
                if (!def.visible) continue;  // variants carried but never shown
                TemplateDialog w(def, def.name == "MAIN_RECORD", {}, {}, nullptr);
                addTransportKeys(w, {});
                for (const ControlDef& c : def.controls) {
                    if (c.kind == ControlKind::Label || c.kind == ControlKind::Group) continue;
                    QWidget* widget = widgetOf(w, c);
                    const QString where = QString("%1 %2").arg(def.name.c_str()).arg(c.id);
                    QVERIFY2(widget, qPrintable(where));
                    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
                    QVERIFY2(a, qPrintable(where));
                    QCOMPARE(widget->toolTip(), widget->accessibleDescription());
                    const QString wrong = fault(where, a->text(QAccessible::Name),
                                                a->text(QAccessible::Description), english);
                    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
                    ++checked;
                }
                if (!w.menuBar()) continue;
                // The two entries that share the text ヘルプ are told apart in English.
                if (english) QVERIFY(w.menuAction(40006)->text() != w.menuAction(1018)->text());
                for (QMenu* menu : w.menuBar()->findChildren<QMenu*>()) {
                    QVERIFY(!menu->title().isEmpty());
                    if (english) QVERIFY2(!japanese(menu->title()), qPrintable(menu->title()));
                    for (QAction* action : menu->actions()) {
                        if (action->menu() || action->isSeparator()) continue;
                        const QString wrong =
                            fault(QString("%1 menu %2").arg(def.name.c_str()).arg(action->text()),
                                  action->text(), action->statusTip(), english);
                        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
                        QCOMPARE(action->toolTip(), action->statusTip());
                        ++checked;
                    }
                }
            }
            QVERIFY(checked > 400);
        }
        installLanguage(*QCoreApplication::instance(), Language::Japanese);
    }

    void transportKeysWorkButNeverWhileATextFieldHasTheFocus() {
        CoreUnderTest core;
        const std::string path = core.dir.file("song.wav");
        writeFile(path, stereoTestSound(44100 * 3));
        QVERIFY(core.run(
            [&] {
                TemplateDialog& w = core.window();
                addTransportKeys(w, [&] {
                    return TransportState{core.app.modes.playing, core.app.modes.recording};
                });
                w.show();
                w.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&w));
                // The menu shows the keys.
                QStringList keys;
                for (QMenu* menu : w.menuBar()->findChildren<QMenu*>()) {
                    for (QAction* action : menu->actions())
                        if (!action->shortcut().isEmpty()) keys << action->shortcut().toString();
                }
                QVERIFY2(keys.contains("Space") && keys.contains("R") && keys.contains("Esc"),
                         qPrintable(keys.join(' ')));

                // Space plays with the focus on a bar.
                QWidget* bar = w.scrollBar(9001);
                bar->setFocus();
                QTRY_VERIFY(bar->hasFocus());
                QTest::keyClick(bar, Qt::Key_Space);
                QTRY_VERIFY(core.app.modes.playing);

                // Typed into the rate entry, the keys are text: the playback goes on.
                auto* field = qobject_cast<QLineEdit*>(w.control(id::kFieldRateEntry));
                QVERIFY(field && !field->isReadOnly());
                field->setFocus();
                QTRY_VERIFY(field->hasFocus());
                field->clear();
                QTest::keyClick(field, Qt::Key_Space);
                QTest::keyClick(field, Qt::Key_R);
                QTest::keyClick(field, Qt::Key_Escape);
                QCOMPARE(field->text(), QString(" r"));
                QTest::qWait(20);
                QVERIFY(core.app.modes.playing && !core.app.modes.recording);
                QVERIFY(core.out.isOpen());

                // Elsewhere, Esc stops.
                bar->setFocus();
                QTRY_VERIFY(bar->hasFocus());
                QTest::keyClick(bar, Qt::Key_Escape);
                core.playToEnd(100, 5);
                QVERIFY(!core.app.modes.playing);
                QVERIFY(!core.out.isOpen());
            },
            path));
    }
};

QTEST_MAIN(DescriptionsTest)
#include "descriptions_test.moc"
