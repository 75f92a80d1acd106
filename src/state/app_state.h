// The one object that holds the state the whole program shares while it runs. It is created by
// the program entry and passed by reference; every test builds its own.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dsp/fft_view.h"
#include "dsp/hq_stretcher.h"
#include "dsp/level_stage.h"
#include "files/app_folders.h"
#include "files/file_stream.h"
#include "files/take_writer.h"
#include "platform/platform.h"
#include "platform/wave_format.h"
#include "state/byte_buffer.h"
#include "state/command_sink.h"
#include "state/display_state.h"
#include "state/file_edit_state.h"
#include "state/keyboard_state.h"
#include "state/mark_state.h"
#include "state/playback_state.h"
#include "state/sequence_state.h"
#include "state/sound_tools_state.h"
#include "state/subsound_bank.h"
#include "state/value_slider.h"

namespace pelkit {

// Texts and paths hold at most this many characters.
inline constexpr size_t kTextMax = 259;

inline constexpr uint32_t kDefaultBlockSize = 49152;
inline constexpr uint32_t kDisplayBufferSize = 491520;
inline constexpr uint32_t kCopyBufferSize = 7864320;
inline constexpr uint32_t kLevelCheckBlockSize = 768;
inline constexpr uint32_t kDefaultPartLimit = 2000000000;
inline constexpr uint32_t kDefaultLoopSize = 1000000000;
inline constexpr int kBlockCount = 4;

inline constexpr const char* kCaption = "pelkit_recorder";
inline constexpr const char* kSettingsFileName = "pelkit_recorder.ini";
inline constexpr const char* kTempFileName = "pelkit_record.wav";
inline constexpr const char* kDefaultFileName = "record.wav";
inline constexpr const char* kTitleText = "ぺるきっとレコーダー 2.a1.00";

struct FormatSettings {
    int32_t formatTag = 1;
    int32_t channels = 2;
    int32_t samplesPerSecond = 44100;
    int32_t bitsPerSample = 16;       // bits of the next recording; a load stores the file's
    int32_t soundBitsPerSample = 16;  // bits of the sound now loaded or last recorded
    float rateFactor = 4.0f;
    int32_t bytesPerSecond = 176400;
    WaveFormat deviceFormat;
};

struct MainSound {
    std::string fileName = kDefaultFileName;
    std::string playFileName = kDefaultFileName;
    FileStream playStream;
    uint32_t dataSize = 16000;
    uint32_t position = 0;
    int32_t extraHeaderBytes = 0;
    uint32_t frameSize = 12;  // bytes per frame, set by every header read

    // Byte offset of the first sample in the file.
    int64_t dataOffset() const { return 44 + static_cast<int64_t>(extraHeaderBytes); }

    // Clears the play stream and reopens it on playFileName at byte 44.
    bool reopenPlayStream();
};

struct BlockSettings {
    uint32_t blockSize = kDefaultBlockSize;
    uint32_t chosenBlockSize = kDefaultBlockSize;
    uint32_t levelCheckBlockSize = kLevelCheckBlockSize;
    uint32_t streamBlockSize = 0;
    uint32_t copyBufferSize = kCopyBufferSize;
};

struct BlockRing {
    std::array<WaveHeader, kBlockCount> headers{};
    std::array<ByteBuffer, kBlockCount> buffers;
    std::vector<uint8_t> displayBuffer;  // kDisplayBufferSize bytes while the window is up
    const uint8_t* displayData = nullptr;
    uint8_t* processBuffer = nullptr;
    ByteBuffer copyBuffer;
    uint8_t placeholder[1] = {0};  // what processBuffer points to before the first playback

