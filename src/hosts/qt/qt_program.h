// The window program: the Qt application around the core, with the sound devices it is given.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "hosts/qt/qt_language.h"
#include "platform/message_queue.h"
#include "platform/sound_device.h"

class QApplication;
class QIcon;

namespace pelkit {

class StopSignals;

// What the program entry chose for the window program.
struct WindowOptions {
    bool desktop = false;                // started from the desktop entry: the desktop folders
    std::optional<Language> language;    // --lang; nothing: the locale's
    StopSignals* stopSignals = nullptr;  // the signals that end the program as its close does
    // Runs once the main window has painted for the first time (the sound devices' start-up,
    // which would otherwise compete with the first paint).
    std::function<void()> afterFirstPaint;
};

// Shows the main window on OUT and IN until it ends; returns the exit status.
int runWindowProgram(int argc, char** argv, const std::string& programPath, SoundOut& out,
                     SoundIn& in, MessageQueue& queue, const WindowOptions& options = {});

// Style, fonts and the language of the windows, for the program and its tests alike.
void prepareApplication(QApplication& app, Language language = Language::Japanese);

// Icon 111, drawn for this program.
QIcon programIcon();

}  // namespace pelkit
