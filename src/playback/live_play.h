// Live play: sounds started by hand (sub sounds, keys, pitch steps) are heard soon after the
// press. The four blocks in flight stay, but each is short (about 12 ms of sound, a power of two
// frames) and the output device is asked to keep its own buffering within their reach, so a
// sound that enters the next refilled block is heard after three short blocks instead of three
// long ones. Off, play uses the chosen block size and the device's safe latency, as always.
#pragma once

#include <cstdint>

#include "platform/wave_format.h"

namespace pelkit {

struct AppState;
class SettingsFile;

// The frames of a live block at RATE: the largest power of two not above RATE / 80 (at least
// 32), so a block holds 12.5 ms of sound at most (512 frames, 11.6 ms, at 44,100 Hz).
uint32_t liveBlockFrames(uint32_t rate);
// The bytes of a live block for the device format FORMAT.
uint32_t liveBlockSize(const WaveFormat& format);

// The block size the next play opens with: the live size for FORMAT while live play is on,
// else the chosen size.
uint32_t playBlockSize(const AppState& app, const WaveFormat& format);
// Before the output device opens for FORMAT: tells it how short the blocks will be (live), or
// that it may buffer as it likes.
void hintOutputLatency(AppState& app, const WaveFormat& format);

// Reads "live" of [init] (0 or missing: off).
void loadLiveSettings(AppState& app, const SettingsFile& settings);
// At start-up, after the block size is set: while live play is on, the live size is in use.
void applyLiveBlockSize(AppState& app);
// "live": inverts the switch and writes it to the settings file; while no device is open the
// block size in use becomes the live one (or the chosen one again) and field 1026 shows it. While
// playing, the next play takes it.
void toggleLive(AppState& app);

}  // namespace pelkit
