// What the window shows of the program's state: switches checked while on, the record options
// beside the main window, the save dialog of a sequence, and slots that got files from one.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"
#include "resources/position_comment_ids.h"
#include "resources/record_options_ids.h"
#include "resources/subsound_ids.h"
#include "state/app_state.h"

using namespace pelkit;
using namespace pelkit::test;

class WindowStateTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    // Menu entries and buttons that switch something show a check that follows each click.
    void switchesAreCheckedWhileOn() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            TemplateDialog& w = core.window();
            for (int id : {id::kContinuousPlay, id::kReverbOnOff, id::kShowWhileRecording}) {
                QAction* a = w.menuAction(id);
                QVERIFY2(a && a->isCheckable() && !a->isChecked(), qPrintable(QString::number(id)));
                a->trigger();
                QVERIFY2(a->isChecked(), qPrintable(QString::number(id)));
                a->trigger();
                QVERIFY2(!a->isChecked(), qPrintable(QString::number(id)));
            }
            for (int id : {id::kRangeToggle, id::kSkipOnOff, id::kPitchOnOff}) {
                auto* b = qobject_cast<QPushButton*>(w.control(id));
                QVERIFY(b && b->isCheckable());
                const bool on = b->isChecked();
                QTest::mouseClick(b, Qt::LeftButton);
                QCOMPARE(b->isChecked(), !on);
                QTest::mouseClick(b, Qt::LeftButton);
                QCOMPARE(b->isChecked(), on);
            }
            // The first record of a sequence asks for its file in a save dialog, named after
            // the main file; cancelled, the recording is on all the same.
            w.menuAction(id::kSequenceRecord)->trigger();
            QVERIFY(w.menuAction(id::kSequenceRecord)->isChecked());
            QCOMPARE(core.text(id::kFieldSequenceStatus), QString("sequence recording."));
        }));
    }

    void recordOptionsStayBesideTheMainWindow() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            TemplateDialog& w = core.window();
            w.menuAction(id::kRecordOptions)->trigger();  // returns at once
            TemplateDialog* options = core.host.dialog(core.app.windows.recordOptions);
            QVERIFY(options && options->isVisible() && !options->isModal());
            // The main window takes clicks meanwhile; a second entry opens nothing.
            QTest::mouseClick(w.control(1022), Qt::LeftButton);
            QCOMPARE(core.text(1026), QString("73728"));
            w.menuAction(id::kRecordOptions)->trigger();
            QCOMPARE(core.host.dialog(core.app.windows.recordOptions), options);
            // Its own switches show their state too.
            auto* spectrum = qobject_cast<QPushButton*>(options->control(id::options::kSpectrum));
            QVERIFY(spectrum && !spectrum->isChecked());
            QTest::mouseClick(spectrum, Qt::LeftButton);
            QVERIFY(spectrum->isChecked() && core.app.display.spectrumMode);
            QTest::mouseClick(options->control(id::kOk), Qt::LeftButton);
            QCOMPARE(core.app.windows.recordOptions, kNoWindow);
        }));
    }

    void sequenceSaveOffersANameFromTheMainFile() {
        CoreUnderTest core;
        const std::string song = core.dir.file("song.wav");
        writeFile(song, stereoTestSound(4410));
        QVERIFY(core.run(
            [&] {
                core.window().menuAction(id::kSequenceSave)->trigger();
                QCOMPARE(core.host.seen.size(), size_t(1));  // cancelled: no box
                const SeenDialog& files = core.host.seen[0];
                QVERIFY(files.fileDialog && files.saves);
                QCOMPARE(files.nameFilters.value(0), QString("ts1 Files (*.ts1)"));
                QCOMPARE(files.defaultSuffix, QString("ts1"));
                QCOMPARE(files.preselected, QString::fromStdString(core.dir.file("song.ts1")));
            },
            song));
    }

    // The position comment dialog offers the last comment selected, so typing replaces it.
    void commentTypedOverThePreviousOne() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            for (const char* typed : {"first", "second"}) {
                QTimer::singleShot(0, [&] {
                    TemplateDialog* d = core.host.topDialog();
                    QVERIFY(d && !d->isMain());
                    auto* field = qobject_cast<QLineEdit*>(d->control(id::kPositionCommentText));
                    QVERIFY(field);
                    QTest::keyClicks(field, typed);
                    QTest::mouseClick(d->control(id::kPositionCommentSave), Qt::LeftButton);
                });
                core.window().menuAction(id::kMarkSave)->trigger();  // returns when it ends
                QCOMPARE(QString::fromStdString(core.app.marks.comment), QString(typed));
            }
        }));
    }

    // Slots given files by a sequence file can be started by hand, and name their files.
    void slotsOfALoadedSequenceCanBeStarted() {
        CoreUnderTest core;
        const std::string bell = core.dir.file("bell.wav");
        const std::string set = core.dir.file("set.ts1");
        writeFile(bell, stereoTestSound(441));
        writeText(set, "main:" + bell + "\r\nt 2:" + bell + "\r\n");
        QVERIFY(core.run([&] {
            TemplateDialog& w = core.window();
            QVERIFY(!w.control(id::kSubSoundPlay0 + 1)->isEnabled());
            core.host.fileAnswers.push_back(QString::fromStdString(set));
            w.menuAction(id::kSequenceOpen)->trigger();
            QVERIFY(w.control(id::kSubSoundPlay0 + 1)->isEnabled());
            QVERIFY(!w.control(id::kSubSoundPlay0)->isEnabled());
            QVERIFY(w.control(id::kSubSoundPlay0 + 1)->toolTip().contains("bell.wav"));
            QCOMPARE(core.text(id::kSubSoundName0 + 1), QString("bell.wav"));
            QCOMPARE(core.text(id::kSubSoundName0), QString());
            QTest::mouseClick(w.control(id::kSubSoundAll), Qt::LeftButton);
            TemplateDialog* all = core.host.dialog(core.app.subSoundUi.allWindow);
            QVERIFY(all);
            QCOMPARE(all->controlText(id::kSubSoundSlotButton0 + 1), QString("2"));
            QVERIFY(all->control(id::kSubSoundSlotButton0 + 1)->toolTip().contains("bell.wav"));
            // A click (here an open, cancelled) names the slot's file in the window.
            QTest::mouseClick(all->control(id::kSubSoundSlotButton0 + 1), Qt::LeftButton);
            QCOMPARE(all->controlText(id::kSubSoundAllName), QString("2: bell.wav"));
        }));
    }
};

QTEST_MAIN(WindowStateTest)
#include "window_state_test.moc"
