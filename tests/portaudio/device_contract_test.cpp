// The lock-free ring between an audio callback and its messenger, and the reason a real device
// gives when it cannot be opened.
#include <gtest/gtest.h>

#include <thread>

#include "devices/portaudio/portaudio_devices.h"
#include "devices/portaudio/spsc_ring.h"
#include "portaudio/sound_server.h"

namespace pelkit {
namespace {

TEST(SpscRingTest, HoldsExactlyItsCapacityAndKeepsOrderAcrossThreads) {
    SpscRing<uint64_t, 8> ring;
    for (uint64_t i = 0; i < 8; ++i)
        EXPECT_TRUE(ring.push(i));
    EXPECT_FALSE(ring.push(99)) << "a full ring refuses";
    for (uint64_t i = 0; i < 8; ++i) {
        ASSERT_NE(ring.front(), nullptr);
        EXPECT_EQ(*ring.front(), i);
        ring.pop();
    }
    EXPECT_EQ(ring.front(), nullptr);

    // One producer, one consumer, many wraps: every value arrives once, in order.
    constexpr uint64_t kCount = 200'000;
    std::thread producer([&] {
        for (uint64_t i = 0; i < kCount;)
            if (ring.push(i)) ++i;
    });
    uint64_t expected = 0, outOfOrder = 0;
    while (expected < kCount) {
        if (const uint64_t* v = ring.front()) {
            outOfOrder += *v != expected;
            ++expected;
            ring.pop();
        }
    }
    producer.join();
    EXPECT_EQ(outOfOrder, 0u);
    EXPECT_EQ(ring.front(), nullptr);
}

TEST(PortAudioOpenTest, AFailedOpenSaysWhy) {
    if (auto reason = test::soundServerMissing()) GTEST_SKIP() << *reason;
    PortAudioSystem system;
    MessageQueue queue;
    PortAudioOut out(system, queue);
    PortAudioIn in(system, queue);
    struct Case {
        WaveFormat format;
        bool output;
        const char* reason;  // part of what lastError() says
    };
    const Case cases[] = {
        {makeWaveFormat(1, 2, 3528000, 16), true, "Invalid sample rate"},  // PortAudio's words
        {makeWaveFormat(1, 2, 44100, 12), true, "sample format"},
        {makeWaveFormat(2, 2, 44100, 16), false, "sample format"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.output ? out.open(c.format) : in.open(c.format));
        const std::string& why = c.output ? out.lastError() : in.lastError();
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    }
    ASSERT_TRUE(out.open(makeWaveFormat(1, 2, 44100, 16)));
    EXPECT_EQ(out.lastError(), "");
    EXPECT_FALSE(out.open(makeWaveFormat(1, 2, 44100, 16)));
    EXPECT_EQ(out.lastError(), "the device is already open");
}

}  // namespace
}  // namespace pelkit
