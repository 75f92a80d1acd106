// The work playback does for one 49,152-byte block of 16-bit stereo sound, at the default
// settings, at speed 1.5 with pitch 1.2, and with the reverb on. At 44,100 Hz a block lasts
// 278.6 ms, so this is what the main thread spends of each block's time.
//
// Stages: the speed and pitch stage followed by the level stage, on a block in memory.
// Refill: the real BlockRefill of a playback opened on a file (read, stages, zero tail, and the
// block listeners the program registers), with the headless window system and an output device
// that is never opened, so blocks go nowhere.
// Refill with sub sounds: the same at the default settings with 0, 1, 20 and 200 slots playing,
// each from its own file (eight blocks and a bit long; slots that end are started again outside
// the timed part).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/block_listeners.h"
#include "devices/virtual/virtual_clock.h"
#include "devices/virtual/virtual_sound.h"
#include "dsp/level_stage.h"
#include "dsp/speed_pitch.h"
#include "files/file_stream.h"
#include "files/wav_format.h"
#include "hosts/headless/headless_host.h"
#include "playback/playback.h"
#include "services/services.h"
#include "state/app_state.h"
#include "state/subsound_bank.h"

namespace pelkit {
namespace {

constexpr uint32_t kFrame = 4;  // 16-bit stereo

enum Setting : int64_t { kDefault = 0, kSpeedPitch = 1, kReverb = 2 };

const char* settingName(int64_t s) {
    return s == kSpeedPitch ? "speed1.5_pitch1.2" : s == kReverb ? "reverb" : "default";
}

void applySetting(int64_t s, ProcessingSettings& p, LevelSettings& level) {
    if (s == kSpeedPitch) {
        p.speedFactor = 1.5f;
        p.pitchFactor = 1.2f;
    }
    level.reverbOn = s == kReverb;
}

// Sound-like bytes: a slow sine on each channel with some noise, so the level stage does not
// see only silence or only clipping.
std::vector<uint8_t> soundBytes(size_t n) {
    std::vector<uint8_t> b(n);
    uint32_t x = 12345;
    for (size_t i = 0; i + 1 < n; i += 2) {
        x = x * 1664525u + 1013904223u;
        auto v = static_cast<int16_t>(((i / 2) % 200) * 150 - 15000 + static_cast<int>(x >> 24));
        b[i] = static_cast<uint8_t>(v);
        b[i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
    }
    return b;
}

void BM_Stages(benchmark::State& state) {
    ProcessingSettings p;
    LevelSettings level;
    ReverbWork work;
    applySetting(state.range(0), p, level);
    std::vector<uint8_t> source = soundBytes(kCopyBufferSize);
    std::vector<uint8_t> block(kDefaultBlockSize);
    uint32_t readSize = computeReadSize(kDefaultBlockSize, p.speedFactor, kFrame, kCopyBufferSize);
    uint32_t length = computeOutputLength(readSize, p.speedFactor, kFrame);
    SpeedPitchSettings settings{p.speedFactor,    p.pitchFactor, p.pitchMode,
                                p.processingUnit, p.seamLength,  kFrame};
    for (auto _ : state) {
        processSpeedPitch(source.data(), readSize, static_cast<uint32_t>(source.size()),
                          block.data(), kDefaultBlockSize, settings);
        benchmark::DoNotOptimize(applyLevelStage(level, work, block.data(), length, 16));
        benchmark::ClobberMemory();
    }
    state.SetLabel(settingName(state.range(0)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * readSize);
}
BENCHMARK(BM_Stages)->Arg(kDefault)->Arg(kSpeedPitch)->Arg(kReverb);

// A 10-second 16-bit stereo 44,100 Hz file in the temporary directory, removed afterwards.
class SoundFile {
  public:
    SoundFile() {
        char name[] = "/tmp/pelkit-bench-XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0) close(fd);
        path_ = name;
        std::vector<uint8_t> data = soundBytes(10 * 176400);
        FileStream out;
        out.open(path_, FileStream::Mode::WriteTruncate);
        WriteWavHeader(out, makeWaveFormat(1, 2, 44100, 16), static_cast<uint32_t>(data.size()));
        out.write(data.data(), data.size());
    }
    ~SoundFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// Files for 200 sub sound slots in a temporary directory, removed afterwards.
class SlotFiles {
  public:
    SlotFiles() {
        char name[] = "/tmp/pelkit-bench-slots-XXXXXX";
        if (!mkdtemp(name)) return;
        dir_ = name;
        const std::vector<uint8_t> data = soundBytes(8 * kDefaultBlockSize + 1000);
        for (int i = 0; i < kSubSoundSlotCount; ++i) {
            paths_.push_back(dir_ + "/slot" + std::to_string(i) + ".wav");
            FileStream out;
            out.open(paths_.back(), FileStream::Mode::WriteTruncate);
            WriteWavHeader(out, makeWaveFormat(1, 2, 44100, 16),
                           static_cast<uint32_t>(data.size()));
            out.write(data.data(), data.size());
        }
    }
    ~SlotFiles() {
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path(int i) const { return paths_[static_cast<size_t>(i)]; }

  private:
    std::string dir_;
    std::vector<std::string> paths_;
};

void BM_BlockRefill(benchmark::State& state) {
    SoundFile file;
    static const SlotFiles slotFiles;
    const auto slots = static_cast<int>(state.range(1));
    std::istringstream script;
    std::ostringstream out, err;
    MessageQueue queue;
    VirtualClock clock;
    VirtualSoundOut soundOut(queue);  // never opened: queued blocks are dropped
    VirtualSoundIn soundIn(queue);
    HeadlessHost host(script, out, err, queue, clock, soundOut, soundIn, &soundOut, &soundIn);
    Platform platform{host, soundOut, soundIn, clock, queue};
    Services services;
    AppState app(platform, services);

    // The main sound, as a load leaves it.
    WavHeaderInfo info;
    if (!ReadWavHeader(file.path(), info)) {
        state.SkipWithError("cannot read the bench file");
        return;
    }
    app.sound.fileName = app.sound.playFileName = file.path();
    app.sound.dataSize = info.dataSize;
    app.sound.extraHeaderBytes = info.extraHeaderBytes;
    app.sound.frameSize = info.frameSize;
    app.format.channels = info.format.channels;
    app.format.samplesPerSecond = static_cast<int32_t>(info.format.samplesPerSecond);
    app.format.bitsPerSample = app.format.soundBitsPerSample = info.format.bitsPerSample;
    applySetting(state.range(0), app.processing, app.level);
    // Repeat, so that the file plays round and round.
    app.playback.repeatMode = RepeatMode::Repeat;

    app.subSounds = std::make_unique<SubSoundBank>();
    for (int i = 0; i < slots; ++i) {
        app.subSounds->entries[static_cast<size_t>(i)].assign(slotFiles.path(i));
        app.subSounds->entries[static_cast<size_t>(i)].play(0, false);
    }

    // What the play command and the device's open message do; the open primes the four blocks.
    app.blocks.blockSize = app.blocks.chosenBlockSize;
    registerBlockListeners(app);  // what the program attaches to every block
    OpenSoundStream(app.sound.playFileName, app.sound.playStream, nullptr, app.sound.dataOffset());
    onOutputOpen(app);

    size_t next = 0;
    for (auto _ : state) {
        // What the block-done message does, without the display's part.
        recomputeReadSize(app);
        BlockRefill(app, app.ring.headers[next]);
        next = (next + 1) % app.ring.headers.size();
        benchmark::ClobberMemory();
        if (slots > 0 && !app.subSounds->entries[0].isPlaying) {
            state.PauseTiming();
            for (int i = 0; i < slots; ++i) {
                SubSoundSlot& slot = app.subSounds->entries[static_cast<size_t>(i)];
                if (!slot.isPlaying) slot.play(app.sound.position, false);
            }
            state.ResumeTiming();
        }
    }
    if (app.modes.stopRequested || app.playback.activeHeaders != kBlockCount) {
        state.SkipWithError("playback stopped during the run");
    }
    state.SetLabel(std::string(settingName(state.range(0))) + ", " + std::to_string(slots) +
                   " slots playing");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * app.playback.readSize);
}
BENCHMARK(BM_BlockRefill)
    ->Args({kDefault, 0})
    ->Args({kSpeedPitch, 0})
    ->Args({kReverb, 0})
    ->Args({kDefault, 1})
    ->Args({kDefault, 20})
    ->Args({kDefault, 200})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pelkit