    // Every block buffer is allocated.
    bool allHeld() const;
    // Frees the block buffers; nothing keeps pointing into them.
    void release();
};

// Who writes a take's blocks: "mem", the main thread; "HDD", a writer thread.
enum class WriteMode { Memory, Disk };
inline WriteMode otherWriteMode(WriteMode m) {
    return m == WriteMode::Disk ? WriteMode::Memory : WriteMode::Disk;
}

struct ModeFlags {
    bool playing = false;
    bool playPaused = false;
    bool recording = false;
    bool stopRequested = false;
    bool exitPending = false;
    bool levelCheck = false;
    bool standby = false;
    bool loopRecording = false;
    bool recordPaused = false;
    bool japaneseCaptions = true;
    WriteMode writeMode = WriteMode::Memory;
};

struct RecorderState {
    uint32_t loopSize = kDefaultLoopSize;
    WriteMode takeWriteMode = WriteMode::Memory;  // writeMode as it was when the take began
    bool writeFailed = false;                     // a write of this take failed; the take stops
    bool closing = false;  // the input device closed; the take is being finished
    bool finishScheduled = false;
    // The take that a pause ended, which the next record command goes on with: its name, its
    // format and where it stood. No name: there is none.
    struct PausedTake {
        std::string fileName;
        WaveFormat format;
        TakeWriter::Position at;
    } paused;
    bool resuming = false;      // the take being opened goes on with the paused one
    bool resumeFailed = false;  // it could not: the blocks of this opening are dropped
    // The numbered parts of the take this one replaces, removed when it is finished.
    std::vector<std::string> olderParts;
    // The file whose replacement by a new take the user agreed to at standby.
    std::string approvedFor;
};

struct WindowSet {
    WindowHandle mainDialog = kNoWindow;
    bool mainDialogEnded = false;
    WindowHandle recordOptions = kNoWindow;  // the record options window while it is open
};

// Files named by rule from the main file.
struct OutputNames {
    std::string cut = "record_Rif.wav";
    std::string left = "record_L.wav";
    std::string right = "record_R.wav";
    std::string center = "record_M.wav";
    std::string leftRight = "record_LR.wav";
    std::string sequence;
};

// What spectrum mode shows: the cosine-sum bars of the block's start, or the FFT view of the
// whole block being heard (left channel above, right below).
enum class SpectrumView { Bars, Fft };

// The spectrum analysis: the FFT view, made on the main thread when first shown (the bars'
// worker is one of the services).
struct SpectrumState {
    SpectrumView view = SpectrumView::Bars;
    std::unique_ptr<FftView> fft;
    FftBars fftBars;  // the FFT view of the block being heard
};

// The wave micro edit: its three sliders live for the whole run, its window while it is open.
struct MicroEditState {
    MicroEditSliders sliders = makeMicroEditSliders();
    WindowHandle window = kNoWindow;
};

struct Services;

struct AppState {
    AppState(Platform& p, Services& s) : platform(p), services(s) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    Platform& platform;
    Services& services;  // the thread-owning objects, composed beside this state
    Ui& ui() { return platform.ui; }
    CommandSink* commands = nullptr;  // the main window's dispatcher, set by the application

    FormatSettings format;
    MainSound sound;
    BlockSettings blocks;
    BlockRing ring;
    ModeFlags modes;
    RecorderState recorder;
    WindowSet windows;
    OutputNames names;

    PlaybackState playback;
    ProcessingSettings processing;
    LevelSettings level;
    ReverbWork reverbWork;
    HqStretchWork hqStretch;  // the stretcher of the high-quality stretch while it plays
    DisplayState display;
    ScrollState scroll;
    SpectrumState spectrum;
    MarkState marks;
    MicroEditState microEdit;
    std::unique_ptr<SubSoundBank> subSounds;  // the 200 slots, while the main window is up
    SubSoundUi subSoundUi;
    SequenceState sequence;
    KeyboardState keyboard;
    FileEditState edits;
    SoundToolsState tools;

    uint32_t startTick = 0;
    std::string titleText = kTitleText;
    std::string commandLine;   // as given to the program, at most kTextMax characters
    std::string programPath;   // full path of the program file
    std::string settingsPath;  // the settings file, in the directory current at start-up
    std::string chosenFile;    // the file choice's buffer: the last chosen path
    AppFolders folders;        // where the settings, the temporary take and new files live
};

// Sends a command to the main window; it has run to the end when this returns.
inline void sendCommand(AppState& app, int id, int32_t param = 0) {
    if (app.commands) app.commands->send(id, param);
}

// bytesPerSecond from the bits of the current sound, the channels and the rate.
void updateByteRate(AppState& app);

}  // namespace pelkit
