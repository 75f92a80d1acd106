// The window program's spectrum views and wave micro edit: the FFT view draws each channel in its
// own window, and the micro edit opens beside the main window, which stays usable, follows the
// keys on its bars and writes the frame into the file.
#include <QApplication>
#include <QImage>
#include <QTest>

#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "resources/control_ids.h"
#include "resources/wave_edit_ids.h"
#include "state/app_state.h"

using namespace pelkit;
using namespace pelkit::test;

namespace {

// The highest row holding a white (trace pen) pixel, or the height when there is none.
int topOfWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255) && y > 3 && y < 107) return y;
        }
    }
    return image.height();
}

QImage shown(TemplateDialog& w, WaveWindow which) {
    return w.wave(which)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int16_t sampleAt(const Bytes& file, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(file[at] | file[at + 1] << 8));
}

}  // namespace

class SpectrumMicroEditTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void fftViewShowsTheLoudLeftAboveTheQuietRight() {
        CoreUnderTest core;
        const std::string path = core.dir.file("song.wav");
        writeFile(path, stereoTestSound(44100 * 3));
        QVERIFY(core.run(
            [&] {
                core.app.display.spectrumMode = true;
                core.app.spectrum.view = SpectrumView::Fft;
                QTest::mouseClick(core.window().control(id::kPlay), Qt::LeftButton);
                QTRY_VERIFY(core.out.canAdvance());
                QCOMPARE(core.playToEnd(3), 3);
                core.window().wave(WaveWindow::Upper)->repaint();
                core.window().wave(WaveWindow::Lower)->repaint();
                // 24,000 against 3,000: about 18 dB, one pixel each.
                int upper = topOfWhite(shown(core.window(), WaveWindow::Upper));
                int lower = topOfWhite(shown(core.window(), WaveWindow::Lower));
                QVERIFY2(upper < 107 && lower < 107 && lower - upper > 12,
                         qPrintable(QString("tops %1 and %2").arg(upper).arg(lower)));
                core.playToEnd(100);
            },
            path));
    }

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
                QCOMPARE(sampleAt(file, 44), int16_t(23999));
                QCOMPARE(sampleAt(file, 46), int16_t(3000));

                edit->close();
                QTRY_COMPARE(core.host.topDialog(), &core.window());
                QCOMPARE(core.app.microEdit.window, kNoWindow);
            },
            path));
    }
};

QTEST_MAIN(SpectrumMicroEditTest)
#include "spectrum_micro_edit_test.moc"
