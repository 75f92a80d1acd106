// Finding the sound server the real-device tests use, and starting private ones.
#pragma once

#include <optional>
#include <string>

#include "support/test_support.h"

namespace pelkit::test {

// Why the real-device tests cannot run here, or nothing when a server is reachable. In CI
// (CI=true) the tests always run, so a missing server fails them instead of skipping.
std::optional<std::string> soundServerMissing();

// A private sound server with a null sink, for tests that stop it on purpose.
class PrivateSoundServer {
  public:
    PrivateSoundServer();
    ~PrivateSoundServer();
    bool running() const { return !address_.empty(); }
    const std::string& address() const { return address_; }  // a PULSE_SERVER value
    void kill();

  private:
    TempDir dir_;
    std::string address_;
};

}  // namespace pelkit::test
