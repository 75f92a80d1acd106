// The on/off state of the buttons and menu entries that switch something on and off, shown as
// check marks. One row per control: a later switch adds its row here.
#pragma once

#include <string_view>
#include <vector>

namespace pelkit {

struct AppState;

// Which window a row belongs to.
enum class CheckWindow { Main, RecordOptions };

struct CheckMark {
    CheckWindow window;
    int id;
    bool (*on)(const AppState& app);
};

const std::vector<CheckMark>& checkMarks();

// Whether control ID of WINDOW is a switch, and whether it is on now.
bool isSwitch(CheckWindow window, int id);

// Shows every switch of the main window and of the record options window (when open) as its
// state says. Called after each command and device message, so the marks follow the state.
void refreshCheckMarks(AppState& app);

}  // namespace pelkit
