#include "app/main_sound.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "files/file_names.h"
#include "files/wav_format.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/readouts.h"
#include "status/status_display.h"

namespace pelkit {

namespace fs = std::filesystem;

bool readMainHeader(AppState& app, const std::string& path, std::string* refusal) {
    WavHeaderInfo info;
    bool valid = ReadWavHeader(path, info);
    const std::string why = playRefusal(path, info, valid);
    if (refusal) *refusal = why;
    app.sound.dataSize = info.dataSize;
    app.sound.extraHeaderBytes = info.extraHeaderBytes;
    if (!valid || !why.empty()) return false;
    adoptHeader(app, info.format, info.dataSize, info.extraHeaderBytes);
    return true;
}

void adoptHeader(AppState& app, const WaveFormat& format, uint32_t dataSize,
                 int32_t extraHeaderBytes) {
    app.sound.dataSize = dataSize;
    app.sound.extraHeaderBytes = extraHeaderBytes;
    app.format.deviceFormat = format;
    app.format.formatTag = format.formatTag;
    app.format.channels = format.channels;
    app.format.samplesPerSecond = static_cast<int32_t>(format.samplesPerSecond);
    app.format.bitsPerSample = format.bitsPerSample;
    app.sound.frameSize = static_cast<uint32_t>(format.channels) * format.bitsPerSample / 8;
    recomputePositionStep(app);
}

void OverwriteDataSize(AppState& app) {
    const std::string& path = app.sound.fileName;
    // The repair makes everything after the header sound, chunks after the data included.
    const uint32_t n = WavDataSize(path);
    WavHeaderInfo info;
    const bool readable = ReadWavHeader(path, info) || !info.refusal.empty();
    app.sound.dataSize = info.dataSize;
    const auto extra = static_cast<uint32_t>(readable ? info.extraHeaderBytes : 0);
    const uint32_t size = n - extra;  // the bytes that follow the data chunk's header
    // The count takes the place of "%ld" in the text as the user reads it: a translated text is
    // never used as a format.
    std::string text = app.ui().translate("message", "%ld バイト ...header以外すべてwaveとして");
    if (size_t at = text.find("%ld"); at != std::string::npos) {
        text.replace(at, 3, std::to_string(n));
    }
    if (readable && size > info.dataSize && chunksFollowTheData(path, info)) {
        text += " (The data chunk holds " + std::to_string(info.dataSize) + " bytes; the " +
                std::to_string(size - info.dataSize) +
                " bytes of other chunks after it will be played as sound too.)";
    }
    if (app.ui().messageBox(app.windows.mainDialog, text, path, BoxIcon::Warning,
                            BoxButtons::OkCancel) != BoxAnswer::Ok) {
        return;
    }
    if (!readable) {
        showWarning(app, path + " has no WAV header; nothing was written.");
        return;
    }
    // A canonical header gets "data" and the size at byte 36. In a header with more chunks,
    // byte 36 lies inside the fmt chunk: there only the data chunk's own size field changes.
    int64_t at = 36;
    bool writeTag = extra == 0;
    if (!writeTag) at = kCanonicalHeaderSize + extra - 4;
    FileStream out;
    bool ok = out.open(path, FileStream::Mode::WriteKeep);
    if (ok) {
        const uint32_t field = size == 0 ? 0xFFFFFFFFu : size;
        uint8_t bytes[8] = {'d', 'a', 't', 'a', 0, 0, 0, 0};
        for (int i = 0; i < 4; ++i)
            bytes[4 + i] = static_cast<uint8_t>(field >> (8 * i));
        ok = out.seek(at) && (writeTag ? out.write(bytes, 8) : out.write(bytes + 4, 4));
    }
    if (!ok) {
        showWarning(app, "The data size could not be written to " + path + ".");
        return;
    }
    app.sound.dataSize = size;
    app.ui().messageBox(app.windows.mainDialog,
                        app.ui().translate("message", "wave サイズ書き込みました。"), path,
                        BoxIcon::Information, BoxButtons::Ok);
}

}  // namespace pelkit
