#include "hosts/qt/qt_host.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>

#include "app/main_window.h"
#include "devices/system/stop_signals.h"

namespace pelkit {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The box texts the core gives in English already that read better reworded: looked up in the
// "message" context, as the core's own messages are (these are the source texts for lupdate).
[[maybe_unused]] constexpr const char* kReworded[] = {
    QT_TRANSLATE_NOOP("message", "ok"),
    QT_TRANSLATE_NOOP("message", "file"),
};

QString boxText(const std::string& text) {
    return QCoreApplication::translate("message", text.c_str());
}

// Hides the temporary take and its numbered parts from the file dialog: they are the program's
// own files while it records, never a sound to open.
class HideTakeFiles final : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        static const QRegularExpression take(
            QRegularExpression::anchoredPattern(R"(pelkit_record(_\d{3})?\.wav)"));
        const QString name = sourceModel()->index(row, 0, parent).data().toString();
        return !take.match(name).hasMatch();
    }
};

}  // namespace

// Shared with the notifier that device threads call: the target is cleared, under the lock,
// before the host goes away, so a late post never reaches a deleted object.
struct QtHost::DeliveryLink {
    std::mutex mutex;
    QObject* target = nullptr;
    std::atomic<bool> pending{false};
    QtHost* host = nullptr;
};

QtHost::QtHost(MessageQueue& queue)
    : queue_(queue),
      context_(std::make_unique<QObject>()),
      link_(std::make_shared<DeliveryLink>()) {
    link_->target = context_.get();
    link_->host = this;
    std::weak_ptr<DeliveryLink> weak = link_;
    queue_.setNotifier([weak] {
        std::shared_ptr<DeliveryLink> link = weak.lock();
        if (!link) return;
        // One pending delivery drains everything posted before it runs.
        if (link->pending.exchange(true)) return;
        std::lock_guard lock(link->mutex);
        if (!link->target) return;
        QtHost* host = link->host;
        QMetaObject::invokeMethod(
            link->target, [host] { host->deliverMessages(); }, Qt::QueuedConnection);
    });
}

QtHost::~QtHost() {
    delete progress_.data();
    stopNotifier_.reset();
    queue_.setNotifier({});
    std::lock_guard lock(link_->mutex);
    link_->target = nullptr;
}

void QtHost::scheduleDelivery() {
    if (link_->pending.exchange(true)) return;
    QMetaObject::invokeMethod(
        context_.get(), [this] { deliverMessages(); }, Qt::QueuedConnection);
}

void QtHost::deliverMessages() {
    link_->pending.store(false);
    // Messages wait until the main window is up; after it ended the core ignores them.
    if (!mainWindow_ || windows_.empty()) return;
    while (auto m = queue_.tryPop())
        mainWindow_->onDeviceMessage(*m);
}

QtHost::OpenWindow* QtHost::find(WindowHandle handle) const {
    for (const auto& w : windows_) {
        if (w->handle == handle) return w.get();
    }
    return nullptr;
}

TemplateDialog* QtHost::dialog(WindowHandle handle) const {
    OpenWindow* w = find(handle);
    return w ? w->dialog.get() : nullptr;
}

TemplateDialog* QtHost::topDialog() const {
    return windows_.empty() ? nullptr : windows_.back()->dialog.get();
}

WindowHandle QtHost::topHandle() const {
    return windows_.empty() ? kNoWindow : windows_.back()->handle;
}

QWidget* QtHost::ownerWidget(WindowHandle owner) const {
    if (TemplateDialog* d = dialog(owner)) return d;
    return topDialog();
}

