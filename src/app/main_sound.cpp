#include "app/main_sound.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "status/readouts.h"
#include "files/file_names.h"
#include "files/wav_format.h"
#include "resources/control_ids.h"
#include "state/app_state.h"
#include "status/status_display.h"

namespace pelkit {

namespace fs = std::filesystem;

bool readMainHeader(AppState& app, const std::string& path) {
    WavHeaderInfo info;
    bool valid = ReadWavHeader(path, info);
    app.sound.dataSize = info.dataSize;
    app.sound.extraHeaderBytes = info.extraHeaderBytes;
    if (!valid) return false;
    app.format.deviceFormat = info.format;
    app.format.formatTag = info.format.formatTag;
    app.format.channels = info.format.channels;
    app.format.samplesPerSecond = static_cast<int32_t>(info.format.samplesPerSecond);
    app.format.bitsPerSample = info.format.bitsPerSample;
    app.sound.frameSize = info.frameSize;
    recomputePositionStep(app);
    return true;
}

void OverwriteDataSize(AppState& app) {
    const std::string& path = app.sound.fileName;
    uint32_t n = WavDataSize(path);
    app.sound.dataSize = n;
    char text[128];
    std::snprintf(text, sizeof text, "%ld バイト ...header以外すべてwaveとして",
                  static_cast<long>(n));
    if (app.ui().messageBox(app.windows.mainDialog, text, path, BoxIcon::Warning,
                            BoxButtons::OkCancel) != BoxAnswer::Ok) {
        return;
    }
    // A canonical header gets "data" and the size at byte 36. In a header with more chunks,
    // byte 36 lies inside the fmt chunk: there only the data chunk's own size field changes.
    WavHeaderInfo info;
    if (!ReadWavHeader(path, info)) {
        showWarning(app, path + " has no WAV header; nothing was written.");
        return;
    }
    int64_t at = 36;
    bool writeTag = true;
    uint32_t size = n;
    if (info.extraHeaderBytes > 0) {
        // The field gets the bytes that really follow the data chunk's header.
        at = kCanonicalHeaderSize + info.extraHeaderBytes - 4;
        writeTag = false;
        size = n - static_cast<uint32_t>(info.extraHeaderBytes);
    }
    if (size == 0) size = 0xFFFFFFFFu;
    FileStream out;
    bool ok = out.open(path, FileStream::Mode::WriteKeep);
    if (ok) {
        uint8_t bytes[8] = {'d', 'a', 't', 'a', 0, 0, 0, 0};
        for (int i = 0; i < 4; ++i)
            bytes[4 + i] = static_cast<uint8_t>(size >> (8 * i));
        ok = out.seek(at) && (writeTag ? out.write(bytes, 8) : out.write(bytes + 4, 4));
    }
    if (!ok) {
        showWarning(app, "The data size could not be written to " + path + ".");
        return;
    }
    app.ui().messageBox(app.windows.mainDialog, "wave サイズ書き込みました。", path,
                        BoxIcon::Information, BoxButtons::Ok);
}

namespace {

// Moves SOURCE onto TARGET, replacing it: a rename, or a copy and a remove across file systems.
bool moveReplacing(const std::string& source, const std::string& target) {
    std::error_code ec;
    fs::rename(source, target, ec);
    if (!ec) return true;
    ec.clear();
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
    fs::remove(source, ec);
    return true;
}

// A name beside PATH that no file has yet: PATH's numbered names with "_kept".
std::string unusedKeptName(const std::string& path) {
    std::string base = DerivedName(path, "_kept");
    for (int n = 1; n < 100000; ++n) {
        std::string candidate = NumberedName(base, n);
        if (!fileExists(candidate)) return candidate;
    }
    return base;
}

}  // namespace

uint32_t FinishRecordedFile(AppState& app, const WaveFormat& format, const std::string& finalPath,
                            const std::string& tempPath) {
    uint32_t size = WavDataSize(tempPath);
    if (size == 0) {
        setStatusText(app, id::kFieldStatus, "zero");
        return 0;
    }
    {
        FileStream out;
        if (out.open(tempPath, FileStream::Mode::WriteKeep)) WriteWavHeader(out, format, size);
    }
    if (moveReplacing(tempPath, finalPath)) return size;

    // The take cannot reach its name (a read-only or missing directory, a full disk): keep it.
    std::string kept = unusedKeptName(tempPath);
    std::error_code ec;
    fs::rename(tempPath, kept, ec);
    if (ec) {
        // Not even a rename beside it works: leave the take where it is and record the next
        // takes into another temporary file, so that nothing empties this one.
        kept = tempPath;
        app.recorder.tempFileName = unusedKeptName(DerivedName(tempPath, "_next"));
    }
    showWarning(app, "The recording could not be saved as " + finalPath + ". It is kept in " +
                         fs::absolute(kept, ec).string() + ".");
    return size;
}

uint32_t FinishRecordedFiles(AppState& app, const WaveFormat& format, const std::string& finalPath,
                             int32_t parts) {
    // A copy: finishing may have to move the recorder on to another temporary file.
    const std::string temp = app.recorder.tempFileName;
    uint32_t total = FinishRecordedFile(app, format, finalPath, temp);
    for (int32_t i = 1; i <= parts; ++i) {
        total += FinishRecordedFile(app, format, NumberedName(finalPath, i), NumberedName(temp, i));
    }
    return total;
}

}  // namespace pelkit
