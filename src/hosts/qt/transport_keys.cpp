#include "hosts/qt/transport_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "hosts/qt/control_descriptions.h"
#include "hosts/qt/template_dialog.h"
#include "resources/control_ids.h"

namespace pelkit {

namespace {

// Sits on every text field of the window: a transport key typed into a field that takes typing
// is the field's, not the shortcut's.
class FieldKeys final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || field->isReadOnly()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence typed(key->keyCombination());
        for (const TransportKey& k : transportKeys()) {
            if (typed == QKeySequence(QString::fromLatin1(k.key))) {
                event->accept();  // delivered to the field as a key press
                return true;
            }
        }
        return false;
    }
};

}  // namespace

int transportButton(TransportAction action, TransportState state) {
    switch (action) {
        case TransportAction::PlayStop:
            if (state.recording) return 0;
            return state.playing ? id::kPlayStop : id::kPlay;
        case TransportAction::Record:
            return state.recording ? 0 : id::kRecord;
        case TransportAction::Stop:
            if (state.recording) return id::kRecordStop;
            return state.playing ? id::kPlayStop : 0;
    }
    return 0;
}

void addTransportKeys(TemplateDialog& main, std::function<TransportState()> state) {
    QMenuBar* bar = main.menuBar();
    if (!bar) return;
    auto* menu =
        new QMenu(QCoreApplication::translate(main.context().c_str(), kTransportMenuText), bar);
    menu->setToolTipsVisible(true);
    // Before the help menu, the last one.
    const QList<QAction*> entries = bar->actions();
    bar->insertMenu(entries.isEmpty() ? nullptr : entries.last(), menu);
    for (const TransportKey& k : transportKeys()) {
        QAction* action =
            menu->addAction(QCoreApplication::translate(main.context().c_str(), k.text));
        action->setShortcut(QKeySequence(QString::fromLatin1(k.key)));
        action->setShortcutContext(Qt::WindowShortcut);
        describeAction(*action, k.id);
        const TransportAction what = k.action;
        QObject::connect(action, &QAction::triggered, &main, [&main, state, what] {
            const int id = transportButton(what, state ? state() : TransportState{});
            auto* button = qobject_cast<QPushButton*>(main.control(id));
            if (button && button->isEnabled()) button->click();
        });
    }
    auto* fieldKeys = new FieldKeys(&main);
    for (QLineEdit* field : main.findChildren<QLineEdit*>())
        field->installEventFilter(fieldKeys);
}

}  // namespace pelkit
