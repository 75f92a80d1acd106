// Start-up, the settings file's keys, the command line, and the close of the main window.
#pragma once

#include <string>

#include "platform/ui.h"

namespace pelkit {

struct AppState;

struct CommandLine {
    bool play = false;
    std::string fileName;
};

// Joins the program's arguments with single blanks, as one command line of at most 259
// characters.
std::string joinArguments(int argc, const char* const* argv);

// "/p", "/P" or "-p" followed by a blank or the end is the play option; the rest, without
// double quotes and leading blanks, is the file name (a leading "/" of an absolute path stays).
CommandLine parseCommandLine(const std::string& text);

// Sets the defaults and applies the settings file at PATH; recovers a take left by a run that
// did not end normally; marks this run as started.
void loadSettings(AppState& app, const std::string& path);
void recoverTake(AppState& app);

// The main window's initialisation and its close request.
void initMainWindow(AppState& app, WindowHandle window);
void closeMainWindow(AppState& app);

}  // namespace pelkit
