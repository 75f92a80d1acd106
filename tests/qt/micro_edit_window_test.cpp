// The window program's wave micro edit: it opens beside the main window, which stays usable,
// follows the keys on its bars and writes the frame into the file.
#include <QApplication>
#include <QTest>

#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"
#include "resources/wave_edit_ids.h"
#include "state/app_state.h"

using namespace pelkit;
using namespace pelkit::test;

class MicroEditWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void microEditBesideTheMainWindowWritesTheFrame() {
        CoreUnderTest core;
        const std::string path = core.dir.file("song.wav");
        writeFile(path, stereoTestSound(44100 * 3));
        QVERIFY(core.run(
            [&] {
                TemplateDialog& w = core.window();
                QTest::mouseClick(w.control(id::kPlay), Qt::LeftButton);
                QTRY_VERIFY(core.out.canAdvance());
                core.playToEnd(1);
                QTest::mouseClick(w.control(id::kPlayStop), Qt::LeftButton);
                core.playToEnd(100);
                QVERIFY(!core.out.isOpen());

                w.menuAction(id::kMicroEdit)->trigger();  // returns at once
                TemplateDialog* edit = core.host.topDialog();
                QVERIFY(edit && !edit->isMain() && edit->isVisible() && !edit->isModal());
                QCOMPARE(edit->windowTitle(), QString("wave micro edit"));
                CodeScrollBar* cursor = edit->scrollBar(id::kWaveEditCursorBar);
                QCOMPARE(cursor->maximum(), 12287);
                cursor->setFocus();
                QTest::keyClick(cursor, Qt::Key_End);
                QCOMPARE(edit->controlText(id::kWaveEditCursorValue), QString("12287"));
                // Frame 12,287 of the square waves: 614 half periods of 20 frames, high.
                QCOMPARE(edit->controlText(id::kWaveEditLeftValue), QString("24000"));
                QCOMPARE(edit->controlText(id::kWaveEditRightValue), QString("3000"));
                QTest::keyClick(cursor, Qt::Key_Home);

                // The main window goes on working meanwhile.
                QTest::mouseClick(w.control(id::kBlockUp), Qt::LeftButton);
                QCOMPARE(core.text(id::kFieldBlockSize), QString("73728"));

                CodeScrollBar* left = edit->scrollBar(id::kWaveEditLeftBar);
                left->setFocus();
                QTest::keyClick(left, Qt::Key_Left);
                QTest::mouseClick(edit->control(id::kWaveEditWrite), Qt::LeftButton);
                const Bytes file = readFile(path);
                QCOMPARE(value16(file, 44), int16_t(23999));
                QCOMPARE(value16(file, 46), int16_t(3000));

                edit->close();
                QTRY_COMPARE(core.host.topDialog(), &core.window());
                QCOMPARE(core.app.microEdit.window, kNoWindow);
            },
            path));
    }
};

QTEST_MAIN(MicroEditWindowTest)
#include "micro_edit_window_test.moc"
