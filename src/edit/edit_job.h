// A file edit run in slices: each step() does about one block of work, so a window's event loop
// can run an edit of any length without freezing and show its progress. Outputs are written
// under temporary names and appear only when the edit succeeds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "files/wav_format.h"

namespace pelkit {

// The refusal texts shown to the user.
inline constexpr const char* kPositionError = "position error.";
inline constexpr const char* kNotStereo = "This is not stereo.";
inline constexpr const char* kSpeedSettingsError = "buffer and % must be more than 0.";

// Read size of the cut, channel, centre and join copies.
inline constexpr uint32_t kCopyBlockBytes = 49152;

// The main sound an edit works on: its path and its header as just read with ReadWavHeader.
// The channel and sample size tests of an edit are made on this header.
struct EditSource {
    std::string path;
    WavHeaderInfo header;
};

// The refusal of an edit that needs 16-bit sound, naming SOURCE's file and sample format.
std::string needs16BitMessage(const EditSource& source);

enum class EditOutcome {
    Running,
    Done,
    Refused,  // nothing was written; message is the text to show, or empty for a silent refusal
    Failed,   // nothing was written (older files are as they were); message says what failed
};

struct EditResult {
    EditOutcome outcome = EditOutcome::Running;
    std::string message;
};

struct EditProgress {
    uint64_t done = 0;   // source bytes handled
    uint64_t total = 0;  // source bytes the edit will handle
};

class EditJob {
  public:
    EditJob() = default;
    // A job destroyed before it has finished removes what it has written, as cancel() does.
    virtual ~EditJob() = default;
    EditJob(const EditJob&) = delete;
    EditJob& operator=(const EditJob&) = delete;

    // Does one slice of work; false once the job has finished (result() then holds the outcome).
    bool step();
    // Steps until the job has finished.
    const EditResult& runToEnd();
    // Stops the job and removes what it has written so far.
    void cancel();

    bool finished() const { return result_.outcome != EditOutcome::Running; }
    const EditResult& result() const { return result_; }
    EditProgress progress() const { return progress_; }

  protected:
    enum class Slice { More, Complete };
    // One slice of work. Calls fail() on an error (the return value is then ignored).
    virtual Slice advance() = 0;
    // Removes every partial output; called once when the job fails or is cancelled.
    virtual void discard() = 0;

    void refuse(std::string message = {});
    void fail(std::string message);
    void setTotal(uint64_t total) { progress_.total = total; }
    void addDone(uint64_t bytes) { progress_.done += bytes; }

  private:
    EditResult result_;
    EditProgress progress_;
};

// A job that has already finished, refused with MESSAGE (empty: silently).
std::unique_ptr<EditJob> makeRefusedJob(std::string message = {});

}  // namespace pelkit
