// SIGTERM, SIGINT and SIGHUP (a desktop logout, Ctrl+C in a terminal, a closed terminal) turned
// into something the main thread can wait on. The handler only writes the signal's number into a
// pipe, which is safe in a signal handler; the front end reads it from its event loop and closes
// the program as its close box does. A second SIGINT while that close runs ends the program at
// once (a take then stays in the temporary file, for the next start to finish).
#pragma once

#include <signal.h>

namespace pelkit {

class StopSignals {
  public:
    // Installs the handlers; only one object may do so at a time.
    StopSignals();
    // Restores the handlers that were there before.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // False if the pipe or the handlers could not be set up (the signals then keep their
    // default action).
    bool active() const { return active_; }
    // Readable once a signal has come.
    int descriptor() const { return readEnd_; }
    // A signal has come and was not taken yet (never waits).
    bool pending() const;
    // The number of the signal that came first since the last call, or 0 (never waits).
    int take();

  private:
    int readEnd_ = -1;
    int writeEnd_ = -1;
    bool active_ = false;
    struct sigaction previous_[3] = {};  // the handlers of SIGTERM, SIGINT and SIGHUP before
};

}  // namespace pelkit
