// What syncing a take to disk costs a recording. A stand-in input device fills one of four
// blocks every block's duration (divided by SPEEDUP) and counts an overrun whenever no block is
// free, as a sound card does; the "window thread" hands each filled block to the take writer
// and gives it back (in the "HDD" mode once the writer thread reports it written). Each write
// mode runs with the periodic sync on and off, optionally while another thread keeps the disk
// busy with large synced writes. Prints, per run: overruns, the window thread's time per block,
// the syncs made and the longest of them, and the time to finish the take (header, syncs,
// rename).
//
// Usage: pelkit_record_bench [SOUND_SECONDS] [SPEEDUP] [--busy-disk] [--format CH RATE BITS]
// Runs in the current folder (the disk being measured).
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "files/take_writer.h"
#include "platform/message_queue.h"

using namespace pelkit;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint32_t kBlock = 49152;
constexpr int kRing = 4;

struct Figures {
    uint64_t blocks = 0, overruns = 0, syncs = 0;
    double longestBlockMs = 0, meanBlockMs = 0, longestSyncMs = 0, finishMs = 0;
};

// Another writer on the same disk: 8 MiB written and synced, over and over.
class BusyDisk {
  public:
    BusyDisk() {
        thread_ = std::thread([this] {
            std::vector<char> chunk(8 << 20, 'x');
            while (!stop_) {
                std::FILE* f = std::fopen("busy-disk.tmp", "wb");
                if (!f) return;
                std::fwrite(chunk.data(), 1, chunk.size(), f);
                std::fflush(f);
                fsync(fileno(f));
                std::fclose(f);
            }
        });
    }
    ~BusyDisk() {
        stop_ = true;
        thread_.join();
        std::remove("busy-disk.tmp");
    }

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

Figures run(TakeWriter::Mode mode, bool sync, const WaveFormat& format, double soundSeconds,
            double speedup) {
    const auto period =
        std::chrono::duration<double>(kBlock / double(format.avgBytesPerSecond) / speedup);
    const uint64_t total = static_cast<uint64_t>(soundSeconds * format.avgBytesPerSecond / kBlock);
    std::vector<std::vector<uint8_t>> buffers(kRing, std::vector<uint8_t>(kBlock));
    std::vector<WaveHeader> headers(kRing);
    for (int i = 0; i < kRing; ++i)
        headers[i] = WaveHeader{buffers[i].data(), kBlock, kBlock};

    MessageQueue queue;
    std::mutex freeMutex;
    std::deque<WaveHeader*> free(headers.size());
    for (int i = 0; i < kRing; ++i)
        free[i] = &headers[i];
    std::atomic<uint64_t> overruns{0};

    TakeWriter take;
    take.setTempName("bench_record.wav");
    if (!sync) take.setSyncEvery(0);
    take.prepare(false);
    take.begin(format, mode, queue);

    // The device: one block per period, into a free buffer, or an overrun.
    std::thread device([&] {
        auto next = Clock::now();
        for (uint64_t n = 0; n < total; ++n) {
            next += std::chrono::duration_cast<Clock::duration>(period);
            std::this_thread::sleep_until(next);
            WaveHeader* h = nullptr;
            {
                std::lock_guard lock(freeMutex);
                if (!free.empty()) {
                    h = free.front();
                    free.pop_front();
                }
            }
            if (!h) {
                ++overruns;
                continue;
            }
            std::memset(h->data, static_cast<int>(n), kBlock);
            queue.post({MessageKind::InData, h, 0});
        }
        queue.post({MessageKind::InClose, nullptr, 0});
    });

    Figures f;
    double totalMs = 0;
    auto giveBack = [&](WaveHeader* h) {
        std::lock_guard lock(freeMutex);
        free.push_back(h);
    };
    bool closed = false;
    while (!closed || take.inFlight() > 0) {
        auto m = queue.waitPop(std::chrono::seconds(30));
        if (!m) break;
        if (m->kind == MessageKind::InClose) closed = true;
        if (m->kind == MessageKind::RecordWritten) giveBack(m->header);
        if (m->kind != MessageKind::InData) continue;
        auto began = Clock::now();
        take.append(m->header->data, kBlock, m->header);
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
        f.longestBlockMs = std::max(f.longestBlockMs, ms);
        totalMs += ms;
        ++f.blocks;
        if (mode == TakeWriter::Mode::Direct) giveBack(m->header);
    }
    device.join();
    auto finishing = Clock::now();
    TakeFinish done = take.finish("bench_take.wav");
    f.finishMs = std::chrono::duration<double, std::milli>(Clock::now() - finishing).count();
    auto syncs = take.syncFigures();
    f.syncs = syncs.syncs;
    f.longestSyncMs = syncs.longest.count() / 1000.0;
    f.overruns = overruns;
    f.meanBlockMs = f.blocks ? totalMs / f.blocks : 0;
    take.close();
    std::remove("bench_take.wav");
    std::remove("bench_record.wav");
    if (done.dataSize != f.blocks * kBlock)
        std::fprintf(stderr, "record_bench: a take lost data\n");
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    double soundSeconds = 120, speedup = 10;
    bool busy = false;
    WaveFormat format = makeWaveFormat(1, 2, 44100, 16);
    std::vector<double> numbers;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--busy-disk") == 0) {
            busy = true;
        } else if (std::strcmp(argv[i], "--format") == 0 && i + 3 < argc) {
            format = makeWaveFormat(1, std::atoi(argv[i + 1]), std::atoi(argv[i + 2]),
                                    std::atoi(argv[i + 3]));
            i += 3;
        } else {
            numbers.push_back(std::atof(argv[i]));
        }
    }
    if (numbers.size() > 0) soundSeconds = numbers[0];
    if (numbers.size() > 1) speedup = numbers[1];

    std::printf(
        "%.0f s of sound (%u ch, %u Hz, %u bit; blocks of %u bytes, %.1f ms) at %.0fx "
        "real time%s\n",
        soundSeconds, format.channels, format.samplesPerSecond, format.bitsPerSample, kBlock,
        1000.0 * kBlock / format.avgBytesPerSecond, speedup,
        busy ? ", disk kept busy by another writer" : "");
    std::printf("%-5s %-5s %8s %9s %12s %12s %6s %12s %10s\n", "mode", "sync", "blocks", "overruns",
                "block mean", "block max", "syncs", "longest sync", "finish");
    for (auto mode : {TakeWriter::Mode::Direct, TakeWriter::Mode::Threaded}) {
        for (bool sync : {false, true}) {
            std::unique_ptr<BusyDisk> load;
            if (busy) load = std::make_unique<BusyDisk>();
            Figures f = run(mode, sync, format, soundSeconds, speedup);
            std::printf("%-5s %-5s %8llu %9llu %9.3f ms %9.3f ms %6llu %9.1f ms %7.1f ms\n",
                        mode == TakeWriter::Mode::Direct ? "mem" : "HDD", sync ? "on" : "off",
                        static_cast<unsigned long long>(f.blocks),
                        static_cast<unsigned long long>(f.overruns), f.meanBlockMs,
                        f.longestBlockMs, static_cast<unsigned long long>(f.syncs), f.longestSyncMs,
                        f.finishMs);
        }
    }
    return 0;
}
