// The position comment dialog POSITION_COMMENT, shown when a position mark is saved.
#include "resources/position_comment_ids.h"
#include "resources/templates_data.h"

namespace pelkit::resources {

TemplateDef positionComment() {
    TemplateDef t;
    t.name = "POSITION_COMMENT";
    t.caption = "position comment";
    t.rect = {0, 0, 320, 104};
    t.controls = {
        {-1, ControlKind::Label, "位置", {12, 10, 60, 22}, false},
        {id::kPositionCommentPosition, ControlKind::ReadOnly, "", {76, 10, 120, 22}, false},
        {-1, ControlKind::Label, "コメント", {12, 40, 60, 22}, false},
        {id::kPositionCommentText, ControlKind::Field, "", {76, 40, 232, 22}, false},
        {id::kPositionCommentSave, ControlKind::Button, "保存", {160, 72, 70, 24}, false},
        {id::kPositionCommentCancel, ControlKind::Button, "ｷｬﾝｾﾙ", {238, 72, 70, 24}, false},
    };
    return t;
}

}  // namespace pelkit::resources
