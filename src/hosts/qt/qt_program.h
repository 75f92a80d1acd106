// The window program: the Qt application around the core, with the sound devices it is given.
#pragma once

#include <string>

#include "platform/message_queue.h"
#include "platform/sound_device.h"

class QApplication;
class QIcon;

namespace pelkit {

// Shows the main window on OUT and IN until it ends; returns the exit status.
int runWindowProgram(int argc, char** argv, const std::string& programPath, SoundOut& out,
                     SoundIn& in, MessageQueue& queue);

// Style, fonts and Qt's own Japanese texts, for the program and its tests alike.
void prepareApplication(QApplication& app);

// Icon 111, drawn for this program.
QIcon programIcon();

}  // namespace pelkit
