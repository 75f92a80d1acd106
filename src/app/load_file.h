// Making a WAV file the main sound: from the command line, the file choice or a drop.
#pragma once

#include <string>

namespace pelkit {

struct AppState;

// Builds the output file names and the sequence file name from fileName.
void rebuildNames(AppState& app);

// Makes NAME the current file: title, "loaded" controls, header read into the format, play
// stream reopened on it, record file emptied. A file that exists but has no readable WAV header
// is still taken (a recording would replace it) and the user is warned; a missing file is the
// name of the next recording.
// A file in another format that libsndfile reads (FLAC, Ogg, MP3, ...) is first decoded into its
// WAV working copy beside it, in slices from the event loop; the copy is then loaded and the
// names refreshed. One that cannot be decoded is named and nothing changes.
void loadSoundFile(AppState& app, const std::string& name);

// The waveform windows show the file just loaded at once (the block at the play position),
// unless a play run or a take owns the display.
void showLoadedSound(AppState& app);

// Plays the main sound now, or once the working copy being made has been loaded.
void playWhenLoaded(AppState& app);

}  // namespace pelkit
