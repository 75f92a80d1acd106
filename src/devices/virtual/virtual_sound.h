// Sound devices that advance only when the script says so. The output device writes every block
// it finishes, whole and in order, to a WAV file; the input device fills blocks from the sample
// data of a WAV file, then with silence.
#pragma once

#include <deque>
#include <string>

#include "files/file_stream.h"
#include "platform/message_queue.h"
#include "platform/sound_device.h"

namespace pelkit {

// Whether a virtual device accepts FORMAT, as a sound card would.
bool virtualDeviceAccepts(const WaveFormat& format);

class VirtualSoundOut final : public SoundOut {
  public:
    explicit VirtualSoundOut(MessageQueue& queue) : queue_(queue) {}
    ~VirtualSoundOut() override { finishFile(); }

    // Blocks finished from now on are written to PATH (a WAV in the format of the first open).
    void setOutputFile(const std::string& path) { outPath_ = path; }
    // Writes the final header of the output file.
    void finishFile();

    bool open(const WaveFormat& format) override;
    bool isOpen() const override { return open_; }
    void prepare(WaveHeader&) override {}
    void write(WaveHeader& header) override;
    void pause() override { paused_ = open_; }
    void restart() override { paused_ = false; }
    void reset() override;
    void unprepare(WaveHeader&) override {}
    bool close() override;
    void setVolume(uint32_t word) override { volume_ = word; }

    // Plays the oldest queued block; false when none can be played (closed, paused, empty).
    bool finishOne();
    bool canAdvance() const { return open_ && !paused_ && !queued_.empty(); }
    bool paused() const { return paused_; }
    size_t queuedCount() const { return queued_.size(); }
    uint32_t volume() const { return volume_; }
    const WaveFormat& format() const { return format_; }

  private:
    MessageQueue& queue_;
    std::deque<WaveHeader*> queued_;
    bool open_ = false;
    bool paused_ = false;
    uint32_t volume_ = 0xFFFFFFFFu;
    WaveFormat format_;
    std::string outPath_;
    FileStream out_;
    bool outStarted_ = false;
    uint64_t written_ = 0;
    WaveFormat outFormat_;
};

class VirtualSoundIn final : public SoundIn {
  public:
    explicit VirtualSoundIn(MessageQueue& queue) : queue_(queue) {}

    // Blocks are filled from the sample data of the WAV file at PATH; false if it has no
    // readable header.
    bool setInputFile(const std::string& path);

    bool open(const WaveFormat& format) override;
    bool isOpen() const override { return open_; }
    void prepare(WaveHeader&) override {}
    void add(WaveHeader& header) override;
    void start() override { started_ = open_; }
    void reset() override;
    void unprepare(WaveHeader&) override {}
    bool close() override;
    int auxDeviceCount() const override { return 0; }

    // Fills the oldest queued block; false when none can be filled.
    bool fillOne();
    bool canAdvance() const { return open_ && started_ && !queued_.empty(); }
    // True once the input file's samples are all used (always true without an input file).
    bool inputUsedUp() const;
    size_t queuedCount() const { return queued_.size(); }
    const WaveFormat& format() const { return format_; }

  private:
    MessageQueue& queue_;
    std::deque<WaveHeader*> queued_;
    bool open_ = false;
    bool started_ = false;
    WaveFormat format_;
    FileStream in_;
    bool inputDone_ = false;
};

}  // namespace pelkit
