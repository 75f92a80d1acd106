// Identifiers of the controls of the position comment dialog POSITION_COMMENT.
#pragma once

namespace pelkit::id {

inline constexpr int kPositionCommentSave = 1;    // "保存": keeps the typed comment
inline constexpr int kPositionCommentCancel = 2;  // "ｷｬﾝｾﾙ": keeps the previous comment
inline constexpr int kPositionCommentPosition = 1500;  // read-only: the position, in decimal
inline constexpr int kPositionCommentText = 1504;      // the comment

}  // namespace pelkit::id
