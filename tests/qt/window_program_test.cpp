// The whole window program on the real sound devices: started on a file with the play option,
// it plays the file to the end into the null sink of a private sound server, whose monitor is
// recorded meanwhile.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "portaudio/sound_server.h"
#include "support/test_support.h"

using namespace pelkit::test;

namespace {

constexpr int kRate = 44100;

// Two seconds of a 441 Hz sine on both channels.
Bytes sineWav(double seconds) {
    std::vector<int16_t> values;
    const int frames = static_cast<int>(seconds * kRate);
    for (int i = 0; i < frames; ++i) {
        auto v = static_cast<int16_t>(12000 * std::sin(2 * M_PI * 441 * i / kRate));
        values.push_back(v);
        values.push_back(v);
    }
    return canonicalWav(2, kRate, 16, samples16(values));
}

// The first and last frame of a 16-bit stereo recording whose level exceeds THRESHOLD, in
// seconds; both -1 when it stays quiet.
std::pair<double, double> soundSpan(const Bytes& wav, int threshold) {
    // parecord writes a plain 44-byte header for this format.
    int first = -1, last = -1;
    const size_t frames = wav.size() > 44 ? (wav.size() - 44) / 4 : 0;
    for (size_t f = 0; f < frames; ++f) {
        const uint8_t* p = wav.data() + 44 + 4 * f;
        int left = static_cast<int16_t>(p[0] | (p[1] << 8));
        if (std::abs(left) > threshold) {
            if (first < 0) first = static_cast<int>(f);
            last = static_cast<int>(f);
        }
    }
    if (first < 0) return {-1, -1};
    return {first / double(kRate), last / double(kRate)};
}

}  // namespace

class WindowProgramTest : public QObject {
    Q_OBJECT

  private slots:
    void playOptionPlaysTheFileIntoTheSoundServer() {
        PrivateSoundServer server;
        if (!server.running()) {
            if (std::getenv("CI")) QFAIL("the private sound server did not start");
            QSKIP("no sound server can be started here (pulseaudio missing?)");
        }
        TempDir dir;
        writeFile(dir.file("song.wav"), sineWav(2.0));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", QString::fromStdString(server.address()));
        env.insert("QT_QPA_PLATFORM", "offscreen");

        QProcess recorder;
        recorder.setProcessEnvironment(env);
        recorder.setWorkingDirectory(QString::fromStdString(dir.path()));
        recorder.start("parecord",
                       {"--device=pelkit_null.monitor", "--file-format=wav", "--format=s16le",
                        "--rate=44100", "--channels=2", "capture.wav"});
        QVERIFY2(recorder.waitForStarted(5000), "parecord (pulseaudio-utils) is needed");
        QTest::qWait(400);

        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QString::fromStdString(dir.path()));
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QString::fromStdString(programPath()), {"/p", "song.wav"});
        QVERIFY(program.waitForStarted(5000));

        // The sound lasts two seconds; the program then stays open, as it would for a person.
        QTest::qWait(4000);
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished(5000);
        recorder.terminate();
        QVERIFY(recorder.waitForFinished(5000));

        const Bytes capture = readFile(dir.file("capture.wav"));
        auto [start, end] = soundSpan(capture, 2000);
        QVERIFY2(start >= 0, "nothing reached the sound server");
        const double heard = end - start;
        QVERIFY2(heard > 1.9 && heard < 2.1, qPrintable(QString("heard %1 s").arg(heard)));
    }

    void startedFromTheDesktopEntryItEndsOnSigtermAsItsCloseDoes() {
        TempDir home, cwd;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", QString::fromStdString(home.path()));
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_STATE_HOME");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QString::fromStdString(cwd.path()));
        program.start(QString::fromStdString(programPath()), {"--desktop"});
        QVERIFY(program.waitForStarted(5000));
        const std::string ini = home.file(".config/pelkit_recorder/pelkit_recorder.ini");
        QVERIFY(QTest::qWaitFor(
            [&] { return readText(ini).find("endstatus=start") != std::string::npos; }, 10000));
        program.terminate();  // SIGTERM
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(readText(ini).find("endstatus=ok") != std::string::npos);
        QVERIFY(QDir(QString::fromStdString(cwd.path())).isEmpty());
    }

    // The sound devices start in the background after the first paint. A sound server that
    // takes connections but never answers holds that start for as long as it lives; a window
    // closed meanwhile still ends the program at once.
    void aSoundServerThatNeverAnswersDoesNotHoldTheEnd() {
        TempDir dir;
        const std::string socketPath = dir.file("silent");
        const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        QVERIFY(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(::listen(server, 16) == 0);  // connections wait in the backlog, unanswered

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", QString::fromStdString("unix:" + socketPath));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QString::fromStdString(dir.path()));
        program.start(QString::fromStdString(programPath()), QStringList{});
        QVERIFY(program.waitForStarted(5000));
        // The start of the devices has reached the server.
        QVERIFY(QTest::qWaitFor(
            [&] {
                pollfd p{server, POLLIN, 0};
                return ::poll(&p, 1, 0) > 0;
            },
            10000));
        QElapsedTimer closing;
        closing.start();
        program.terminate();  // SIGTERM: the window closes as by its close box
        const bool ended = program.waitForFinished(10000);
        const qint64 took = closing.elapsed();
        ::close(server);  // lets a program still waiting go on, so it ends
        program.waitForFinished(10000);
        QVERIFY2(ended, "the program waited for the sound server");
        QVERIFY2(took < 5000, qPrintable(QString("ended %1 ms after SIGTERM").arg(took)));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(readText(dir.file("pelkit_recorder.ini")).find("endstatus=ok") !=
                std::string::npos);
    }
};

QTEST_GUILESS_MAIN(WindowProgramTest)
#include "window_program_test.moc"
