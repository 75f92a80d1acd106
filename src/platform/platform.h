// Everything the core reaches of the platform, handed to it as one record.
#pragma once

#include "platform/clock.h"
#include "platform/message_queue.h"
#include "platform/sound_device.h"
#include "platform/ui.h"

namespace pelkit {

struct Platform {
    Ui& ui;
    SoundOut& out;
    SoundIn& in;
    Clock& clock;
    MessageQueue& queue;
};

}  // namespace pelkit
