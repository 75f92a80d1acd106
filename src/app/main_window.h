// The main window's procedure: initialisation, commands, scroll bars, the timer, dropped files,
// the close request and the messages of the sound devices.
#pragma once

#include <optional>
#include <string>

#include "files/take_writer.h"
#include "platform/message_queue.h"
#include "platform/ui.h"

namespace pelkit {

struct AppState;

class MainWindow final : public DialogHandler {
  public:
    explicit MainWindow(AppState& app) : app_(app) {}

    void onInit(WindowHandle window) override;
    void onCommand(WindowHandle window, int id, int32_t param, Notify notify) override;
    void onScroll(WindowHandle window, int bar, int code, int thumb) override;
    void onClose(WindowHandle window) override;

    void onTimer();
    void onDrop(const std::string& path);
    void onDeviceMessage(const Message& message);

    bool ended() const;

  private:
    void handleDeviceMessage(const Message& message);
    // The end of a take: once its writes are on disk, the take is finished into its file.
    void continueTakeClose();
    void endTake();
    void takeEnded(std::optional<TakeFinish> take);

    AppState& app_;
};

}  // namespace pelkit
