// Sound files in other formats (FLAC, Ogg Vorbis, Opus, MP3, AIFF, ...) are worked on through a
// WAV working copy beside them, decoded in one streaming pass.
#pragma once

#include <functional>
#include <string>

namespace pelkit {

struct AppState;

// Starts decoding SOURCE into its working copy (workingCopyName), after asking before an
// existing file of that name is replaced. LOADED runs with the copy's name once it is complete.
// False when nothing was started: the user said Cancel, or SOURCE cannot be decoded (the user
// is told, and nothing is changed).
bool startWorkingCopy(AppState& app, const std::string& source,
                      std::function<void(AppState&, const std::string&)> loaded);

}  // namespace pelkit
