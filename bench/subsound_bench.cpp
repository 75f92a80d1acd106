// The sub sounds' mixing turn over one 49,152-byte block of 16-bit stereo sound with 0, 1, 20
// and 200 slots playing, each from its own WAV file (eight blocks and a bit long, so slots end
// inside a block now and then). At 44,100 Hz a block lasts 278.6 ms; the goal for 200 slots is
// at most 28 ms per block, a tenth of one core at real time.
//
// Slots that end are started again outside the timed part. Add mode at the centre pan with
// boost 1 (the default), with boost and pan on every slot, in times mode, and with an 8-bit main
// sound, where the slots are read but nothing is mixed: the cost of the file reads alone.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_stream.h"
#include "files/wav_format.h"
#include "state/mixing_turn.h"
#include "state/subsound_bank.h"

namespace pelkit {
namespace {

constexpr uint32_t kBlock = 49152;
constexpr uint32_t kSlotData = 8 * kBlock + 1000;

enum Mode : int64_t { kAddCentre = 0, kAddPanned = 1, kTimes = 2, kReadOnly = 3 };

const char* modeName(int64_t m) {
    if (m == kReadOnly) return "8bit_reads_only";
    return m == kAddPanned ? "add_boost_pan" : m == kTimes ? "times" : "add_centre";
}

// Quiet sound-like samples (so the sums rarely clip), different for each seed.
std::vector<uint8_t> soundBytes(size_t n, uint32_t seed) {
    std::vector<uint8_t> b(n);
    uint32_t x = 12345 + seed;
    for (size_t i = 0; i + 1 < n; i += 2) {
        x = x * 1664525u + 1013904223u;
        auto v = static_cast<int16_t>(((i / 2 + seed) % 200) * 20 - 2000 + (x >> 26));
        b[i] = static_cast<uint8_t>(v);
        b[i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
    }
    return b;
}

// 200 slot files in a fresh temporary directory, removed afterwards.
class SlotFiles {
  public:
    SlotFiles() {
        char name[] = "/tmp/pelkit-subsound-bench-XXXXXX";
        if (mkdtemp(name)) dir_ = name;
        for (int i = 0; i < kSubSoundSlotCount && !dir_.empty(); ++i) {
            std::string path = dir_ + "/slot" + std::to_string(i) + ".wav";
            std::vector<uint8_t> data = soundBytes(kSlotData, static_cast<uint32_t>(i));
            FileStream out;
            out.open(path, FileStream::Mode::WriteTruncate);
            WriteWavHeader(out, makeWaveFormat(1, 2, 44100, 16), kSlotData);
            out.write(data.data(), data.size());
            paths_.push_back(path);
        }
    }
    ~SlotFiles() {
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    bool ok() const { return paths_.size() == kSubSoundSlotCount; }
    const std::string& path(int i) const { return paths_[i]; }

  private:
    std::string dir_;
    std::vector<std::string> paths_;
};

void BM_MixingTurn(benchmark::State& state) {
    static const SlotFiles files;
    if (!files.ok()) {
        state.SkipWithError("cannot write the slot files");
        return;
    }
    const auto playing = static_cast<int>(state.range(0));
    const int64_t mode = state.range(1);
    SubSoundBank bank;
    for (int i = 0; i < playing; ++i) {
        SubSoundSlot& slot = bank.entries[i];
        slot.assign(files.path(i));
        if (mode == kAddPanned) {
            slot.boost = 1.3f;
            slot.pan = (i % 2 ? 40.0f : -60.0f);
        }
        slot.play(0, false);
    }
    std::vector<uint8_t> copyBuffer(kBlock);
    const std::vector<uint8_t> mainBlock = soundBytes(kBlock, 999);
    std::vector<uint8_t> block = mainBlock;
    uint32_t position = 0;
    int64_t mixed = 0;
    for (auto _ : state) {
        std::copy(mainBlock.begin(), mainBlock.end(), block.begin());  // as a refill leaves it
        MixingTurnResult r = runMixingTurn(
            bank, {block.data(), kBlock, mode == kReadOnly ? 8 : 16, mode == kTimes, position},
            copyBuffer);
        benchmark::ClobberMemory();
        mixed += r.mixed;
        position += kBlock;
        if (r.ended > 0) {
            state.PauseTiming();
            for (int i = 0; i < playing; ++i) {
                SubSoundSlot& slot = bank.entries[i];
                if (!slot.isPlaying) slot.play(position, false);
            }
            state.ResumeTiming();
        }
    }
    state.SetLabel(modeName(mode));
    state.counters["slots_per_turn"] =
        state.iterations() ? static_cast<double>(mixed) / static_cast<double>(state.iterations())
                           : 0.0;
    state.SetBytesProcessed(mixed * kBlock);
}
BENCHMARK(BM_MixingTurn)
    ->ArgsProduct({{0, 1, 20, 200}, {kAddCentre}})
    ->Args({200, kAddPanned})
    ->Args({200, kTimes})
    ->Args({200, kReadOnly})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelkit
