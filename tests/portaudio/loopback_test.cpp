// The real sound devices through a sound server: what the output plays is recorded back from
// the null sink's monitor and compared, block messages arrive in order, resets and closes
// behave, and a server that goes away ends playback cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <optional>
#include <vector>

#include "devices/portaudio/portaudio_devices.h"
#include "portaudio/sound_server.h"

namespace pelkit {
namespace {

using namespace std::chrono_literals;
using test::Bytes;

constexpr uint32_t kBlock = 49152;

// A pseudo-random signal: its cross-correlation has one sharp peak at the true delay.
Bytes noiseSignal(size_t bytes, int bits, uint32_t seed) {
    Bytes out(bytes);
    uint32_t x = seed;
    int width = bits / 8;
    for (size_t i = 0; i + width <= bytes; i += width) {
        x = x * 1664525u + 1013904223u;
        int32_t v = static_cast<int32_t>(x >> 8) % (1 << (bits - 2));  // a quarter of full scale
        if (bits == 8) {
            out[i] = static_cast<uint8_t>(128 + v);
        } else {
            for (int b = 0; b < width; ++b)
                out[i + b] = static_cast<uint8_t>(v >> (8 * b));
        }
    }
    return out;
}

// Sample I of channel 0 of interleaved data, as a signed value.
double sampleAt(const Bytes& data, size_t i, int bits, int channels) {
    int width = bits / 8;
    size_t at = i * static_cast<size_t>(width * channels);
    if (at + width > data.size()) return 0;
    if (bits == 8) return static_cast<double>(data[at]) - 128;
    int32_t v = 0;
    for (int b = 0; b < width; ++b)
        v |= static_cast<int32_t>(data[at + b]) << (8 * b);
    int shift = 32 - bits;
    return static_cast<double>((v << shift) >> shift);
}

// The lag (in frames) at which RECORDED best matches the start of PLAYED.
size_t findLag(const Bytes& played, const Bytes& recorded, int bits, int channels, size_t maxLag) {
    const size_t probe = 2048;
    size_t best = 0;
    double bestScore = -1;
    for (size_t lag = 0; lag < maxLag; ++lag) {
        double score = 0;
        for (size_t i = 0; i < probe; i += 2) {
            score +=
                sampleAt(played, i, bits, channels) * sampleAt(recorded, lag + i, bits, channels);
        }
        if (score > bestScore) {
            bestScore = score;
            best = lag;
        }
    }
    return best;
}

struct Loopback {
    Bytes recorded;
    std::vector<WaveHeader*> doneOrder;
    std::vector<WaveHeader*> dataOrder;
    std::chrono::milliseconds firstDone{0};
};

// Plays SIGNAL in blocks while recording, until the recording is LENGTH bytes long.
Loopback playAndRecord(const WaveFormat& format, const Bytes& signal, size_t length) {
    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    PortAudioIn in(system, queue);
    std::vector<Bytes> outBuffers(4, Bytes(kBlock)), inBuffers(4, Bytes(kBlock));
    std::vector<WaveHeader> outHeaders(4), inHeaders(4);
    Loopback result;
    EXPECT_TRUE(in.open(format));
    EXPECT_TRUE(out.open(format));
    size_t sent = 0;
    auto fill = [&](WaveHeader& h) {
        size_t n = std::min<size_t>(kBlock, signal.size() - std::min(sent, signal.size()));
        std::fill(h.data, h.data + kBlock, format.bitsPerSample == 8 ? 0x80 : 0);
        if (n) std::copy(signal.begin() + sent, signal.begin() + sent + n, h.data);
        sent += kBlock;
    };
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4; ++i) {
        inHeaders[i] = WaveHeader{inBuffers[i].data(), kBlock};
        in.add(inHeaders[i]);
    }
    in.start();
    for (int i = 0; i < 4; ++i) {
        outHeaders[i] = WaveHeader{outBuffers[i].data(), kBlock};
        fill(outHeaders[i]);
        out.write(outHeaders[i]);
    }
    while (result.recorded.size() < length) {
        auto m = queue.waitPop(5s);
        if (!m) {
            ADD_FAILURE() << "the devices stopped sending messages";
            break;
        }
        if (m->kind == MessageKind::OutDone) {
            if (result.doneOrder.empty()) {
                result.firstDone = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - start);
            }
            result.doneOrder.push_back(m->header);
            fill(*m->header);
            out.write(*m->header);
        } else if (m->kind == MessageKind::InData) {
            result.dataOrder.push_back(m->header);
            result.recorded.insert(result.recorded.end(), m->header->data,
                                   m->header->data + m->header->bytesRecorded);
            in.add(*m->header);
        }
    }
    out.reset();
    in.reset();
    EXPECT_TRUE(out.close());
    EXPECT_TRUE(in.close());
    bool outClosed = false, inClosed = false;
    while (!outClosed || !inClosed) {
        auto m = queue.waitPop(5s);
        if (!m) {
            ADD_FAILURE() << "no closed message";
            break;
        }
        EXPECT_FALSE(m->kind == MessageKind::OutDone && outClosed) << "a block after close";
        outClosed = outClosed || m->kind == MessageKind::OutClose;
        inClosed = inClosed || m->kind == MessageKind::InClose;
    }
    return result;
}