bool QtHost::timerRunning(int id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

// ----- controls -----

void QtHost::setText(WindowHandle window, int id, const std::string& text) {
    if (TemplateDialog* d = dialog(window)) d->setControlText(id, qs(text));
}

std::string QtHost::getText(WindowHandle window, int id) {
    TemplateDialog* d = dialog(window);
    return d ? d->controlText(id).toStdString() : std::string();
}

void QtHost::enable(WindowHandle window, int id, bool on) {
    TemplateDialog* d = dialog(window);
    if (QWidget* w = d ? d->control(id) : nullptr) w->setEnabled(on);
}

void QtHost::focus(WindowHandle window, int id) {
    TemplateDialog* d = dialog(window);
    QWidget* w = d ? d->control(id) : nullptr;
    if (!w) return;
    w->setFocus(Qt::OtherFocusReason);
    // A field given the focus offers its text selected, so typing replaces it.
    if (auto* field = qobject_cast<QLineEdit*>(w); field && !field->isReadOnly())
        field->selectAll();
}

void QtHost::setChecked(WindowHandle window, int id, bool on) {
    TemplateDialog* d = dialog(window);
    if (!d) return;
    // A switch shows its state: a pressed button, a checked menu entry (the English main
    // window has 1041 as both).
    if (auto* button = qobject_cast<QPushButton*>(d->control(id))) {
        button->setCheckable(true);
        button->setChecked(on);
    }
    if (QAction* action = d->menuAction(id)) {
        action->setCheckable(true);
        action->setChecked(on);
    }
}

void QtHost::setHint(WindowHandle window, int id, const std::string& text) {
    TemplateDialog* d = dialog(window);
    QWidget* w = d ? d->control(id) : nullptr;
    if (!w) return;
    // After the control's description, when it has one.
    const QString description = w->accessibleDescription();
    QString tip = qs(text);
    if (!description.isEmpty()) tip = tip.isEmpty() ? description : description + "\n" + tip;
    w->setToolTip(tip);
}

void QtHost::setTitle(WindowHandle window, const std::string& title) {
    // A dialog's title is its template's caption, read as the template's other texts are.
    if (TemplateDialog* d = dialog(window))
        d->setWindowTitle(QCoreApplication::translate(d->context().c_str(), title.c_str()));
}

void QtHost::setScrollRange(WindowHandle window, int bar, int min, int max) {
    TemplateDialog* d = dialog(window);
    if (CodeScrollBar* b = d ? d->scrollBar(bar) : nullptr) b->setCodeRange(min, max);
}

void QtHost::setScrollPos(WindowHandle window, int bar, int pos) {
    TemplateDialog* d = dialog(window);
    if (CodeScrollBar* b = d ? d->scrollBar(bar) : nullptr) b->showPosition(pos);
}

void QtHost::invalidate(WaveWindow which) {
    TemplateDialog* main = windows_.empty() ? nullptr : windows_.front()->dialog.get();
    if (WaveView* view = main ? main->wave(which) : nullptr) view->update();
}

// ----- boxes and the file choice -----

int QtHost::execDialog(QDialog& dialog) {
    return dialog.exec();
}

int QtHost::execTracked(QDialog& dialog) {
    openBoxes_.push_back(&dialog);
    const int result = execDialog(dialog);
    std::erase(openBoxes_, &dialog);
    return result;
}

BoxAnswer QtHost::messageBox(WindowHandle owner, const std::string& text,
                             const std::string& caption, BoxIcon icon, BoxButtons buttons) {
    QMessageBox::Icon qicon = icon == BoxIcon::Error     ? QMessageBox::Critical
                              : icon == BoxIcon::Warning ? QMessageBox::Warning
                                                         : QMessageBox::Information;
    QMessageBox::StandardButtons qbuttons =
        buttons == BoxButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
    if (quitting_) {
        // Nobody is there to answer: the text is kept on standard error, the answer is cancel.
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
    }
    QMessageBox box(qicon, boxText(caption), boxText(text), qbuttons, ownerWidget(owner));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    int answer = execTracked(box);
    if (quitting_) answer = QMessageBox::Cancel;
    if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
    return answer == QMessageBox::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

void QtHost::beep() {
    QApplication::beep();
}

// The file types of an export, the one of INITIAL's extension chosen; the type chosen gives a
// name typed without an extension its extension. The program itself asks before a replacement.
static void setExportFilters(QFileDialog& dialog, const QString& initial) {
    static const char* const kSuffixes[] = {"flac", "ogg", "opus", "mp3", "wav"};
    dialog.setNameFilters({QCoreApplication::translate("message", "FLAC (*.flac)"),
                           QCoreApplication::translate("message", "Ogg Vorbis (*.ogg)"),
                           QCoreApplication::translate("message", "Opus (*.opus)"),
                           QCoreApplication::translate("message", "MP3 (*.mp3)"),
                           QCoreApplication::translate("message", "wave Files (*.wav)")});
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QString initialSuffix = QFileInfo(initial).suffix().toLower();
    int chosen = 0;
    for (int i = 0; i < 5; ++i) {
        if (initialSuffix == kSuffixes[i]) chosen = i;
    }
    dialog.selectNameFilter(dialog.nameFilters().at(chosen));
    dialog.setDefaultSuffix(kSuffixes[chosen]);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         const int i = static_cast<int>(dialog.nameFilters().indexOf(filter));
                         if (i >= 0) dialog.setDefaultSuffix(kSuffixes[i]);
                     });
}

