// The main window as a desktop program: its standard keys, and a stop signal mid-take.
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>

#include "devices/system/stop_signals.h"
#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"

using namespace pelkit;
using namespace pelkit::test;

namespace {

constexpr size_t kBlock = 49152;

}  // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void openQuitAndHelpHaveTheStandardKeysShownInTheMenu() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            TemplateDialog& w = core.window();
            w.show();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            struct Key {
                int id;
                QKeySequence keys;
            };
            for (const Key& k :
                 {Key{id::kOpen, QKeySequence("Ctrl+O")}, Key{id::kHelp, QKeySequence("F1")},
                  Key{id::kExit, QKeySequence("Ctrl+Q")}}) {
                QAction* action = w.menuAction(k.id);
                QVERIFY(action);
                // The menu shows the action's shortcut beside its text.
                QCOMPARE(action->shortcut(), k.keys);
                QSignalSpy triggered(action, &QAction::triggered);
                QTest::keySequence(&w, k.keys);
                QCOMPARE(triggered.count(), 1);
            }
            // Ctrl+O asked for a file, Ctrl+Q ended the program as the close box does.
            QVERIFY(!core.host.seen.empty() && core.host.seen.front().fileDialog);
            QVERIFY(core.mainWindow.ended());
        }));
        QVERIFY(readText(core.dir.file("pelkit_recorder.ini")).find("endstatus=ok") !=
                std::string::npos);
    }

    void aStopSignalMidTakeFinishesTheTakeAndEndsTheProgram() {
        StopSignals stop;
        QVERIFY(stop.active());
        CoreUnderTest core;
        core.host.watchStopSignals(stop);
        const Bytes input = patternBytes(6 * kBlock, 11);
        writeFile(core.dir.file("in.wav"), canonicalWav(2, 44100, 16, input));
        QVERIFY(core.in.setInputFile(core.dir.file("in.wav")));
        QVERIFY(core.run([&] {
            QTest::mouseClick(core.window().control(id::kRecord), Qt::LeftButton);
            QVERIFY(QTest::qWaitFor([&] { return core.in.canAdvance(); }));
            for (int i = 0; i < 3; ++i) {
                QVERIFY(core.in.fillOne());
                QTest::qWait(5);
            }
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            QVERIFY(QTest::qWaitFor([&] { return core.mainWindow.ended(); }, 10000));
        }));
        QCOMPARE(readFile(core.dir.file("record.wav")),
                 canonicalWav(2, 44100, 16, Bytes(input.begin(), input.begin() + 3 * kBlock)));
        QVERIFY(readText(core.dir.file("pelkit_recorder.ini")).find("endstatus=ok") !=
                std::string::npos);
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
