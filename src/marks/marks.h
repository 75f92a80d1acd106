// The position marks of the main window: saving the current position with a comment, stepping
// through the saved marks, applying one, and opening the position file in a text editor.
#pragma once

#include <vector>
#include "marks/position_file.h"

#include "platform/ui.h"
#include "state/command_table.h"

namespace pelkit {

struct AppState;

// Start-up: no mark selected, field 1160 shows "0>".
void initMarks(AppState& app);

// 40014: the comment dialog, then the position and the comment are appended to the file.
void savePositionMark(AppState& app);

// 40015 "+", 40009 "-", 40016 "0", 40017 "set". True when the current position was set and
// must now be applied as a position jump.
bool stepMark(AppState& app, MarkCommand command);

// 40018: the position file in the desktop's text editor (created first when missing).
void editPositionFile(AppState& app);

// The entries of 40014 and 40018 (the steps through the marks end in a position jump, which the
// application adds).
std::vector<CommandEntry> markCommands();

// The comment dialog POSITION_COMMENT.
class PositionCommentDialog final : public DialogHandler {
  public:
    explicit PositionCommentDialog(AppState& app) : app_(app) {}
    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle, int, int, int) override {}
    void onClose(WindowHandle window) override;

  private:
    AppState& app_;
};

}  // namespace pelkit