// The quality row under the file type of the export dialog (Qt's own dialog is a grid): the
// FLAC level and the quality of the lossy formats.
static void addQualityRow(QFileDialog& dialog, const Ui::ExportQualityRow& row, QSpinBox*& flac,
                          QSpinBox*& quality) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    auto* box = new QWidget(&dialog);
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(0, 0, 0, 0);
    flac = new QSpinBox(box);
    flac->setObjectName("exportFlacLevel");
    flac->setRange(0, 8);
    flac->setValue(row.flacLevel);
    quality = new QSpinBox(box);
    quality->setObjectName("exportQuality");
    quality->setRange(0, 10);
    quality->setValue(row.quality);
    line->addWidget(new QLabel(QCoreApplication::translate("message", "FLAC圧縮レベル"), box));
    line->addWidget(flac);
    line->addWidget(
        new QLabel(QCoreApplication::translate("message", "品質（0 最小 〜 10 最良）"), box));
    line->addWidget(quality);
    line->addStretch();
    grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
}

namespace {

// The filters of a sound or sequence choice; the temporary take is never offered.
void setOpenFilters(QFileDialog& dialog, bool sound) {
    const QString all = QCoreApplication::translate("message", "All Files (*.*)");
    // Sound files in other formats open through a WAV working copy.
    const QString sounds = QCoreApplication::translate(
        "message",
        "Sound Files (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.aifc *.au *.caf *.w64)");
    dialog.setNameFilters(
        sound
            ? QStringList{sounds, QCoreApplication::translate("message", "wave Files (*.wav)"), all}
            : QStringList{QCoreApplication::translate("message", "ts1 Files (*.ts1)"), all});
    if (sound) dialog.setProxyModel(new HideTakeFiles(&dialog));
    dialog.selectNameFilter(dialog.nameFilters().first());
    dialog.setDefaultSuffix(sound ? "wav" : "ts1");
}

}  // namespace

std::optional<std::string> QtHost::chooseFile(WindowHandle owner, FileKind kind,
                                              const std::string& initial) {
    if (quitting_) return std::nullopt;
    const bool sound = kind == FileKind::Sound;
    // A sequence to write is a save: the dialog says so, and asks before replacing a file.
    // An export is a save too, but the program asks before replacing (as it does headless).
    const bool exporting = kind == FileKind::Export;
    const bool save = kind == FileKind::SequenceToSave || exporting;
    QFileDialog dialog(ownerWidget(owner));
    // Qt's own dialog on every desktop: it lets a new name be typed and it speaks the
    // program's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    setOpenFilters(dialog, sound);
    QSpinBox* flacLevel = nullptr;
    QSpinBox* quality = nullptr;
    if (exporting) {
        setExportFilters(dialog, qs(initial));
        addQualityRow(dialog, exportRow_, flacLevel, quality);
        exportChosen_.reset();
    }
    if (!initial.empty()) {
        QFileInfo start(qs(initial));
        dialog.setDirectory(start.absoluteDir());
        dialog.selectFile(start.fileName());
    } else {
        dialog.setDirectory(defaultFolder_.empty() ? QDir::current() : QDir(qs(defaultFolder_)));
    }
    for (;;) {
        if (execTracked(dialog) != QDialog::Accepted || quitting_) return std::nullopt;
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) return std::nullopt;
        const QString path = files.first();
        if (flacLevel && quality)
            exportChosen_ = ExportQualityRow{flacLevel->value(), quality->value()};
        if (save || QFileInfo::exists(path)) return path.toStdString();
        // A name that does not exist yet is taken after the user agrees to create it.
        QMessageBox ask(
            QMessageBox::Question, dialog.windowTitle(),
            path + "\n" +
                QCoreApplication::translate("message", "ファイルが見つかりません。作成しますか?"),
            QMessageBox::Yes | QMessageBox::No, &dialog);
        ask.setTextFormat(Qt::PlainText);
        const int answer = execTracked(ask);
        if (quitting_) return std::nullopt;
        if (answer == QMessageBox::Yes) return path.toStdString();
    }
}

