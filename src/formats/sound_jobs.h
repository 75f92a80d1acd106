// Long work on whole sound files (decoding into a working copy, measuring loudness, writing a
// normalised copy, exporting), run in slices from the window's event loop, one job at a time,
// with a progress window and its cancel button once a job has run for half a second.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace pelkit {

struct AppState;

class SoundJob {
  public:
    enum class Step { More, Done, Failed };
    virtual ~SoundJob() = default;
    // One block of work. Failed: nothing is left behind and error() says why.
    virtual Step step() = 0;
    // Stops the job and removes what it has written.
    virtual void cancel() = 0;
    virtual int percent() const = 0;
    virtual std::string error() const = 0;
};

// Percent of DONE out of TOTAL (0 when the total is not known).
int percentOf(uint64_t done, uint64_t total);

// What runs once a job has succeeded.
using SoundJobDone = std::function<void(AppState&, SoundJob&)>;

// Starts JOB; LABEL is what its progress window says. DONE runs when it succeeds; a failure is
// shown to the user; a cancel ends it silently. While another job runs, the user is told and
// false is returned (JOB is dropped, which removes what it wrote).
bool runSoundJob(AppState& app, std::unique_ptr<SoundJob> job, std::string label,
                 SoundJobDone done);
bool soundJobRunning(AppState& app);
// Stops the job under way (its partial output removed).
void cancelSoundJob(AppState& app);

}  // namespace pelkit
