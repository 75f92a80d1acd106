// Where the program keeps its files. Started from a terminal or headless it works in the current
// folder: every folder here is empty and the names stay as they are. Started from the desktop
// (desktopFolders), the settings file lives in the XDG config folder, the temporary take in the
// XDG state folder, and new takes, marks and sequences in a folder of the user's music folder.
#pragma once

#include <string>

namespace pelkit {

inline constexpr const char* kFolderName = "pelkit_recorder";

struct AppFolders {
    std::string config;  // the settings file's folder; empty: the current folder
    std::string state;   // the temporary take's folder; empty: the working folder
    std::string work;    // the working folder; empty: the current folder

    bool desktop() const { return !config.empty() || !state.empty() || !work.empty(); }
    // NAME in the settings folder (a full path: the current folder is taken at start-up).
    std::string settingsFile(const std::string& name) const;
    // NAME in the temporary take's folder.
    std::string stateFile(const std::string& name) const;
    // NAME in the working folder.
    std::string workFile(const std::string& name) const;
};

// What the desktop says about the user's folders.
struct DesktopEnvironment {
    std::string home;        // $HOME
    std::string configHome;  // $XDG_CONFIG_HOME
    std::string stateHome;   // $XDG_STATE_HOME
    std::string musicDir;    // what `xdg-user-dir MUSIC` printed; empty when it could not run
};

// The desktop folders: "pelkit_recorder" in $XDG_CONFIG_HOME (default ~/.config), in
// $XDG_STATE_HOME (default ~/.local/state) and in the music folder (default ~/Music). Values that
// are empty or not absolute count as missing. Without an absolute home folder there are no
// desktop folders (the result works in the current folder).
AppFolders desktopFolders(const DesktopEnvironment& env);

// Creates the folders of FOLDERS that are missing, with their parents: the settings and state
// folders readable by the user alone. Returns what failed (naming the folder), or empty.
std::string makeFolders(const AppFolders& folders);

}  // namespace pelkit
