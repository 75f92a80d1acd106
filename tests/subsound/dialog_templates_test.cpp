#include <gtest/gtest.h>

#include <set>

#include "resources/templates.h"

namespace pelkit {
namespace {

bool overlap(const Rect& a, const Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// Every control lies inside its dialog, no two controls (groups aside) cover each other, and
// no id is used twice.
TEST(SubSoundTemplates, ControlsFitWithoutOverlapOrRepeatedIds) {
    for (const char* name : {"SUB_SOUND_DLG", "SUB_SOUND_SETTING", "KEYBOARD"}) {
        const TemplateDef* t = findTemplate(name);
        ASSERT_NE(t, nullptr) << name;
        std::set<int> ids;
        for (size_t i = 0; i < t->controls.size(); ++i) {
            const ControlDef& c = t->controls[i];
            EXPECT_TRUE(c.rect.x >= 0 && c.rect.y >= 0 &&
                        c.rect.x + c.rect.width <= t->rect.width &&
                        c.rect.y + c.rect.height <= t->rect.height)
                << name << " " << c.id << " " << c.text;
            if (c.id > 0) {
                EXPECT_TRUE(ids.insert(c.id).second) << name << " repeats " << c.id;
            }
            if (c.kind == ControlKind::Group) continue;
            for (size_t j = i + 1; j < t->controls.size(); ++j) {
                const ControlDef& d = t->controls[j];
                if (d.kind != ControlKind::Group && overlap(c.rect, d.rect)) {
                    ADD_FAILURE() << name << ": " << c.id << " overlaps " << d.id;
                }
            }
        }
    }
}

}  // namespace
}  // namespace pelkit