// ----- the timer -----

void QtHost::startTimer(int id, int periodMs) {
    std::unique_ptr<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, context_.get(), [this] {
            if (mainWindow_ && !windows_.empty()) mainWindow_->onTimer();
        });
    }
    timer->start(periodMs);
}

void QtHost::callAfter(int ms, std::function<void()> fn) {
    QTimer::singleShot(ms, Qt::PreciseTimer, context_.get(), std::move(fn));
}

void QtHost::stopTimer(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

// ----- modal windows -----

int QtHost::runModal(const std::string& templateName, DialogHandler& handler) {
    const TemplateDef* def = findTemplate(templateName);
    if (!def) return -1;
    const bool isMain = windows_.empty();
    auto window = std::make_unique<OpenWindow>();
    const WindowHandle handle = nextHandle_++;
    window->handle = handle;

    window->dialog = std::make_unique<TemplateDialog>(
        *def, isMain, eventsFor(handler, handle, isMain), painter_, topDialog());
    OpenWindow& w = *window;
    windows_.push_back(std::move(window));

    handler.onInit(handle);
    if (observer_) observer_(handle, *w.dialog);
    if (!w.ended) {
        scheduleDelivery();
        w.dialog->exec();
    }
    const int result = w.result;
    if (isMain) {
        // The program ends with its main window: the windows beside it go too, before it, as
        // they are its children and would otherwise be deleted twice.
        while (!windows_.empty())
            windows_.pop_back();
        return result;
    }
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if ((*it)->handle == handle) {
            windows_.erase(it);
            break;
        }
    }
    return result;
}

DialogEvents QtHost::eventsFor(DialogHandler& handler, WindowHandle handle, bool isMain) {
    DialogEvents events;
    events.command = [&handler, handle](int id, Notify notify) {
        handler.onCommand(handle, id, 0, notify);
    };
    events.scroll = [&handler, handle](int bar, int code, int thumb) {
        handler.onScroll(handle, bar, code, thumb);
    };
    events.close = [&handler, handle] { handler.onClose(handle); };
    if (isMain) {
        events.drop = [this](const std::string& path) {
            if (mainWindow_) mainWindow_->onDrop(path);
        };
    }
    return events;
}

WindowHandle QtHost::openModeless(const std::string& templateName,
                                  std::unique_ptr<DialogHandler> handler) {
    const TemplateDef* def = findTemplate(templateName);
    if (!def || !handler || windows_.empty()) return kNoWindow;
    auto window = std::make_unique<OpenWindow>();
    const WindowHandle handle = nextHandle_++;
    window->handle = handle;
    window->modeless = true;
    DialogHandler& h = *handler;
    window->owned = std::move(handler);
    // A window of its own beside the main window (which it belongs to, so the main window's
    // modality does not lock it out).
    window->dialog = std::make_unique<TemplateDialog>(*def, false, eventsFor(h, handle, false),
                                                      painter_, windows_.front()->dialog.get());
    window->dialog->setModal(false);
    OpenWindow& w = *window;
    windows_.push_back(std::move(window));
    h.onInit(handle);
    if (observer_) observer_(handle, *w.dialog);
    if (!w.ended) w.dialog->show();
    return handle;
}

void QtHost::reapModeless() {
    for (auto it = windows_.begin(); it != windows_.end();) {
        if ((*it)->modeless && (*it)->ended) {
            it = windows_.erase(it);
        } else {
            ++it;
        }
    }
}

