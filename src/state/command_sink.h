// "Send this command to the main window": features and dialogs reach the command dispatcher
// through this sink, which the application sets, so none of them includes the dispatcher.
// Sending is a direct call that runs the command to the end before the sender goes on.
#pragma once

#include <cstdint>

namespace pelkit {

class CommandSink {
  public:
    virtual ~CommandSink() = default;
    virtual void send(int id, int32_t param) = 0;
};

}  // namespace pelkit
