// The main window on the core and the virtual sound devices: its controls and menu, commands,
// drops, playback with the timer and the bars, a modal dialog over it, warnings, and painting.
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <map>
#include <set>

#include "display/waveform.h"
#include "files/settings_file.h"
#include "hosts/qt/painter_canvas.h"
#include "hosts/qt/qt_program.h"
#include "qt_fixture.h"
#include "state/app_state.h"

using namespace pelkit;
using namespace pelkit::test;

namespace {

// The buttons of the command table and their texts.
const std::map<int, QString> kButtons = {
    {1000, "O>"},     {1001, "|"},     {1002, ">"},       {1003, "||"},       {1004, "|"},
    {1009, "+"},      {1011, "44"},    {1012, "-"},       {1013, "16"},       {1014, "8"},
    {1016, "1"},      {1017, "2"},     {1020, "||"},      {1021, "lock-off"}, {1022, "+"},
    {1023, "-"},      {1028, "||"},    {1044, "reset"},   {1045, "set"},      {1051, "reset"},
    {1052, "full"},   {1064, "reset"}, {1066, "on-off"},  {1067, "reset"},    {1069, "open"},
    {1070, "open"},   {1071, "open"},  {1072, "open"},    {1073, "open"},     {1074, "reset"},
    {1076, "+"},      {1078, "-"},     {1079, "++"},      {1080, "O"},        {1081, "O"},
    {1082, "O"},      {1083, "O"},     {1084, "O"},       {1085, "--"},       {1090, ">"},
    {1091, ">"},      {1092, ">"},     {1093, ">"},       {1094, ">"},        {1100, "+"},
    {1101, "0"},      {1102, "all"},   {1108, "setting"}, {1129, "start"},    {1130, "end"},
    {1131, "on-off"}, {1155, "set"},   {1156, "set"},     {1504, "24"},       {40009, "-"},
    {40015, "+"},     {40016, "0"},    {40017, "set"},
};

struct MenuText {
    QString popup;  // empty for an entry on the bar itself
    QString text;
    bool enabled = true;
};

const std::map<int, MenuText> kMenu = {
    {1015, {"ファイル", "開く"}},
    {40014, {"ファイル", "現在位置保存"}},
    {40015, {"ファイル", "位置読込"}},
    {40018, {"ファイル", "位置ファイル編集"}},
    {40022, {"ファイル", "データサイズ上書き"}},
    {40024, {"ファイル", "PCMにセット"}},
    {1057, {"ファイル", "コピー"}},
    {1010, {"ファイル", "終了"}},
    {1005, {"再生モード", "逆再生"}},
    {1006, {"再生モード", "繰返し"}},
    {40012, {"再生モード", "連続再生on-off"}},
    {40027, {"再生モード", "16bitに変換して再生"}},
    {40021, {"", "<<"}},
    {1040, {"", "<-"}},
    {1007, {"", "->"}},
    {1037, {"", ">>"}},
    {1041, {"リバーブ", "オン、オフ"}},
    {40007, {"リバーブ", "設定"}},
    {1056, {"録音レベル", "オン、オフ"}},
    {1136, {"録音レベル", "録音時も表示する、しない"}},
    {40023, {"録音レベル", "録音バッファ,スタンバイ"}},
    {1019, {"録音レベル", "buffer-reset", false}},
    {1117, {"シーケンス", "保存"}},
    {1118, {"シーケンス", "開く"}},
    {1121, {"シーケンス", "再生"}},
    {1122, {"シーケンス", "記録"}},
    {40013, {"表示", "波形　全表示"}},
    {40010, {"表示", "データ編集"}},
    {40005, {"表示", "キーボード"}},
    {1095, {"", "その他"}},
    {40006, {"ヘルプ", "ヘルプ"}},
    {1018, {"ヘルプ", "ヘルプ"}},
};

const char* const kGroups[] = {
    "rec",      "play",      "rate",       "bits/sample", "channel",    "buffer (byte)",
    "header",   "size",      "main boost", "wav volume",  "main speed", "main pitch",
    "main pan", "sub sound", "skip mark",  "pos",
};

QString popupOf(QAction* action, QMenuBar* bar) {
    for (QAction* top : bar->actions()) {
        if (top == action) return {};
        if (QMenu* menu = top->menu()) {
            if (menu->actions().contains(action)) return menu->title();
        }
    }
    return "(nowhere)";
}

void dropFile(QWidget* window, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
}

QImage replay(AppState& app, WaveWindow which, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    if (which == WaveWindow::Upper) {
        paintUpper(app, canvas);
    } else {
        paintLower(app, canvas);
    }
    return image;
}

int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    }
    return n;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(*qobject_cast<QApplication*>(qApp)); }

    void everyCommandIsReachableWithItsText() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            TemplateDialog& w = core.window();
            for (const auto& [id, text] : kButtons) {
                auto* button = qobject_cast<QPushButton*>(w.control(id));
                QVERIFY2(button, qPrintable(QString("no button %1").arg(id)));
                QCOMPARE(w.controlText(id), text);
                QVERIFY2(!button->autoDefault(), qPrintable(QString::number(id)));
            }
            for (const auto& [id, entry] : kMenu) {
                QAction* action = w.menuAction(id);
                QVERIFY2(action, qPrintable(QString("no menu entry %1").arg(id)));
                QCOMPARE(action->text(), entry.text);
                QCOMPARE(popupOf(action, w.menuBar()), entry.popup);
                QCOMPARE(action->isEnabled(), entry.enabled);
            }
            std::set<QString> groups;
            for (QGroupBox* g : w.findChildren<QGroupBox*>())
                groups.insert(g->title());
            for (const char* g : kGroups)
                QVERIFY2(groups.count(QString(g).replace('&', "&&")), g);
            for (int bar = kBarPosition; bar <= kBarPan; ++bar)
                QVERIFY(w.scrollBar(bar));
            QCOMPARE(w.wave(WaveWindow::Upper)->geometry(), QRect(10, 260, 250, 110));
            QCOMPARE(w.wave(WaveWindow::Lower)->geometry(), QRect(10, 371, 250, 110));
            QCOMPARE(w.scrollBar(kBarPitch)->geometry(), QRect(290, 212, 212, 10));
            // The main window takes the core's title once it is initialised.
            QVERIFY(w.windowTitle().endsWith(QString::fromStdString(kTitleText)));
        }));
    }

    void clicksAndMenuEntriesReachTheDispatcher() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            TemplateDialog& w = core.window();
            QCOMPARE(core.text(1026), QString("49152"));
            QTest::mouseClick(w.control(1022), Qt::LeftButton);
            QCOMPARE(core.text(1026), QString("73728"));
            QTest::mouseClick(w.control(1009), Qt::LeftButton);
            QCOMPARE(core.text(1025), QString("55125"));
            QCOMPARE(core.text(1042), QString("55125"));
            QTest::mouseClick(w.control(1011), Qt::LeftButton);
            QCOMPARE(core.text(1025), QString("44100"));
            // Typing into a field runs nothing; "set" takes what was typed.
            auto* rate = w.control(1042);
            rate->setFocus();
            QTest::keyClick(rate, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(rate, "22050");
            QCOMPARE(core.text(1025), QString("44100"));
            QTest::mouseClick(w.control(1045), Qt::LeftButton);
            QCOMPARE(core.text(1025), QString("22050"));
            // The last help entry shows the extra header bytes in the status field.
            w.menuAction(1018)->trigger();
            QCOMPARE(core.text(1036), QString("0"));
            // Esc does not close the main window.
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(!core.mainWindow.ended());
            QVERIFY(w.isVisible());
        }));
        QVERIFY(core.mainWindow.ended());
    }

    void positionFileOpensInTheDesktopsEditor() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            core.window().menuAction(40018)->trigger();
            QCOMPARE(core.host.openedDocuments, std::vector<std::string>{"position.txt"});
            QVERIFY(exists(core.dir.file("position.txt")));
        }));
    }

    void droppedFileLoads() {
        CoreUnderTest core;
        const std::string path = core.dir.file("dropped take.wav");
        writeFile(path, stereoTestSound(22050));
        QVERIFY(core.run([&] {
            const QString before = core.window().windowTitle();
            dropFile(&core.window(), QString::fromStdString(path));
            QVERIFY(core.window().windowTitle() != before);
            QVERIFY(core.window().windowTitle().startsWith(QString::fromStdString(path) + ".."));
            QCOMPARE(core.text(1036), QString("loaded"));
            QCOMPARE(core.text(1029), QString("88200"));
            QVERIFY(core.window().control(1002)->isEnabled());
        }));
    }

    void playRunsToTheEndWhileTheTimerTicks() {
        CoreUnderTest core;
        const std::string path = core.dir.file("song.wav");
        writeFile(path, stereoTestSound(44100 * 3));  // 3 s: 11 blocks of 49152 bytes
        QVERIFY(core.run(
            [&] {
                TemplateDialog& w = core.window();
                QCOMPARE(core.barValue(kBarPosition), 1);
                QTest::mouseClick(w.control(1002), Qt::LeftButton);
                QTRY_VERIFY(core.out.canAdvance());
                QVERIFY(core.host.timerRunning(1));
                QVERIFY(!w.control(1002)->isEnabled());
                // The timer moves the picture through the block being heard.
                QTRY_VERIFY_WITH_TIMEOUT(core.app.display.tickCount > 0, 2000);
                // The position bar follows the blocks as they are heard.
                std::vector<int> shown = {core.barValue(kBarPosition)};
                for (int k = 0; k < 5; ++k) {
                    QCOMPARE(core.playToEnd(1), 1);
                    shown.push_back(core.barValue(kBarPosition));
                }
                QVERIFY2(std::is_sorted(shown.begin(), shown.end()) && shown.back() > shown[1] &&
                             shown[1] > shown[0],
                         qPrintable(QString("%1 .. %2").arg(shown[0]).arg(shown.back())));
                core.playToEnd(100, 5);
                QVERIFY(!core.out.isOpen());
                QVERIFY(!core.host.timerRunning(1));
                QCOMPARE(core.text(1038), QString("0000:03.000"));
                QVERIFY(w.control(1002)->isEnabled());
            },
            path));
    }

    void modalDialogLetsDeviceMessagesThrough() {
        CoreUnderTest core;
        const std::string path = core.dir.file("song.wav");
        writeFile(path, stereoTestSound(44100 * 3));
        bool sawReverb = false;
        uint32_t positionInDialog = 0, positionBefore = 0;
        QVERIFY(core.run(
            [&] {
                QTest::mouseClick(core.window().control(1002), Qt::LeftButton);
                QTRY_VERIFY(core.out.canAdvance());
                positionBefore = core.app.sound.position;
                QTimer::singleShot(0, [&] {
                    TemplateDialog* reverb = core.host.topDialog();
                    sawReverb = reverb && !reverb->isMain() && reverb->isVisible() &&
                                reverb->windowTitle() == "reverb";
                    core.playToEnd(3);
                    positionInDialog = core.app.sound.position;
                    if (reverb) QTest::mouseClick(reverb->control(1), Qt::LeftButton);
                });
                core.window().menuAction(40007)->trigger();  // returns when the dialog ends
                QVERIFY(sawReverb);
                QVERIFY(positionInDialog > positionBefore);
                QCOMPARE(core.host.topDialog(), &core.window());
                core.playToEnd(100);
                QVERIFY(!core.out.isOpen());
            },
            path));
    }

    void cancelledOpenIsSilent() {
        CoreUnderTest core;
        QVERIFY(core.run([&] {
            const QString status = core.text(1036);
            core.window().menuAction(1015)->trigger();
            // The file dialog alone: no box follows a cancel, and the status stays.
            QCOMPARE(core.host.seen.size(), size_t(1));
            const SeenDialog& files = core.host.seen[0];
            QVERIFY(files.fileDialog);
            QVERIFY(!files.saves);
            const QString sounds(
                "Sound Files (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff "
                "*.aifc *.au *.caf *.w64)");
            QCOMPARE(files.nameFilters,
                     (QStringList{sounds, "wave Files (*.wav)", "All Files (*.*)"}));
            QCOMPARE(files.selectedFilter, sounds);
            QCOMPARE(files.defaultSuffix, QString("wav"));
            QCOMPARE(core.text(1036), status);
        }));
    }

    void chosenFileLoadsAndTheNextChoiceStartsThere() {
        CoreUnderTest core;
        const std::string path = core.dir.file("chosen.wav");
        writeFile(path, stereoTestSound(4410));
        QVERIFY(core.run([&] {
            core.host.fileAnswers.push_back(QString::fromStdString(path));
            core.window().menuAction(1015)->trigger();
            QCOMPARE(core.text(1036), QString("loaded"));
            QVERIFY(core.window().windowTitle().startsWith(QString::fromStdString(path)));
            // The next choice opens on the file chosen last.
            core.window().menuAction(1015)->trigger();
            QCOMPARE(core.host.seen.size(), size_t(2));
            QCOMPARE(core.host.seen[1].preselected, QString::fromStdString(path));
        }));
    }

    void exportDialogQualityRowReachesTheExportAndIsKept() {
        CoreUnderTest core;
        const std::string wav = core.dir.file("t.wav");
        writeFile(wav, stereoTestSound(44100));
        std::vector<int> shown;  // FLAC level and quality as each dialog opened
        int setTo = 2;
        core.host.whileFileDialogOpen = [&](QFileDialog& dialog) {
            auto* flac = dialog.findChild<QSpinBox*>("exportFlacLevel");
            auto* quality = dialog.findChild<QSpinBox*>("exportQuality");
            if (!flac || !quality) return;
            shown.push_back(flac->value());
            shown.push_back(quality->value());
            quality->setValue(setTo);
        };
        auto exportTo = [&](const char* name) {
            const size_t before = core.host.seen.size();
            core.host.fileAnswers = {QString::fromStdString(core.dir.file(name))};
            core.window().menuAction(40034)->trigger();
            // The file dialog, then the box that ends the export job.
            if (!QTest::qWaitFor([&] { return core.host.seen.size() == before + 2; }, 30000)) {
                return QString("no box after the export");
            }
            return core.host.seen.back().text;
        };
        QVERIFY(core.run(
            [&] {
                QVERIFY(exportTo("a.ogg").contains("a.ogg written (Ogg Vorbis, quality 2)."));
                setTo = 9;
                QVERIFY(exportTo("b.mp3").contains("b.mp3 written (MP3, quality 9)."));
            },
            wav));
        // The defaults first, then the quality chosen last, which the settings keep.
        QCOMPARE(shown, (std::vector<int>{5, 6, 5, 2}));
        QCOMPARE(SettingsFile(core.app.settingsPath).readInt("init", "exportquality", -1), 9);
        QCOMPARE(SettingsFile(core.app.settingsPath).readInt("init", "flaclevel", -1), 5);
    }

    void sequenceChoiceAsksBeforeANewName() {
        CoreUnderTest core;
        const std::string chosen = core.dir.file("chosen.ts1");
        const std::string fresh = core.dir.file("new.ts1");
        writeText(chosen, "main\n");
        QVERIFY(core.run([&] {
            // A new name is taken only when the user agrees to create it.
            core.host.fileAnswers = {QString::fromStdString(fresh), std::nullopt};
            core.host.boxAnswers = {QMessageBox::No};
            auto none = core.host.chooseFile(core.handle(), FileKind::Sequence, chosen);
            QVERIFY(!none);
            QCOMPARE(core.host.seen.size(), size_t(3));
            const SeenDialog& files = core.host.seen[0];
            QCOMPARE(files.nameFilters, (QStringList{"ts1 Files (*.ts1)", "All Files (*.*)"}));
            QCOMPARE(files.selectedFilter, QString("ts1 Files (*.ts1)"));
            QCOMPARE(files.defaultSuffix, QString("ts1"));
            QCOMPARE(files.directory, QString::fromStdString(core.dir.path()));
            QVERIFY(core.host.seen[1].text.contains("new.ts1"));
            // Qt's own buttons speak the windows' language (qt6-translations-l10n).
            QCOMPARE(core.host.seen[1].buttons, (QStringList{"はい(&Y)", "いいえ(&N)"}));
            QVERIFY(core.host.seen[2].fileDialog);

            core.host.fileAnswers = {QString::fromStdString(fresh)};
            core.host.boxAnswers = {QMessageBox::Yes};
            QCOMPARE(core.host.chooseFile(core.handle(), FileKind::Sequence, chosen).value_or(""),
                     fresh);
            // An existing file needs no question.
            core.host.fileAnswers = {QString::fromStdString(chosen)};
            const size_t before = core.host.seen.size();
            QCOMPARE(core.host.chooseFile(core.handle(), FileKind::Sequence, "").value_or(""),
                     chosen);
            QCOMPARE(core.host.seen.size(), before + 1);
        }));
    }

    void waveformWindowsPaintWhatTheDisplayDraws() {
        CoreUnderTest core;
        const std::string path = core.dir.file("song.wav");
        writeFile(path, stereoTestSound(44100 * 2));
        QVERIFY(core.run(
            [&] {
                TemplateDialog& w = core.window();
                // The play position's bytes are on screen, as after a move of the bar.
                core.window().scrollBar(kBarPosition)->setFocus();
                QTest::keyClick(core.window().scrollBar(kBarPosition), Qt::Key_Right);
                for (WaveWindow which : {WaveWindow::Upper, WaveWindow::Lower}) {
                    WaveView* view = w.wave(which);
                    QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
                    QImage expected = replay(core.app, which, view->size());
                    QCOMPARE(shown, expected);
                    QVERIFY(countColour(shown, qRgb(255, 255, 255)) > 50);       // the trace
                    QCOMPARE(QColor(shown.pixel(247, 3)), QColor(200, 0, 100));  // top line
                }
                // The left channel is loud, the right one quiet: the pictures differ.
                QVERIFY(w.wave(WaveWindow::Upper)->grab().toImage() !=
                        w.wave(WaveWindow::Lower)->grab().toImage());
            },
            path));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