void QtHost::endDialog(WindowHandle window, int result) {
    OpenWindow* w = find(window);
    if (!w || w->ended) return;
    if (w->modeless) {
        // A window beside the others ends alone; it is dropped once its call has returned.
        w->ended = true;
        w->result = result;
        w->dialog->hide();
        QTimer::singleShot(0, context_.get(), [this] { reapModeless(); });
        return;
    }
    // Windows opened over this one end with it, innermost first (all of them with the main
    // window).
    const bool isMainWindow = w == windows_.front().get();
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        OpenWindow& inner = **it;
        if (inner.modeless && !isMainWindow) continue;
        if (!inner.ended) {
            inner.ended = true;
            inner.result = inner.handle == window ? result : 0;
            inner.dialog->done(inner.result);
        }
        if (inner.handle == window) break;
    }
    // The main window's end is the program's: its timer stops with it.
    if (w == windows_.front().get()) {
        for (auto& [id, timer] : timers_)
            timer->stop();
    }
}

// ----- progress -----

void QtHost::showProgress(const std::string& text, int percent, std::function<void()> onCancel) {
    progressCancel_ = std::move(onCancel);
    if (!progress_) {
        QWidget* owner = windows_.empty() ? nullptr : windows_.front()->dialog.get();
        progress_ = new QProgressDialog(owner);
        // Beside the main window, which stays usable meanwhile.
        progress_->setWindowModality(Qt::NonModal);
        progress_->setWindowTitle(QApplication::applicationName());
        progress_->setCancelButtonText(QCoreApplication::translate("message", "ｷｬﾝｾﾙ"));
        progress_->setRange(0, 100);
        progress_->setMinimumDuration(0);  // the core decides when it is worth showing
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        // Its cancel button, its close box and Esc all stop the work; the work's own cancel
        // then hides the window.
        auto cancel = [this] {
            std::function<void()> onCancel = std::move(progressCancel_);
            if (onCancel) onCancel();
        };
        QObject::connect(progress_, &QProgressDialog::canceled, context_.get(), cancel);
        QObject::connect(progress_, &QDialog::rejected, context_.get(), cancel);
    }
    if (!progress_->isVisible()) progress_->reset();
    progress_->setLabelText(qs(text));
    progress_->setValue(std::clamp(percent, 0, 100));
    if (!progress_->isVisible()) progress_->show();
}

void QtHost::hideProgress() {
    progressCancel_ = nullptr;
    if (!progress_) return;
    progress_->reset();
    progress_->hide();
}

QProgressDialog* QtHost::progress() const {
    return progress_ && progress_->isVisible() ? progress_.data() : nullptr;
}

// ----- the end by a signal -----

void QtHost::watchStopSignals(StopSignals& stop) {
    if (!stop.active()) return;
    stopSignals_ = &stop;
    stopNotifier_ = std::make_unique<QSocketNotifier>(stop.descriptor(), QSocketNotifier::Read);
    QObject::connect(stopNotifier_.get(), &QSocketNotifier::activated, context_.get(),
                     [this, &stop] {
                         if (stop.take() != 0) quitFromSignal();
                     });
}

bool QtHost::stopPending() {
    return quitting_ || (stopSignals_ && stopSignals_->pending());
}

void QtHost::quitFromSignal() {
    if (quitting_) return;
    quitting_ = true;
    closeForQuit(0);
}

void QtHost::closeForQuit(int turn) {
    if (windows_.empty() || windows_.front()->ended || !mainWindow_) return;
    // Whatever waits for the user is closed first, innermost first; its caller then goes on.
    bool closing = false;
    for (QDialog* box : openBoxes_) {
        box->reject();
        closing = true;
    }
    if (!closing) {
        for (auto it = windows_.rbegin(); it + 1 != windows_.rend(); ++it) {
            OpenWindow& w = **it;
            if (w.ended || w.modeless) continue;
            w.dialog->close();  // the dialog's close request, as from its close box
            closing = true;
            break;
        }
    }
    // Ten tries a second for five seconds; then the main window's close ends what is left.
    if (closing && turn < 50) {
        QTimer::singleShot(100, context_.get(), [this, turn] { closeForQuit(turn + 1); });
        return;
    }
    mainWindow_->onClose(windows_.front()->handle);
}

// ----- the shell -----

bool QtHost::openDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)));
}

std::string QtHost::translate(const char* context, const char* text) {
    return QCoreApplication::translate(context, text).toStdString();
}

bool QtHost::startProgram(const std::string& commandLine) {
    QStringList words = QProcess::splitCommand(qs(commandLine));
    if (words.isEmpty()) return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

}  // namespace pelkit