// Blocks come back in the order they were queued: header 0, 1, 2, 3, 0, 1 ...
void expectRoundRobin(const std::vector<WaveHeader*>& order) {
    for (size_t i = 4; i < order.size(); ++i)
        EXPECT_EQ(order[i], order[i - 4]) << "at " << i;
}

class LoopbackTest : public ::testing::TestWithParam<WaveFormat> {
  protected:
    void SetUp() override {
        if (auto reason = test::soundServerMissing()) GTEST_SKIP() << *reason;
    }
};

TEST_P(LoopbackTest, RecordsWhatWasPlayed) {
    const WaveFormat format = GetParam();
    const int bits = format.bitsPerSample;
    const int channels = format.channels;
    const size_t frameBytes = static_cast<size_t>(channels * bits / 8);
    // Two seconds of signal, whole frames.
    size_t signalBytes = (static_cast<size_t>(format.samplesPerSecond) * 2 * frameBytes);
    Bytes signal = noiseSignal(signalBytes, bits, 12345);
    Loopback run = playAndRecord(format, signal, signalBytes + 3 * format.avgBytesPerSecond);

    expectRoundRobin(run.doneOrder);
    expectRoundRobin(run.dataOrder);
    size_t lag = findLag(signal, run.recorded, bits, channels, format.samplesPerSecond * 2);
    size_t frames = signalBytes / frameBytes;
    ASSERT_LE((lag + frames) * frameBytes, run.recorded.size());

    bool resampled = format.samplesPerSecond != 44100;
    if (!resampled) {
        // Through a float sink at the server's own rate the samples come back exactly.
        size_t mismatches = 0;
        for (size_t i = 0; i < signalBytes; ++i) {
            mismatches += run.recorded[lag * frameBytes + i] != signal[i];
        }
        EXPECT_EQ(mismatches, 0u) << "lag " << lag;
    } else {
        // Resampled twice on the way: the shapes still agree closely.
        double dot = 0, a2 = 0, b2 = 0;
        for (size_t i = 0; i < frames; ++i) {
            double a = sampleAt(signal, i, bits, channels);
            double b = sampleAt(run.recorded, lag + i, bits, channels);
            dot += a * b;
            a2 += a * a;
            b2 += b * b;
        }
        EXPECT_GT(dot / std::sqrt(a2 * b2), 0.9) << "lag " << lag;
    }
    RecordProperty("first_block_done_ms", static_cast<int>(run.firstDone.count()));
}

INSTANTIATE_TEST_SUITE_P(Formats, LoopbackTest,
                         ::testing::Values(makeWaveFormat(1, 2, 44100, 16),
                                           makeWaveFormat(1, 2, 44100, 8),
                                           makeWaveFormat(1, 2, 44100, 24),
                                           makeWaveFormat(1, 1, 22050, 16)),
                         [](const auto& info) {
                             const WaveFormat& f = info.param;
                             return std::to_string(f.channels) + "ch" +
                                    std::to_string(f.samplesPerSecond) + "Hz" +
                                    std::to_string(f.bitsPerSample) + "bit";
                         });

class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (auto reason = test::soundServerMissing()) GTEST_SKIP() << *reason;
    }
    std::optional<Message> next(MessageQueue& queue) { return queue.waitPop(5s); }
};

