#include "marks/marks.h"

#include "files/file_stream.h"
#include "resources/control_ids.h"
#include "resources/position_comment_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace {

MarkDevice markDevice(AppState& app) {
    // A take counts as playing: a mark never moves the take's byte counter.
    if (app.modes.recording || app.platform.in.isOpen()) return MarkDevice::Recording;
    if (app.modes.playing) return MarkDevice::Playing;
    return MarkDevice::Idle;
}

void showMarkField(AppState& app) {
    setStatusText(app, id::kFieldPositionComment, markField(app.marks.index, app.marks.comment));
}

}  // namespace

void initMarks(AppState& app) {
    app.marks = MarkState{};
    app.marks.fileName = app.folders.workFile(app.marks.fileName);
    // The file is read once with no mark selected, which only clears the comment.
    showMarkField(app);
}

void savePositionMark(AppState& app) {
    MarkState& m = app.marks;
    m.dialogPosition = app.sound.position;
    PositionCommentDialog dialog(app);
    app.ui().runModal("position_comment", dialog);
    // A cancelled dialog still saves the position, with the comment it had before.
    if (!appendPositionMark(m.fileName, m.dialogPosition, m.comment)) {
        showWarning(app, "The position could not be saved in " + m.fileName + ".");
    }
}

bool stepMark(AppState& app, MarkCommand command) {
    MarkState& m = app.marks;
    MarkStep step = planMarkStep(command, m.index, markDevice(app));
    m.index = step.index;
    if (step.readMark) {
        uint32_t& target =
            step.target == MarkTarget::Position ? app.sound.position : m.dialogPosition;
        MarkSelection selected = selectMarkFromFile(m.fileName, step.index, target);
        m.index = selected.index;
        target = selected.target;
        m.comment = selected.comment;
        showMarkField(app);
    }
    if (step.clearSelection) {
        m.comment.clear();
        showMarkField(app);
    }
    if (step.positionToZero) app.sound.position = 0;
    // A mark lands on a whole frame, as the skip marks do.
    if (step.apply) app.sound.position = alignToFrame(app.sound.position, app.sound.frameSize);
    return step.apply;
}

void editPositionFile(AppState& app) {
    const std::string& path = app.marks.fileName;
    if (!fileExists(path)) {
        FileStream create;
        if (!create.open(path, FileStream::Mode::AppendKeep)) {
            showWarning(app, "The position file " + path + " could not be created.");
            return;
        }
    }
    if (!app.ui().openDocument(path)) {
        showWarning(app, "The position file " + path + " could not be opened in an editor.");
    }
}

void PositionCommentDialog::onInit(WindowHandle window) {
    Ui& ui = app_.ui();
    ui.setText(window, id::kPositionCommentPosition, std::to_string(app_.marks.dialogPosition));
    ui.setText(window, id::kPositionCommentText, app_.marks.comment);
    // The previous comment is offered selected: typing replaces it.
    ui.focus(window, id::kPositionCommentText);
}

void PositionCommentDialog::onCommand(WindowHandle window, int id, int32_t, Notify notify) {
    if (notify != Notify::Click) return;
    if (id == id::kPositionCommentSave) {
        app_.marks.comment = limitMarkComment(app_.ui().getText(window, id::kPositionCommentText));
        app_.ui().endDialog(window, 0);
    } else if (id == id::kPositionCommentCancel) {
        app_.ui().endDialog(window, 0);
    }
}

void PositionCommentDialog::onClose(WindowHandle window) {
    app_.ui().endDialog(window, 0);
}

}  // namespace pelkit
