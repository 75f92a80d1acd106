#include "resources/templates.h"

#include <algorithm>
#include <cctype>

#include "resources/templates_data.h"

namespace pelkit {

const std::vector<TemplateDef>& allTemplates() {
    static const std::vector<TemplateDef> templates = {
        resources::mainRecord(),    resources::mainNoRecord(),    resources::mainRecordS(),
        resources::mainRecordEng(), resources::reverb(),          resources::recOption(),
        resources::fileEdit(),      resources::waveEdit(),        resources::positionComment(),
        resources::subSoundDlg(),   resources::subSoundSetting(), resources::keyboard(),
        resources::loudness(),
    };
    return templates;
}

const TemplateDef* findTemplate(const std::string& name) {
    auto same = [&](const std::string& other) {
        return other.size() == name.size() &&
               std::equal(other.begin(), other.end(), name.begin(), [](char a, char b) {
                   return std::toupper(static_cast<unsigned char>(a)) ==
                          std::toupper(static_cast<unsigned char>(b));
               });
    };
    for (const TemplateDef& t : allTemplates()) {
        if (same(t.name)) return &t;
    }
    return nullptr;
}

const ControlDef* findControl(const TemplateDef& def, int id) {
    for (const ControlDef& c : def.controls) {
        if (c.id == id && c.kind != ControlKind::Label && c.kind != ControlKind::Group) return &c;
    }
    return nullptr;
}

namespace {
const MenuEntry* findIn(const std::vector<MenuEntry>& entries, int id) {
    for (const MenuEntry& e : entries) {
        if (e.id == id && e.children.empty()) return &e;
        if (const MenuEntry* found = findIn(e.children, id)) return found;
    }
    return nullptr;
}
}  // namespace

const MenuEntry* findMenuEntry(const TemplateDef& def, int id) {
    return findIn(def.menu, id);
}

}  // namespace pelkit
