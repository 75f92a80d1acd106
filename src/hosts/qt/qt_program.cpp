#include "hosts/qt/qt_program.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QIcon>
#include <QLocale>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <utility>

#include "app/program.h"
#include "app/startup.h"
#include "devices/system/system_clock.h"
#include "devices/system/user_folders.h"
#include "hosts/qt/qt_fonts.h"
#include "hosts/qt/qt_host.h"
#include "hosts/qt/transport_keys.h"
#include "resources/control_ids.h"
#include "state/app_state.h"

namespace pelkit {

namespace {

// Fusion sizes a group box's caption by the ink of its text, which leaves out the blank halves
// of full-width brackets: "（保留中）" would lose its end. The caption gets its full advance.
class CaptionStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        QRect r = QProxyStyle::subControlRect(control, option, sub, widget);
        if (control == CC_GroupBox && sub == SC_GroupBoxLabel) {
            if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
                int width = box->fontMetrics.horizontalAdvance(box->text) + 2;
                if (r.width() < width) r.setWidth(width);
            }
        }
        return r;
    }
};

// PELKIT_SCREENSHOT=FILE.png: once the main window has painted for the first time it is saved
// to FILE.png, the time from start to that paint goes to standard error, and the window is
// closed as by its close box. With PELKIT_SCREENSHOT_VIEW=bars or fft the spectrum mode shows
// that view, the file named on the command line plays, and once three blocks have been heard
// the two waveform windows are saved instead. scripts/screenshot.sh uses it for the pictures of
// the README and the user guide.
class Screenshot final : public QObject {
  public:
    Screenshot(QString path, QString view, const QElapsedTimer& sinceStart, Program& program)
        : path_(std::move(path)),
          view_(std::move(view)),
          sinceStart_(sinceStart),
          program_(program) {}

    void watch(WindowHandle handle, TemplateDialog& dialog) {
        handle_ = handle;
        dialog_ = &dialog;
        dialog.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == dialog_ && event->type() == QEvent::Paint && !taken_) {
            taken_ = true;
            std::fprintf(stderr, "pelkit_recorder: main window painted %lld ms after start\n",
                         static_cast<long long>(sinceStart_.elapsed()));
            if (view_.isEmpty()) {
                QTimer::singleShot(0, dialog_, [this] { take(); });
            } else {
                QTimer::singleShot(0, dialog_, [this] { playSpectrum(); });
            }
        }
        return false;
    }

  private:
    void take() {
        if (!dialog_->grab().save(path_)) {
            std::fprintf(stderr, "pelkit_recorder: could not write %s\n", qPrintable(path_));
        }
        program_.mainWindow().onClose(handle_);
    }

    void playSpectrum() {
        AppState& app = program_.state();
        app.display.spectrumMode = true;
        app.spectrum.view = view_ == "fft" ? SpectrumView::Fft : SpectrumView::Bars;
        sendCommand(app, id::kPlay);
        auto* poll = new QTimer(dialog_);
        QObject::connect(poll, &QTimer::timeout, dialog_, [this, poll] {
            const AppState& app = program_.state();
            // Four blocks are queued ahead of the one heard: three heard, and a tick or two in.
            if (app.sound.position < 7 * app.blocks.blockSize && app.modes.playing) return;
            poll->stop();
            takeWaves();
        });
        poll->start(50);
    }

    void takeWaves() {
        WaveView* upper = dialog_->wave(WaveWindow::Upper);
        WaveView* lower = dialog_->wave(WaveWindow::Lower);
        QRect area = upper->geometry().united(lower->geometry());
        area.moveTopLeft(upper->parentWidget()->mapTo(dialog_, area.topLeft()));
        QImage picture = dialog_->grab(area).toImage();
        // Twice the size, pixel for pixel, so the bars stay sharp.
        picture = picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!picture.save(path_)) {
            std::fprintf(stderr, "pelkit_recorder: could not write %s\n", qPrintable(path_));
        }
        program_.mainWindow().onClose(handle_);
    }

    QString path_;
    QString view_;
    const QElapsedTimer& sinceStart_;
    Program& program_;
    WindowHandle handle_ = kNoWindow;
    TemplateDialog* dialog_ = nullptr;
    bool taken_ = false;
};

// Runs a function shortly after the first paint of the window it watches.
class AfterFirstPaint final : public QObject {
  public:
    explicit AfterFirstPaint(std::function<void()> fn) : fn_(std::move(fn)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && fn_) {
            watched->removeEventFilter(this);
            QTimer::singleShot(100, this, [this] {
                if (fn_) std::exchange(fn_, {})();
            });
        }
        return false;
    }

  private:
    std::function<void()> fn_;
};

}  // namespace

QIcon programIcon() {
    return QIcon(":/pelkit/pelkit_recorder.svg");
}

void prepareApplication(QApplication& app, Language language) {
    // One style everywhere, so the pixel layout of the templates looks the same on every desktop.
    if (QStyle* fusion = QStyleFactory::create("Fusion")) app.setStyle(new CaptionStyle(fusion));
    app.setFont(captionFont());
    installLanguage(app, language);
    app.setWindowIcon(programIcon());
    app.setApplicationName("pelkit_recorder");
    app.setDesktopFileName("pelkit_recorder");
}

int runWindowProgram(int argc, char** argv, const std::string& programPath, SoundOut& out,
                     SoundIn& in, MessageQueue& queue, const WindowOptions& options) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    prepareApplication(app, options.language.value_or(languageFor(QLocale::system())));

    QtHost host(queue);
    SystemClock clock;
    Platform platform{host, out, in, clock, queue};
    Program program(platform, programPath, joinArguments(argc, argv),
                    SpectrumWorker::Mode::Threaded);
    if (options.desktop) {
        program.state().folders = desktopFolders(thisDesktop());
        host.setDefaultFolder(program.state().folders.work);
    }
    if (options.stopSignals) host.watchStopSignals(*options.stopSignals);
    MainWindow& mainWindow = program.mainWindow();
    host.setMainWindow(&mainWindow);
    host.setWavePainter(
        [&program](WaveWindow which, Canvas& canvas) { program.paint(which, canvas); });

    const QString screenshotPath = qEnvironmentVariable("PELKIT_SCREENSHOT");
    Screenshot screenshot(screenshotPath, qEnvironmentVariable("PELKIT_SCREENSHOT_VIEW"),
                          sinceStart, program);
    AfterFirstPaint afterFirstPaint(options.afterFirstPaint);
    host.setWindowObserver([&](WindowHandle handle, TemplateDialog& dialog) {
        if (!dialog.isMain()) return;
        addTransportKeys(dialog, [&program] {
            const ModeFlags& modes = program.state().modes;
            return TransportState{modes.playing, modes.recording};
        });
        dialog.installEventFilter(&afterFirstPaint);
        if (!screenshotPath.isEmpty()) screenshot.watch(handle, dialog);
    });

    if (host.runModal("MAIN_RECORD", mainWindow) == -1) {
        host.messageBox(kNoWindow, "error", kCaption, BoxIcon::Error, BoxButtons::Ok);
    }
    host.setMainWindow(nullptr);
    return 0;
}

}  // namespace pelkit
