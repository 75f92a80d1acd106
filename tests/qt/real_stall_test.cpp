// How long the window thread ever stalls on the real sound devices, through a private sound
// server: while a take is recorded and ends, a file loads, a play starts and stops, and the
// window closes. PortAudio starts in the background once the window is up, as in the program.
#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "app/program.h"
#include "devices/portaudio/portaudio_devices.h"
#include "devices/system/system_clock.h"
#include "hosts/qt/qt_program.h"
#include "portaudio/sound_server.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"

using namespace pelkit;
using namespace pelkit::test;

namespace {

// The longest time between the ticks of a 10 ms timer of the window's event loop, phase by
// phase: how long the window thread stalled while it did each thing.
class StallMeter {
  public:
    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            qint64& longest = longest_[phase_];
            longest = std::max(longest, since_.restart());
        });
    }
    void start() {
        since_.start();
        timer_.start(10);
    }
    // What the window does from now on.
    void phase(const std::string& name) { phase_ = name; }
    // The longest gap in PHASE.
    qint64 longest(const std::string& phase) const {
        auto it = longest_.find(phase);
        return it == longest_.end() ? 0 : it->second;
    }
    // "phase: N ms" for every phase.
    QString report() const {
        QStringList parts;
        for (const auto& [phase, gap] : longest_)
            parts << QString("%1: %2 ms").arg(QString::fromStdString(phase)).arg(gap);
        return parts.join(", ");
    }

  private:
    QTimer timer_;
    QElapsedTimer since_;
    std::map<std::string, qint64> longest_;
    std::string phase_;
};

}  // namespace

class RealStallTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void theWindowOnRealDevicesNeverStallsForMoreThan100Milliseconds() {
        PrivateSoundServer server;
        if (!server.running()) {
            if (std::getenv("CI")) QFAIL("the private sound server did not start");
            QSKIP("no sound server can be started here (pulseaudio missing?)");
        }
        setenv("PULSE_SERVER", server.address().c_str(), 1);
        TempDir dir;
        WorkingDirectory cwd(dir.path());
        writeFile(dir.file("song.wav"), stereoTestSound(2 * 44100));

        MessageQueue queue;
        PortAudioSystem system;
        PortAudioOut out(system, queue);
        PortAudioIn in(system, queue);
        AnsweringHost host(queue);
        SystemClock clock;
        Platform platform{host, out, in, clock, queue};
        Program program(platform, "", "");
        AppState& app = program.state();
        host.setMainWindow(&program.mainWindow());
        host.setWavePainter(
            [&program](WaveWindow which, Canvas& canvas) { program.paint(which, canvas); });

        StallMeter meter;
        QString failed;
        auto body = [&](TemplateDialog& w) {
            auto expect = [&](bool ok, const char* what) {
                if (!ok && failed.isEmpty()) failed = what;
                return ok;
            };
            auto text = [&](int id) { return w.controlText(id); };
            meter.start();
            meter.phase("start-up");
            // As the window program does once its window has painted.
            QTimer::singleShot(100, [&] { system.startInBackground(); });
            QTest::qWait(1000);
            meter.phase("start of the take");
            QTest::mouseClick(w.control(id::kRecord), Qt::LeftButton);
            if (expect(QTest::qWaitFor([&] { return app.modes.recording; }, 5000), "recording")) {
                meter.phase("take");
                QTest::qWait(1500);
                meter.phase("end of take");
                QTest::mouseClick(w.control(id::kRecordStop), Qt::LeftButton);
                expect(QTest::qWaitFor(
                           [&] {
                               return !app.modes.recording && !in.isOpen() &&
                                      exists(dir.file("record.wav")) &&
                                      !app.recorder.finishScheduled;
                           },
                           10000),
                       "the take's end");
            }
            meter.phase("load");
            program.mainWindow().onDrop(dir.file("song.wav"));
            expect(text(id::kFieldStatus) == "loaded", "load");
            QTest::qWait(50);
            meter.phase("play");
            QTest::mouseClick(w.control(id::kPlay), Qt::LeftButton);
            if (expect(QTest::qWaitFor([&] { return app.modes.playing; }, 5000), "playing")) {
                QTest::qWait(800);
                meter.phase("stop");
                QTest::mouseClick(w.control(id::kPlayStop), Qt::LeftButton);
                expect(QTest::qWaitFor([&] { return !out.isOpen(); }, 5000), "stop");
            }
            QTest::qWait(100);
            meter.phase("close");
            w.close();
            expect(QTest::qWaitFor([&] { return program.mainWindow().ended(); }, 5000), "close");
            QTest::qWait(50);
        };
        host.setWindowObserver([&](WindowHandle, TemplateDialog& w) {
            if (w.isMain()) QTimer::singleShot(0, &w, [&] { body(w); });
        });
        host.runModal("MAIN_RECORD", program.mainWindow());
        host.setMainWindow(nullptr);
        unsetenv("PULSE_SERVER");

        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QVERIFY(readFile(dir.file("record.wav")).size() > 44 + 100000);
        qInfo("real devices, longest gaps between 10 ms ticks: %s", qPrintable(meter.report()));
        for (const char* phase : {"end of take", "load", "play", "stop", "close"}) {
            QVERIFY2(meter.longest(phase) <= 100, phase);
        }
    }
};

QTEST_MAIN(RealStallTest)
#include "real_stall_test.moc"
