// What the windows tell about their controls: each control's tooltip, accessible name and
// accessible description, and each menu entry's tooltip and status tip, from the description
// table of the resources, in the language of the installed translation.
#pragma once

#include <QString>
#include <string>

#include "resources/templates.h"

class QAction;
class QWidget;

namespace pelkit {

class TemplateDialog;

// The description of control ID of window TEMPLATENAME as the user reads it, and its readable
// name (empty when the caption is its name); both empty when the table has no entry.
QString shownDescription(const std::string& templateName, int id);
QString shownName(const std::string& templateName, int id);

// A menu entry's text as the user reads it: entries that share a text ("ヘルプ") are told apart
// by their own translation where they have one.
QString shownMenuText(const std::string& context, const MenuEntry& entry);

// Gives DIALOG's controls and menu entries (built from DEF) their descriptions and names.
void describeWindow(TemplateDialog& dialog, const TemplateDef& def);

// Gives ACTION the description of ID in the main window's table (tooltip and status tip).
void describeAction(QAction& action, int id);

}  // namespace pelkit
