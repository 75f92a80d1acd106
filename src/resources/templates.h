// The window templates and the main menu as data: id, kind, text, group and rectangle of every
// control. Both front ends build their windows from here, so an id and its text exist once.
#pragma once

#include <string>
#include <vector>

namespace pelkit {

enum class ControlKind {
    Button,
    Field,     // an edit field
    ReadOnly,  // a read-only field
    Name,      // a read-only file name, shortened in the middle when it does not fit
    Label,
    Group,  // a group box (its text is the group's caption)
    ScrollBar,
    Wave,  // a waveform window painted by the display
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct ControlDef {
    int id = 0;  // 0 or -1 for labels and groups
    ControlKind kind = ControlKind::Label;
    std::string text;
    Rect rect;
    bool disabled = false;
};

struct MenuEntry {
    int id = 0;  // 0 for a popup
    std::string text;
    std::vector<MenuEntry> children;
    bool disabled = false;
};

struct TemplateDef {
    std::string name;  // upper case, as in the resources
    std::string caption;
    Rect rect;
    std::vector<ControlDef> controls;
    std::vector<MenuEntry> menu;  // the main window's menu 119, empty for dialogs
    bool visible = true;          // false for the variants that are carried but never shown
};

// The template named NAME (compared without regard to case), or nullptr.
const TemplateDef* findTemplate(const std::string& name);
const std::vector<TemplateDef>& allTemplates();

// The control with ID in TEMPLATE, or nullptr; and the menu entry with ID, or nullptr.
const ControlDef* findControl(const TemplateDef& def, int id);
const MenuEntry* findMenuEntry(const TemplateDef& def, int id);

}  // namespace pelkit