TEST_F(DeviceTest, ResetReturnsEveryBlockInOrderThenCloses) {
    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    PortAudioIn in(system, queue);
    WaveFormat f = makeWaveFormat(1, 2, 44100, 16);
    std::vector<Bytes> buffers(8, Bytes(kBlock, 0));
    std::vector<WaveHeader> headers(8);
    for (int i = 0; i < 8; ++i)
        headers[i] = WaveHeader{buffers[i].data(), kBlock};

    ASSERT_TRUE(out.open(f));
    ASSERT_EQ(next(queue)->kind, MessageKind::OutOpen);
    for (int i = 0; i < 4; ++i)
        out.write(headers[i]);
    EXPECT_FALSE(out.close()) << "a device with queued blocks does not close";
    out.reset();
    for (int i = 0; i < 4; ++i) {
        auto m = next(queue);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->kind, MessageKind::OutDone);
        EXPECT_EQ(m->header, &headers[i]);
    }
    ASSERT_TRUE(out.close());
    EXPECT_EQ(next(queue)->kind, MessageKind::OutClose);

    ASSERT_TRUE(in.open(f));
    ASSERT_EQ(next(queue)->kind, MessageKind::InOpen);
    for (int i = 4; i < 8; ++i)
        in.add(headers[i]);
    in.start();
    std::this_thread::sleep_for(300ms);  // the first block is being filled, not yet full
    in.reset();
    uint32_t recorded = 0;
    for (int i = 4; i < 8; ++i) {
        auto m = next(queue);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->kind, MessageKind::InData);
        EXPECT_EQ(m->header, &headers[i]);
        EXPECT_LE(m->header->bytesRecorded, kBlock);
        recorded += m->header->bytesRecorded;
    }
    EXPECT_GT(recorded, 0u) << "the block being filled keeps what was recorded";
    ASSERT_TRUE(in.close());
    EXPECT_EQ(next(queue)->kind, MessageKind::InClose);
    EXPECT_FALSE(queue.waitPop(200ms)) << "nothing after the closed message";
}

TEST_F(DeviceTest, EveryBlockComesBackHoweverManyAreQueued) {
    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    constexpr size_t kRoom = PortAudioDevice::kSlots - 2;  // beside the opened and closed marks
    constexpr size_t kMany = 3 * PortAudioDevice::kSlots;
    std::vector<Bytes> buffers(kMany, Bytes(1764, 0));  // 10 ms each
    std::vector<WaveHeader> headers(kMany);
    for (size_t i = 0; i < kMany; ++i)
        headers[i] = WaveHeader{buffers[i].data(), 1764};
    // Collects messages until UNTIL (or COUNT done messages), checking that the blocks come back
    // as HEADERS[0..COUNT); returns the number of error messages.
    auto expectBack = [&](size_t count, MessageKind until) {
        size_t back = 0, errors = 0;
        for (;;) {
            auto m = next(queue);
            if (!m) {
                ADD_FAILURE() << "no " << static_cast<int>(until) << " after " << back;
                break;
            }
            if (m->kind == until && until != MessageKind::OutDone) break;
            if (m->kind == MessageKind::OutError) {
                ++errors;
                continue;
            }
            EXPECT_EQ(m->kind, MessageKind::OutDone);
            EXPECT_EQ(m->header, back < count ? &headers[back] : nullptr) << back;
            ++back;
            if (until == MessageKind::OutDone && back == count) break;
        }
        EXPECT_EQ(back, count);
        return errors;
    };

    ASSERT_TRUE(out.open(makeWaveFormat(1, 2, 44100, 16)));
    ASSERT_EQ(next(queue)->kind, MessageKind::OutOpen);
    for (size_t i = 0; i < kRoom; ++i)
        out.write(headers[i]);
    EXPECT_EQ(expectBack(kRoom, MessageKind::OutDone), 0u);
    EXPECT_EQ(out.figures().overflows, 0u) << "as many blocks as there is room for";

    // Paused, far more blocks than places: an error, but none is lost and the device closes.
    out.pause();
    for (size_t i = 0; i < kMany; ++i)
        out.write(headers[i]);
    out.reset();
    ASSERT_TRUE(out.close());
    EXPECT_EQ(expectBack(kMany, MessageKind::OutClose), 1u) << "the overflow is reported once";
    EXPECT_GT(out.figures().overflows, 0u);
    EXPECT_FALSE(queue.waitPop(200ms)) << "nothing after the closed message";
}

TEST_F(DeviceTest, FormatsTheDeviceCannotTakeFailToOpen) {
    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    PortAudioIn in(system, queue);
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(out.open(makeWaveFormat(1, 2, 3528000, 16)));
    EXPECT_FALSE(out.open(makeWaveFormat(1, 2, 44100, 12)));
    EXPECT_FALSE(in.open(makeWaveFormat(2, 2, 44100, 16)));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_FALSE(out.isOpen());
    EXPECT_FALSE(queue.waitPop(200ms)) << "a failed open sends no message";
}

}  // namespace
}  // namespace pelkit
