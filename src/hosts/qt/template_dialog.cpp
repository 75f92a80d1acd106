#include "hosts/qt/template_dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "hosts/qt/control_descriptions.h"
#include "hosts/qt/qt_fonts.h"
#include "resources/control_ids.h"

namespace pelkit {

namespace {

// A template's text as the user reads it: through the installed translation, the template's
// name being the text's context.
QString shown(const std::string& context, const std::string& text) {
    if (text.empty()) return {};
    return QCoreApplication::translate(context.c_str(), text.c_str());
}

// Buttons, groups and menus read '&' as a mnemonic; template texts are shown as written.
QString literal(const QString& text) {
    QString out = text;
    return out.replace('&', "&&");
}
QString unliteral(const QString& text) {
    QString out = text;
    return out.replace("&&", "&");
}

// The desktop's standard keys of the menu entries that have one: Ctrl+O open, Ctrl+Q quit, F1
// help (the keys the desktop's theme gives, or these).
QList<QKeySequence> standardKeys(int id) {
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
    const char* fallback = "";
    switch (id) {
        case id::kOpen:
            key = QKeySequence::Open;
            fallback = "Ctrl+O";
            break;
        case id::kExit:
            key = QKeySequence::Quit;
            fallback = "Ctrl+Q";
            break;
        case id::kHelp:
            key = QKeySequence::HelpContents;
            fallback = "F1";
            break;
        default:
            return {};
    }
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) keys.append(QKeySequence(QString::fromLatin1(fallback)));
    return keys;
}

QRect toQRect(const Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

// A push button showing TEXT as written. Enter in a field must not press it.
QPushButton* makeButton(const QString& text, QWidget* area) {
    auto* button = new QPushButton(literal(text), area);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// A text field in the field font; a read-only one takes the focus only when clicked and has the
// window's background.
QLineEdit* makeField(const QString& text, bool readOnly, QWidget* area) {
    auto* field = new QLineEdit(text, area);
    field->setFont(fieldFont());
    field->setAcceptDrops(false);  // a dropped file goes to the window
    field->setTextMargins(1, 0, 1, 0);
    if (readOnly) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
    }
    return field;
}

// A plain text label, left aligned and vertically centred.
QLabel* makeLabel(const QString& text, QWidget* area) {
    auto* label = new QLabel(text, area);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// A file name in a sunken frame: the whole name is its text (read back, given to screen
// readers); a name that does not fit is painted with its middle left out, so that both its
// start and its extension stay in view.
class NameLabel : public QLabel {
  public:
    explicit NameLabel(QWidget* parent) : QLabel(parent) {
        setTextFormat(Qt::PlainText);
        setFont(fieldFont());
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setIndent(2);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect area = contentsRect().adjusted(indent(), 0, -indent(), 0);
        const QString fitted = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, fitted);
    }
};

// A group frame, kept below the controls it surrounds.
QGroupBox* makeGroup(const QString& text, QWidget* area) {
    auto* group = new QGroupBox(literal(text), area);
    group->lower();
    return group;
}

// Wheel steps of one notch (120 eighths of a degree).
constexpr int kWheelNotch = 120;

}  // namespace

// ----- CodeScrollBar -----

CodeScrollBar::CodeScrollBar(std::function<void(int code, int thumb)> report, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), report_(std::move(report)) {
    setContextMenuPolicy(Qt::NoContextMenu);  // its entries would move the bar behind our back
    setFocusPolicy(Qt::StrongFocus);
    // The bars are thin: a darker thumb keeps it visible against the groove.
    QPalette shades = palette();
    shades.setColor(QPalette::Button, QColor(178, 188, 204));
    setPalette(shades);
    connect(this, &QAbstractSlider::actionTriggered, this,
            [this](int action) { onAction(action); });
    connect(this, &QAbstractSlider::sliderReleased, this,
            [this] { send(kScrollThumbReleased, sliderPosition()); });
    setCodeRange(0, 100);
}

void CodeScrollBar::setCodeRange(int min, int max) {
    QSignalBlocker block(this);
    setRange(min, max);
    setSingleStep(1);
    // The page step only sizes the thumb; what a page click does is the core's rule.
    setPageStep(std::max(1, (max - min) / 12));
    showPosition(shown_);
}

void CodeScrollBar::showPosition(int pos) {
    shown_ = pos;
    QSignalBlocker block(this);
    setValue(pos);
}

void CodeScrollBar::onAction(int action) {
    switch (action) {
        case SliderSingleStepSub:
            send(kScrollLineLeft, 0);
            break;
        case SliderSingleStepAdd:
            send(kScrollLineRight, 0);
            break;
        case SliderPageStepSub:
            send(kScrollPageLeft, 0);
            break;
        case SliderPageStepAdd:
            send(kScrollPageRight, 0);
            break;
        case SliderToMinimum:
            send(kScrollTop, 0);
            break;
        case SliderToMaximum:
            send(kScrollBottom, 0);
            break;
        case SliderMove:
            send(kScrollThumbDragged, sliderPosition());
            break;
        default:
            break;
    }
}

void CodeScrollBar::send(int code, int thumb) {
    if (report_) report_(code, thumb);
    // Whatever the action did to the thumb, it stands where the core put it. Setting the value
    // here also corrects the slider position Qt applies when this slot returns.
    showPosition(shown_);
}

void CodeScrollBar::keyPressEvent(QKeyEvent* event) {
    // The keys of a scroll bar with the focus, left to right whatever Qt's defaults.
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            send(kScrollLineLeft, 0);
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            send(kScrollLineRight, 0);
            break;
        case Qt::Key_PageUp:
            send(kScrollPageLeft, 0);
            break;
        case Qt::Key_PageDown:
            send(kScrollPageRight, 0);
            break;
        case Qt::Key_Home:
            send(kScrollTop, 0);
            break;
        case Qt::Key_End:
            send(kScrollBottom, 0);
            break;
        default:
            QScrollBar::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CodeScrollBar::wheelEvent(QWheelEvent* event) {
    // A notch is a line step, as the arrows: wheel back (down) moves right.
    wheelRest_ += event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    while (wheelRest_ >= kWheelNotch) {
        wheelRest_ -= kWheelNotch;
        send(kScrollLineLeft, 0);
    }
    while (wheelRest_ <= -kWheelNotch) {
        wheelRest_ += kWheelNotch;
        send(kScrollLineRight, 0);
    }
    event->accept();
}

// ----- TemplateDialog -----

TemplateDialog::TemplateDialog(const TemplateDef& def, bool isMain, DialogEvents events,
                               const WavePainter& painter, QWidget* parent)
    : QDialog(parent), isMain_(isMain), context_(def.name), events_(std::move(events)) {
    setWindowTitle(shown(context_, def.caption));
    setModal(true);
    setSizeGripEnabled(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (isMain_) {
        // The program's own window: in the task bar, with a minimize button.
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!def.menu.empty()) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        buildMenu(def.menu, menuBar_, nullptr);
        layout->setMenuBar(menuBar_);
    }
    // The client area: template rectangles are pixels from its top left corner.
    auto* area = new QWidget(this);
    area->setFixedSize(def.rect.width, def.rect.height);
    layout->addWidget(area);

    for (const ControlDef& c : def.controls) {
        if (c.kind == ControlKind::Group) buildControl(c, area, painter);
    }
    for (const ControlDef& c : def.controls) {
        if (c.kind != ControlKind::Group) buildControl(c, area, painter);
    }
    setAcceptDrops(static_cast<bool>(events_.drop));
    describeWindow(*this, def);
}

void TemplateDialog::buildControl(const ControlDef& c, QWidget* area, const WavePainter& painter) {
    QWidget* widget = nullptr;
    const QString text = shown(context_, c.text);
    switch (c.kind) {
        case ControlKind::Button: {
            auto* button = makeButton(text, area);
            const int id = c.id;
            connect(button, &QPushButton::clicked, this, [this, id] {
                if (events_.command) events_.command(id, Notify::Click);
            });
            widget = button;
            break;
        }
        case ControlKind::Field:
        case ControlKind::ReadOnly: {
            auto* field = makeField(text, c.kind == ControlKind::ReadOnly, area);
            const int id = c.id;
            // textEdited comes from the user only; the program's own setText stays silent.
            connect(field, &QLineEdit::textEdited, this, [this, id] {
                if (events_.command) events_.command(id, Notify::EditChange);
            });
            widget = field;
            break;
        }
        case ControlKind::Label:
            widget = makeLabel(text, area);
            break;
        case ControlKind::Name:
            widget = new NameLabel(area);
            break;
        case ControlKind::Group:
            widget = makeGroup(text, area);
            break;
        case ControlKind::ScrollBar: {
            const int id = c.id;
            auto* bar = new CodeScrollBar(
                [this, id](int code, int thumb) {
                    if (events_.scroll) events_.scroll(id, code, thumb);
                },
                area);
            bars_.emplace(id, bar);
            widget = bar;
            break;
        }
        case ControlKind::Wave: {
            WaveWindow which = c.id == -3 ? WaveWindow::Lower : WaveWindow::Upper;
            auto* view = new WaveView(which, painter, area);
            (which == WaveWindow::Upper ? upper_ : lower_) = view;
            widget = view;
            break;
        }
    }
    if (!widget) return;
    widget->setGeometry(toQRect(c.rect));
    widget->setEnabled(!c.disabled);
    bool addressable = c.id > 0 && c.kind != ControlKind::ScrollBar && c.kind != ControlKind::Wave;
    if (addressable) controls_.emplace(c.id, widget);
}

void TemplateDialog::buildMenu(const std::vector<MenuEntry>& entries, QMenuBar* bar, QMenu* menu) {
    for (const MenuEntry& e : entries) {
        const QString text = literal(shownMenuText(context_, e));
        if (!e.children.empty()) {
            QMenu* sub = bar ? bar->addMenu(text) : menu->addMenu(text);
            sub->setEnabled(!e.disabled);
            buildMenu(e.children, nullptr, sub);
            continue;
        }
        QAction* action = bar ? bar->addAction(text) : menu->addAction(text);
        action->setEnabled(!e.disabled);
        if (menu) action->setShortcuts(standardKeys(e.id));
        const int id = e.id;
        connect(action, &QAction::triggered, this, [this, id] {
            if (events_.command) events_.command(id, Notify::Click);
        });
        actions_.emplace(id, action);
    }
}

QWidget* TemplateDialog::control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

CodeScrollBar* TemplateDialog::scrollBar(int id) const {
    auto it = bars_.find(id);
    return it == bars_.end() ? nullptr : it->second;
}

WaveView* TemplateDialog::wave(WaveWindow which) const {
    return which == WaveWindow::Upper ? upper_ : lower_;
}

QAction* TemplateDialog::menuAction(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void TemplateDialog::setControlText(int id, const QString& text) {
    QWidget* w = control(id);
    if (auto* field = qobject_cast<QLineEdit*>(w)) {
        field->setText(text);
        // A long status text or path is read from its start.
        if (field->isReadOnly()) field->setCursorPosition(0);
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setText(literal(text));
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(literal(text));
    }
}

QString TemplateDialog::controlText(int id) const {
    QWidget* w = control(id);
    if (auto* field = qobject_cast<QLineEdit*>(w)) return field->text();
    if (auto* button = qobject_cast<QPushButton*>(w)) return unliteral(button->text());
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) return unliteral(group->title());
    return {};
}

void TemplateDialog::closeEvent(QCloseEvent* event) {
    // Only the core ends a window (QDialog::done does not come through here).
    event->ignore();
    if (events_.close) events_.close();
}

void TemplateDialog::reject() {
    // Esc: a dialog's close request; the main window ignores it.
    if (!isMain_ && events_.close) events_.close();
}

void TemplateDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (events_.drop && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TemplateDialog::dragMoveEvent(QDragMoveEvent* event) {
    if (events_.drop && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TemplateDialog::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!events_.drop || urls.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Only the first file counts; a dropped item without a local name arrives empty.
    events_.drop(urls.first().toLocalFile().toStdString());
}

}  // namespace pelkit
