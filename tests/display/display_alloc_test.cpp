// The waveform windows repaint on every tick while a sound plays, so painting and the display
// timer must not touch the heap. This file replaces the global operator new and delete of the
// test program with versions that forward to malloc and free and count the allocations made
// while a measured section is open.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <span>

#include "display/spectrum_view.h"
#include "display/waveform.h"
#include "services/services.h"
#include "state/app_state.h"
#include "support/fake_platform.h"
#include "support/test_support.h"

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

// Kept out of line, so that the compiler does not pair an inlined free with the new it sees.
// Every plain, array, sized and nothrow form is replaced, so that no block from one of these
// meets a sanitizer's own delete.
[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1);
    return std::malloc(size == 0 ? 1 : size);
}
[[gnu::noinline]] void* operator new(std::size_t size) {
    if (void* p = operator new(size, std::nothrow)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new[](std::size_t size) {
    return operator new(size);
}
[[gnu::noinline]] void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace pelkit {
namespace {

using namespace test;

// Counts what is drawn and keeps nothing.
class CountingCanvas final : public Canvas {
  public:
    long calls = 0;
    void fillBlack(int, int, int, int) override { ++calls; }
    void selectPen(Pen) override { ++calls; }
    void moveTo(int, int) override { ++calls; }
    void lineTo(int, int) override { ++calls; }
};

// Allocations made by F.
template <typename F>
long allocationsIn(F&& f) {
    gAllocations = 0;
    gCounting = true;
    f();
    gCounting = false;
    return gAllocations.load();
}

TEST(DisplayAllocation, NoneInPaintOrTick) {
    // The replacement is the one in use and counts.
    static void* volatile sink = nullptr;
    ASSERT_EQ(allocationsIn([] {
                  sink = ::operator new(64);
                  ::operator delete(sink);
              }),
              1);

    constexpr uint32_t kBlock = 49152;
    TempDir dir;
    const Bytes file = patternBytes(kDisplayBufferSize, 5);
    writeFile(dir.file("s.raw"), file);
    FakePlatform fake;
    AppState app(fake.platform(), fake.services);
    app.ring.displayBuffer = file;
    app.ring.displayData = app.ring.displayBuffer.data();
    // Bars to paint, and blocks in the ring for the FFT view of the block heard.
    ASSERT_TRUE(app.services.spectrum.start(std::span<const uint8_t>(file.data(), 256)));
    for (int i = 0; i < kBlockCount; ++i) {
        app.ring.headers[i].data = app.ring.displayBuffer.data() + i * kBlock;
        app.ring.headers[i].bufferLength = kBlock;
    }
    app.playback.activeHeaders = kBlockCount;
    app.playback.outputLength = 4096;
    ASSERT_TRUE(app.sound.playStream.open(dir.file("s.raw"), FileStream::Mode::Read));
    app.sound.playStream.seek(6 * kBlock);
    app.sound.position = 6 * kBlock;  // beyond four blocks: every tick re-reads a block
    startDisplayTimer(app);

    CountingCanvas canvas;
    auto round = [&] {
        for (int i = 0; i < 3; ++i) {
            onDisplayTick(app);
            updateSpectrum(app, app.ring.headers[i]);
            paintUpper(app, canvas);
            paintLower(app, canvas);
        }
    };
    // What is done once on first use is not counted: the FFT view is made when first shown.
    round();
    app.display.spectrumMode = true, app.spectrum.view = SpectrumView::Fft;
    round();
    app.display.spectrumMode = false, app.spectrum.view = SpectrumView::Bars;

    for (const char* setting :
         {"16-bit stereo", "near 0.1", "8-bit mono", "spectrum", "fft view", "off"}) {
        std::string name = setting;
        if (name == "near 0.1") app.display.horizontalScale = 0.0999999f;
        if (name == "8-bit mono") app.format.bitsPerSample = 8, app.format.channels = 1;
        if (name == "spectrum") app.display.spectrumMode = true;
        if (name == "fft view") app.spectrum.view = SpectrumView::Fft;
        if (name == "off") app.display.displayOn = false;
        long before = canvas.calls;
        int invalidations = fake.ui.invalidations;
        EXPECT_EQ(allocationsIn(round), 0) << name;
        EXPECT_GT(canvas.calls, before) << name;  // the paints did draw
        EXPECT_EQ(fake.ui.invalidations, invalidations + (name == "off" ? 0 : 6)) << name;
    }
}

}  // namespace
}  // namespace pelkit
