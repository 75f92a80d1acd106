// A window built from a template: a QDialog whose children stand at the template's rectangles,
// with the main window's menu bar, addressed by control id. What the user does is reported
// through DialogEvents; the dialog itself decides nothing.
#pragma once

#include <QDialog>
#include <QScrollBar>
#include <functional>
#include <map>
#include <string>

#include "hosts/qt/wave_view.h"
#include "platform/ui.h"
#include "resources/templates.h"

class QAction;
class QMenu;
class QMenuBar;

namespace pelkit {

struct DialogEvents {
    std::function<void(int id, Notify notify)> command;
    std::function<void(int bar, int code, int thumb)> scroll;
    std::function<void()> close;                        // the close box, or Esc in a dialog
    std::function<void(const std::string& path)> drop;  // unset: the window takes no drops
};

// A horizontal scroll bar that reports the user's actions as scroll codes. Between actions it
// shows the position its owner last gave it, so the core alone decides where the thumb stands.
class CodeScrollBar final : public QScrollBar {
  public:
    CodeScrollBar(std::function<void(int code, int thumb)> report, QWidget* parent);

    void setCodeRange(int min, int max);
    void showPosition(int pos);  // without any signal
    int shownPosition() const { return shown_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void onAction(int action);
    void send(int code, int thumb);

    std::function<void(int code, int thumb)> report_;
    int shown_ = 0;
    int wheelRest_ = 0;
};

class TemplateDialog final : public QDialog {
  public:
    TemplateDialog(const TemplateDef& def, bool isMain, DialogEvents events,
                   const WavePainter& painter, QWidget* parent);

    bool isMain() const { return isMain_; }
    // The template's name, the context of the window's translated texts.
    const std::string& context() const { return context_; }

    // The child with ID (a button, field, label or group caption), or nullptr.
    QWidget* control(int id) const;
    CodeScrollBar* scrollBar(int id) const;
    WaveView* wave(WaveWindow which) const;
    QAction* menuAction(int id) const;
    QMenuBar* menuBar() const { return menuBar_; }

    void setControlText(int id, const QString& text);
    QString controlText(int id) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildControl(const ControlDef& c, QWidget* area, const WavePainter& painter);
    void buildMenu(const std::vector<MenuEntry>& entries, QMenuBar* bar, QMenu* menu);

    bool isMain_;
    std::string context_;  // the template's name: the context of its translated texts
    DialogEvents events_;
    std::map<int, QWidget*> controls_;
    std::map<int, CodeScrollBar*> bars_;
    std::map<int, QAction*> actions_;
    WaveView* upper_ = nullptr;
    WaveView* lower_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
};

}  // namespace pelkit
