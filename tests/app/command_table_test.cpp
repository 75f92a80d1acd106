// The merged command table: every command identifier reaches exactly one handler, and every
// handler answers an identifier something sends.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/commands.h"
#include "resources/control_ids.h"
#include "resources/fileedit_ids.h"
#include "resources/keyboard_ids.h"
#include "resources/record_options_ids.h"
#include "resources/subsound_ids.h"
#include "resources/templates.h"

namespace pelkit {
namespace {

// Which buttons of a window reach the main window's dispatcher: all of them but EXCEPT, or only
// those in ONLY. Controls that are not buttons show values or take them; they are display-only.
struct Routing {
    std::string templateName;
    std::vector<int> except;  // buttons the window answers itself, or display-only
    std::vector<int> only;
    bool forwardsAll = true;
};

const std::vector<Routing>& routings() {
    using namespace id;
    static const std::vector<Routing> r = {
        {"MAIN_RECORD", {}, {}},
        {"MAIN_NO_RECORD", {}, {}},
        {"MAIN_RECORD_S", {}, {}},
        {"MAIN_RECORD_ENG", {}, {}},
        {"KEYBOARD", {kKeyboardCancel}, {}},
        {"FILEEDIT", {kOk, kCancel}, {}},
        {"REC_OPTION",
         {},
         {options::kLoopStart, options::kDisplayOnOff, options::kVerticalDown, options::kVerticalUp,
          options::kVerticalOne, options::kHorizontalUp, options::kHorizontalOne,
          options::kHorizontalDown},
         false},
        // These answer their own buttons; the "all" dialog sends 1104..1106, 1002, 1004, 1015.
        {"POSITION_COMMENT", {}, {}, false},
        {"REVERB", {}, {}, false},
        {"SUB_SOUND_DLG", {}, {}, false},
        {"SUB_SOUND_SETTING", {}, {}, false},
        {"WAVE_EDIT", {}, {}, false},
    };
    return r;
}

// Identifiers no control carries: sent by dialogs with a parameter, or by the program itself.
const std::set<int> kSentByProgram = {
    id::kFieldEditSpeedPercent, id::kSubSoundPlayIndex, id::kSubSoundStopIndex,
    id::kSubSoundOpenIndex,     id::kRefreshNames,      id::kReplaySequenceFile,
    id::kNextNumberedCheck,     id::kShowPositionRange, id::kSubSoundSettingRefresh,
    id::kSubSoundWorkingCopy,
};

void collectMenu(const std::vector<MenuEntry>& entries, std::vector<int>& out) {
    for (const MenuEntry& e : entries) {
        if (e.id > 0) out.push_back(e.id);
        collectMenu(e.children, out);
    }
}

// The identifiers WINDOW sends to the main window's dispatcher.
std::vector<int> forwardedIds(const Routing& routing) {
    const TemplateDef* def = findTemplate(routing.templateName);
    EXPECT_NE(def, nullptr) << routing.templateName;
    if (!def) return {};
    std::vector<int> ids;
    for (const ControlDef& c : def->controls) {
        if (c.kind == ControlKind::Button && c.id > 0) ids.push_back(c.id);
    }
    collectMenu(def->menu, ids);
    auto contains = [](const std::vector<int>& v, int id) {
        return std::find(v.begin(), v.end(), id) != v.end();
    };
    std::erase_if(ids, [&](int id) {
        return routing.forwardsAll ? contains(routing.except, id) : !contains(routing.only, id);
    });
    return ids;
}

TEST(CommandTableTest, EntriesAreOrderedRangesThatNeverOverlap) {
    const std::vector<CommandEntry>& e = mainWindowCommands().entries();
    ASSERT_FALSE(e.empty());
    for (size_t i = 0; i < e.size(); ++i) {
        EXPECT_LE(e[i].first, e[i].last) << e[i].first;
        EXPECT_NE(e[i].handler, nullptr) << e[i].first;
        if (i > 0) {
            EXPECT_LT(e[i - 1].last, e[i].first)
                << "entries " << e[i - 1].first << ".." << e[i - 1].last << " and " << e[i].first;
        }
    }
}

TEST(CommandTableTest, EveryForwardedControlHasAHandler) {
    const CommandTable& table = mainWindowCommands();
    for (const Routing& r : routings()) {
        for (int id : forwardedIds(r))
            EXPECT_NE(table.find(id), nullptr) << r.templateName << " control " << id;
    }
    for (int id : kSentByProgram)
        EXPECT_NE(table.find(id), nullptr) << "sent command " << id;
}

TEST(CommandTableTest, EveryHandledIdIsSentBySomething) {
    std::set<int> sent = kSentByProgram;
    for (const Routing& r : routings()) {
        for (int id : forwardedIds(r))
            sent.insert(id);
    }
    for (const CommandEntry& e : mainWindowCommands().entries()) {
        for (int id = e.first; id <= e.last; ++id)
            EXPECT_TRUE(sent.count(id)) << "no control or sender for command " << id;
    }
}

TEST(CommandTableTest, FindsTheEntryHoldingAnId) {
    auto a = [](AppState&, int, int32_t) {};
    auto b = [](AppState&, int, int32_t) {};
    CommandHandler ha = a, hb = b;
    // Lists merged out of order: the table sorts them.
    const CommandTable table{{{20, 29, hb}}, {{10, 10, ha}, {30, 30, ha}}};
    const struct {
        int id;
        CommandHandler expected;
    } cases[] = {{9, nullptr}, {10, ha}, {11, nullptr}, {19, nullptr}, {20, hb},
                 {25, hb},     {29, hb}, {30, ha},      {31, nullptr}, {-1, nullptr}};
    for (const auto& c : cases) {
        const CommandEntry* e = table.find(c.id);
        EXPECT_EQ(e ? e->handler : nullptr, c.expected) << c.id;
    }
}

}  // namespace
}  // namespace pelkit
