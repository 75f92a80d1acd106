// The file of a real-time capture: playback appends every block it sends to the sound card, and
// when playback's device closes the header gets its data size and the file is put in place. Until
// then the file lives under a temporary name, so a failed capture leaves no partial file and an
// older capture of the same name stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "edit/edit_job.h"
#include "files/staged_file.h"
#include "platform/wave_format.h"

namespace pelkit {

class CaptureFile {
  public:
    // Starts a capture into PATH (fixed now, whatever the main file becomes later) with FORMAT,
    // behind a header of data size 0. False, with error() set, when the file cannot be created.
    bool open(const std::string& path, const WaveFormat& format);
    bool isOpen() const { return out_.isOpen(); }

    // Appends N bytes of a played block. After a failed write the capture only counts as failed.
    void append(const uint8_t* data, size_t n);

    // The format the header is finished with: the one playback used, known once it has played.
    void setFormat(const WaveFormat& format) { format_ = format; }

    // Gives the header the data size appended and puts the file in place (Done), or removes it
    // and says what failed (Failed).
    EditResult close();
    // Stops the capture and removes its file.
    void abandon() { out_.abandon(); }

    uint64_t dataBytes() const;
    const std::string& error() const { return out_.error(); }

  private:
    StagedFile out_;
    WaveFormat format_;
};

}  // namespace pelkit
