// The main window as a desktop program: its standard keys, a stop signal mid-take, and how long
// the window thread ever stalls while a take ends, a file loads, a play runs and the window
// closes.
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
#include "stall_meter.h"

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
        QCOMPARE(readText(core.dir.file("pelkit_recorder.ini")).find("endstatus=ok") !=
                     std::string::npos,
                 true);
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
            // A message box left open is answered by the close, not by a person.
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            core.host.whileOpen = [] { QTest::qWait(200); };
            QVERIFY(QTest::qWaitFor([&] { return core.mainWindow.ended(); }, 10000));
        }));
        QCOMPARE(readFile(core.dir.file("record.wav")),
                 canonicalWav(2, 44100, 16, Bytes(input.begin(), input.begin() + 3 * kBlock)));
        QVERIFY(readText(core.dir.file("pelkit_recorder.ini")).find("endstatus=ok") !=
                std::string::npos);
    }

    void theWindowNeverStallsForMoreThan100Milliseconds() {
        CoreUnderTest core(true);  // the core's own waits take real time here
        const Bytes input = patternBytes(120 * kBlock, 5);
        writeFile(core.dir.file("in.wav"), canonicalWav(2, 44100, 16, input));
        writeFile(core.dir.file("long.wav"), stereoTestSound(10 * 44100));
        QVERIFY(core.in.setInputFile(core.dir.file("in.wav")));
        StallMeter meter;
        QVERIFY(core.run([&] {
            TemplateDialog& w = core.window();
            meter.start();
            meter.phase("start-up");
            QTest::qWait(500);
            meter.phase("take");
            QTest::mouseClick(w.control(id::kRecord), Qt::LeftButton);
            QVERIFY(QTest::qWaitFor([&] { return core.in.canAdvance(); }));
            for (int i = 0; i < 100; ++i) {
                QVERIFY(QTest::qWaitFor([&] { return core.in.fillOne(); }));
                QTest::qWait(2);
            }
            meter.phase("end of take");
            QTest::mouseClick(w.control(id::kRecordStop), Qt::LeftButton);
            QVERIFY(QTest::qWaitFor(
                [&] {
                    return !core.app.modes.recording && !core.in.isOpen() &&
                           exists(core.dir.file("record.wav")) &&
                           !core.app.recorder.finishScheduled;
                },
                5000));
            QCOMPARE(core.text(id::kFieldSize), QString::number(100 * kBlock));

            meter.phase("load");
            core.mainWindow.onDrop(core.dir.file("long.wav"));
            QCOMPARE(core.text(id::kFieldStatus), QString("loaded"));
            QTest::qWait(50);

            meter.phase("play");
            QTest::mouseClick(w.control(id::kPlay), Qt::LeftButton);
            QVERIFY(QTest::qWaitFor([&] { return core.out.canAdvance(); }));
            for (int i = 0; i < 20 && core.out.isOpen(); ++i) {
                core.out.finishOne();
                QTest::qWait(15);
            }
            meter.phase("stop");
            QTest::mouseClick(w.control(id::kPlayStop), Qt::LeftButton);
            QVERIFY(QTest::qWaitFor([&] { return !core.out.isOpen(); }));
            QTest::qWait(50);

            meter.phase("close");
            w.close();
            QVERIFY(QTest::qWaitFor([&] { return core.mainWindow.ended(); }));
            QTest::qWait(50);
        }));
        qInfo("longest gaps between 10 ms ticks: %s", qPrintable(meter.report()));
        for (const char* phase : {"end of take", "load", "play", "stop", "close"}) {
            QVERIFY2(meter.longest(phase) <= 100, phase);
        }
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
