#include "hosts/qt/control_descriptions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "hosts/qt/template_dialog.h"
#include "resources/control_descriptions.h"

namespace pelkit {

namespace {

QString translated(const ControlDescription& d, const char* text, int id) {
    if (!*text) return {};
    const QString shown = QCoreApplication::translate(kDescriptionContext, text);
    return QString::fromStdString(numbered(shown.toStdString(), d, id));
}

// The widget that stands for control C of DIALOG, or nullptr (labels and group captions).
QWidget* widgetOf(const TemplateDialog& dialog, const ControlDef& c) {
    switch (c.kind) {
        case ControlKind::ScrollBar:
            return dialog.scrollBar(c.id);
        case ControlKind::Wave:
            return dialog.wave(c.id == -3 ? WaveWindow::Lower : WaveWindow::Upper);
        case ControlKind::Label:
        case ControlKind::Group:
            return nullptr;
        default:
            return dialog.control(c.id);
    }
}

void describeMenu(const std::vector<MenuEntry>& entries, const std::string& templateName,
                  const TemplateDialog& dialog) {
    for (const MenuEntry& e : entries) {
        if (!e.children.empty()) {
            describeMenu(e.children, templateName, dialog);
            continue;
        }
        if (QAction* action = dialog.menuAction(e.id)) describeAction(*action, e.id);
    }
}

}  // namespace

QString shownDescription(const std::string& templateName, int id) {
    const ControlDescription* d = findDescription(templateName, id);
    return d ? translated(*d, d->description, id) : QString();
}

QString shownName(const std::string& templateName, int id) {
    const ControlDescription* d = findDescription(templateName, id);
    return d ? translated(*d, d->name, id) : QString();
}

QString shownMenuText(const std::string& context, const MenuEntry& entry) {
    if (entry.text.empty()) return {};
    const QString plain = QCoreApplication::translate(context.c_str(), entry.text.c_str());
    if (!entry.children.empty()) return plain;
    const std::string twin = "menu " + std::to_string(entry.id);
    const QString own =
        QCoreApplication::translate(context.c_str(), entry.text.c_str(), twin.c_str());
    return own == QString::fromStdString(entry.text) ? plain : own;
}

void describeWindow(TemplateDialog& dialog, const TemplateDef& def) {
    for (const ControlDef& c : def.controls) {
        QWidget* widget = widgetOf(dialog, c);
        if (!widget) continue;
        const QString description = shownDescription(def.name, c.id);
        QString name = shownName(def.name, c.id);
        if (name.isEmpty() && !c.text.empty())
            name = QCoreApplication::translate(def.name.c_str(), c.text.c_str());
        widget->setToolTip(description);
        widget->setAccessibleDescription(description);
        widget->setAccessibleName(name);
    }
    describeMenu(def.menu, def.name, dialog);
    if (QMenuBar* bar = dialog.menuBar()) {
        for (QMenu* menu : bar->findChildren<QMenu*>())
            menu->setToolTipsVisible(true);
    }
}

void describeAction(QAction& action, int id) {
    const QString description = shownDescription("MAIN_RECORD", id);
    action.setToolTip(description);
    action.setStatusTip(description);
}

}  // namespace pelkit
