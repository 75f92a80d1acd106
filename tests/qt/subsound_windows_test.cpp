// The windows beside the main window: the sub sound "all" and "setting" dialogs and the keyboard
// open from their buttons and menu entry, stay open and working while the main window is used
// and a file plays, and close one at a time.
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"
#include "resources/keyboard_ids.h"
#include "resources/subsound_ids.h"
#include "state/app_state.h"

using namespace pelkit;
using namespace pelkit::test;

namespace {

// The titles of the visible windows, the main window's by the file it names; sorted.
QStringList visibleTitles() {
    QStringList titles;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        const QString title = w->windowTitle();
        titles << (title.contains("..") ? title.section('/', -1).section("..", 0, 0) : title);
    }
    titles.sort();
    return titles;
}

}  // namespace

class SubSoundWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void windowsBesideTheMainWindow() {
        CoreUnderTest core;
        const std::string song = core.dir.file("song.wav");
        writeFile(song, stereoTestSound(44100 * 3));
        QVERIFY(core.run(
            [&] {
                TemplateDialog& w = core.window();
                SubSoundUi& ui = core.app.subSoundUi;
                QTest::mouseClick(w.control(id::kSubSoundAll), Qt::LeftButton);
                QTest::mouseClick(w.control(id::kSubSoundSetting), Qt::LeftButton);
                w.menuAction(id::kKeyboard)->trigger();
                TemplateDialog* all = core.host.dialog(ui.allWindow);
                TemplateDialog* setting = core.host.dialog(ui.settingWindow);
                TemplateDialog* keys = core.host.dialog(core.app.keyboard.window);
                QVERIFY(all && setting && keys);
                QCOMPARE(all->windowTitle(), QString("sub sound"));
                QCOMPARE(setting->windowTitle(), QString("sub sound setting"));
                QCOMPARE(keys->windowTitle(), QString("main pitch keyboard"));
                QVERIFY(all->isVisible() && setting->isVisible() && keys->isVisible());
                QVERIFY(!all->isModal() && !setting->isModal() && !keys->isModal());

                // The main window goes on taking clicks; a second "setting" opens nothing.
                QTest::mouseClick(w.control(id::kSubSoundSetting), Qt::LeftButton);
                QCOMPARE(core.host.dialog(ui.settingWindow), setting);
                QTest::mouseClick(w.control(1022), Qt::LeftButton);
                QCOMPARE(core.text(1026), QString("73728"));
                QTest::mouseClick(w.control(1020), Qt::LeftButton);

                // A slot opened from the "all" dialog, started from the main window's row.
                core.host.fileAnswers.push_back(QString::fromStdString(song));
                QTest::mouseClick(all->control(id::kSubSoundSlotButton0), Qt::LeftButton);
                QCOMPARE(all->controlText(id::kSubSoundSlotButton0), QString("1"));
                QVERIFY(w.control(id::kSubSoundPlay0)->isEnabled());

                // Play while all three are open: a key starts it, the setting dialog follows.
                core.host.fileAnswers.push_back(QString::fromStdString(song));
                w.menuAction(id::kOpen)->trigger();
                QTest::mouseClick(keys->control(id::kKeyboardKey0 + 36), Qt::LeftButton);
                QTRY_VERIFY(core.out.canAdvance());
                QTest::mouseClick(w.control(id::kSubSoundPlay0), Qt::LeftButton);
                // Each refill shows the slot as the block begins: two blocks mixed, 98,304 bytes.
                QCOMPARE(core.playToEnd(3), 3);
                QTRY_COMPARE(setting->controlText(id::kSettingPlayedTime), QString("0000:00.557"));
                QTest::mouseClick(keys->control(id::kKeyboardKey0 + 48), Qt::LeftButton);
                QCOMPARE(core.text(id::kFieldPitch), QString("200"));
                QVERIFY(all->isVisible() && setting->isVisible() && keys->isVisible());

                // Each closes alone: the keyboard by its button, the setting dialog by its close
                // box; the "all" dialog stays while the rest of the play is heard.
                QTest::mouseClick(keys->control(id::kKeyboardCancel), Qt::LeftButton);
                setting->close();
                QCOMPARE(core.app.keyboard.window, kNoWindow);
                QCOMPARE(ui.settingWindow, kNoWindow);
                QTRY_COMPARE(visibleTitles(), (QStringList{"song.wav", "sub sound"}));
                core.playToEnd(100);
                QVERIFY(!core.out.isOpen());
                QVERIFY(core.host.dialog(ui.allWindow) == all);
            },
            ""));
        // The main window's close took the "all" dialog with it.
        QCOMPARE(core.app.subSoundUi.allWindow, kNoWindow);
    }
};

QTEST_MAIN(SubSoundWindowsTest)
#include "subsound_windows_test.moc"
