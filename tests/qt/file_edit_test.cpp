// The file edit dialog in the window program: a long edit runs from the event loop with a
// progress bar while the main window keeps answering; edits pressed meanwhile wait their turn;
// the progress bar's cancel removes what the edit had written.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "edit/file_edits.h"
#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"
#include "resources/fileedit_ids.h"

using namespace pelkit;
using namespace pelkit::test;

namespace {

// 40,000,000 bytes of 16-bit stereo sound.
constexpr size_t kSoundBytes = 40000000;

// The virtual clock of the fixture runs twenty times faster than real time meanwhile, so an
// edit has lasted "half a second" after some 25 ms.
class FastClock {
  public:
    explicit FastClock(VirtualClock& clock) : clock_(clock) {
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { clock_.advance(40); });
        timer_.start();
    }

  private:
    VirtualClock& clock_;
    QTimer timer_;
};

// The longest wait between two runs of the event loop while WHILE holds.
class LongestGap {
  public:
    explicit LongestGap(std::function<bool()> watch) : watch_(std::move(watch)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (!watch_()) return;
            if (last_.isValid())
                longest_ = std::max(longest_, last_.restart());
            else
                last_.start();
            ++ticks_;
        });
        timer_.start();
    }
    qint64 longest() const { return longest_; }
    int ticks() const { return ticks_; }

  private:
    std::function<bool()> watch_;
    QTimer timer_;
    QElapsedTimer last_;
    qint64 longest_ = 0;
    int ticks_ = 0;
};

TemplateDialog& openEditDialog(CoreUnderTest& core) {
    core.window().menuAction(id::kFileEdit)->trigger();
    TemplateDialog* d = core.host.dialog(core.app.edits.dialog);
    if (!d) qFatal("the file edit dialog did not open");
    return *d;
}

void click(TemplateDialog& d, int id) {
    qobject_cast<QPushButton*>(d.control(id))->click();
}

// Sets up a speed change that takes a while: 10,000,000 chunks of 4 bytes, stretched to 205 %.
void slowSpeedChange(TemplateDialog& d) {
    qobject_cast<QLineEdit*>(d.control(id::kFieldEditSpeedBuffer))->setText("4");
    auto* percent = qobject_cast<QLineEdit*>(d.control(id::kFieldEditSpeedPercent));
    percent->clear();
    QTest::keyClicks(percent, "205");  // typed: each key is a change of the field
}

bool partialFilesIn(const std::string& dir) {
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        if (e.path().extension() == ".part") return true;
    }
    return false;
}

}  // namespace

class FileEditTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void longEditShowsProgressWhileTheWindowAnswers() {
        CoreUnderTest core;
        const std::string path = core.dir.file("x.wav");
        writeFile(path, canonicalWav(2, 44100, 16, patternBytes(kSoundBytes)));
        FastClock fastClock(core.clock);
        QVERIFY(core.run(
            [&] {
                TemplateDialog& d = openEditDialog(core);
                QCOMPARE(d.windowTitle(), QString("file copy"));
                slowSpeedChange(d);
                QCOMPARE(core.app.edits.speedPercent, 205);
                LongestGap gap([&] { return editRunning(core.app); });
                QElapsedTimer took;
                took.start();
                click(d, id::kEditSpeedChange);
                QVERIFY(editRunning(core.app));
                QTRY_VERIFY_WITH_TIMEOUT(core.host.progress() != nullptr, 10000);
                QVERIFY(editRunning(core.app));
                QCOMPARE(core.host.progress()->labelText(),
                         QString::fromStdString(core.dir.file("x-up.wav")));
                // The main window answers a button meanwhile.
                core.window().menuAction(id::kShowExtraHeader)->trigger();
                QCOMPARE(core.text(id::kFieldStatus), QString("0"));
                const int shownAt = core.host.progress()->value();
                QTRY_VERIFY_WITH_TIMEOUT(!editRunning(core.app), 60000);
                QVERIFY2(took.elapsed() > 300, "the edit was too short to tell anything");
                QVERIFY2(gap.longest() < 200,
                         qPrintable(QString("the window waited %1 ms").arg(gap.longest())));
                QVERIFY(gap.ticks() > 20);
                QVERIFY(shownAt < 100);
                QVERIFY(core.host.progress() == nullptr);
                QVERIFY(!core.host.seen.empty());
                QCOMPARE(core.host.seen.back().caption, QString("file"));
                QCOMPARE(core.host.seen.back().text, QString("ok"));
                // Every chunk but the last is written, then the 4 bytes after it.
                QCOMPARE(readFile(core.dir.file("x-up.wav")).size(),
                         size_t{44} + 2 * (kSoundBytes - 4));
                qInfo("the edit took %lld ms; the longest wait of the window was %lld ms",
                      static_cast<long long>(took.elapsed()),
                      static_cast<long long>(gap.longest()));
            },
            path));
    }

    void editsWaitTheirTurnAndCancelRemovesWhatWasWritten() {
        CoreUnderTest core;
        const std::string path = core.dir.file("x.wav");
        const Bytes older = canonicalWav(1, 8000, 16, patternBytes(64, 5));
        writeFile(path, canonicalWav(2, 44100, 16, patternBytes(kSoundBytes)));
        writeFile(core.dir.file("x-up.wav"), older);
        FastClock fastClock(core.clock);
        QVERIFY(core.run(
            [&] {
                TemplateDialog& d = openEditDialog(core);
                slowSpeedChange(d);
                // Three presses at once: they run in turn, the speed change last.
                click(d, id::kEditLeft);
                click(d, id::kEditRight);
                click(d, id::kEditSpeedChange);
                QTRY_VERIFY_WITH_TIMEOUT(core.host.progress() != nullptr, 20000);
                QCOMPARE(readFile(core.dir.file("x_L.wav")).size(), 44 + kSoundBytes / 2);
                QCOMPARE(readFile(core.dir.file("x_R.wav")).size(), 44 + kSoundBytes / 2 - 2);
                QVERIFY(partialFilesIn(core.dir.path()));
                core.host.progress()->findChild<QPushButton*>()->click();
                QVERIFY(!editRunning(core.app));
                QVERIFY(core.host.progress() == nullptr);
                QVERIFY(!partialFilesIn(core.dir.path()));
                QCOMPARE(readFile(core.dir.file("x-up.wav")), older);
                // Only the question before the older file would be replaced; no box at the
                // end: the user stopped it.
                QCOMPARE(core.host.seen.size(), size_t{1});
                QCOMPARE(core.host.seen[0].text,
                         QString::fromStdString(core.dir.file("x-up.wav") +
                                                " already holds sound. Replace it?"));
            },
            path));
    }
};

QTEST_MAIN(FileEditTest)
#include "file_edit_test.moc"
