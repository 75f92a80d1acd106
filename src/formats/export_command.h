// Export: the main sound written as FLAC, Ogg Vorbis, Opus, MP3 or WAV, the format picked by the
// extension of the name chosen in a save dialog, in one streaming pass with progress.
#pragma once

#include <string>
#include <vector>

#include "files/sound_export.h"
#include "state/command_table.h"

namespace pelkit {

struct AppState;

// The export qualities kept in the settings file ([init] flaclevel, exportquality).
ExportQuality exportQuality(const AppState& app);

// Asks for the name and writes the export of the main file.
void exportSound(AppState& app);

std::vector<CommandEntry> exportCommands();

}  // namespace pelkit
