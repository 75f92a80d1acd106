// The user's desktop folders as this system tells them: the environment, the password database
// for a missing HOME, and `xdg-user-dir MUSIC` for the music folder.
#pragma once

#include "files/app_folders.h"

namespace pelkit {

DesktopEnvironment thisDesktop();

}  // namespace pelkit
