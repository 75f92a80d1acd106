#include "devices/portaudio/portaudio_system.h"

#include <alsa/asoundlib.h>
#include <portaudio.h>

#include <cstdlib>

#include "devices/portaudio/stderr_filter.h"

namespace pelkit {

namespace {

void silentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

PortAudioSystem::PortAudioSystem() {
    snd_lib_error_set_handler(silentAlsaErrors);
    // PortAudio reaches the sound server through ALSA's pulse plugin, whose client library
    // takes the application's properties from the environment when a device opens: the
    // desktop's volume control then shows the streams under the program's name and icon. The
    // plugin names the client itself, so the name has to override that. Values the user set
    // are kept.
    const char* name = std::getenv("PULSE_PROP_application.name");
    ::setenv("PULSE_PROP_OVERRIDE_application.name", name ? name : "pelkit_recorder", 0);
    ::setenv("PULSE_PROP_application.icon_name", "pelkit_recorder", 0);
}

PortAudioSystem::~PortAudioSystem() {
    if (starter_.joinable()) starter_.join();
    if (initialised_) {
        QuietStderr quiet;
        Pa_Terminate();
    }
    filter_.reset();
}

void PortAudioSystem::startInBackground() {
    if (starter_.joinable()) return;
    // The filter keeps PortAudio's start-up noise off the terminal without silencing standard
    // error for the window's thread meanwhile.
    if (!filter_) filter_ = std::make_unique<StderrFilter>();
    starting_ = true;
    starter_ = std::thread([this] {
        std::lock_guard pa(mutex_);
        if (!initialised_) initialised_ = Pa_Initialize() == paNoError;
        starting_ = false;
    });
}

bool PortAudioSystem::stillStartingAtEnd() {
    if (!starting_) return false;
    filter_.reset();
    return true;
}

bool PortAudioSystem::ready(bool output, std::string& reason) {
    auto hasDevice = [&] {
        return (output ? Pa_GetDefaultOutputDevice() : Pa_GetDefaultInputDevice()) != paNoDevice;
    };
    if (!filter_) filter_ = std::make_unique<StderrFilter>();
    QuietStderr quiet;
    PaError started = paNoError;
    if (!initialised_) {
        started = Pa_Initialize();
        initialised_ = started == paNoError;
    }
    // The device list is taken when PortAudio starts: a sound server started later is found by
    // starting it again, as long as no stream is open.
    if (initialised_ && !hasDevice() && openStreams_ == 0) {
        Pa_Terminate();
        started = Pa_Initialize();
        initialised_ = started == paNoError;
    }
    if (!initialised_) {
        reason = Pa_GetErrorText(started);
        return false;
    }
    if (!hasDevice()) {
        reason = output ? "no default output device" : "no default input device";
        return false;
    }
    return true;
}

}  // namespace pelkit
