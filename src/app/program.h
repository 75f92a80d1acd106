// The program as both front ends run it: the shared state on a platform, the command dispatcher
// behind the state's command sink, and the main window's procedure. Built once per run (and per
// test), so no front end wires the core by hand.
#pragma once

#include <string>

#include "app/main_window.h"
#include "dsp/spectrum_worker.h"
#include "platform/canvas.h"
#include "platform/platform.h"
#include "services/services.h"
#include "state/app_state.h"
#include "state/command_sink.h"

namespace pelkit {

class Program {
  public:
    // PROGRAMPATH is the full path of the program file, COMMANDLINE its command line as one text.
    // SPECTRUMWORKER: the spectrum bars are computed on a thread of their own (the window
    // program), or inline where runs must repeat exactly (the headless runner, tests).
    Program(Platform& platform, const std::string& programPath, const std::string& commandLine,
            SpectrumWorker::Mode spectrumWorker = SpectrumWorker::Mode::Inline);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    AppState& state() { return state_; }
    MainWindow& mainWindow() { return mainWindow_; }

    // Paints waveform window WHICH on CANVAS.
    void paint(WaveWindow which, Canvas& canvas);

    // Blocks of a take are at the record writer, or its files are being finished: messages about
    // them are still to come.
    bool awaitingWriter() const;

  private:
    class Dispatcher final : public CommandSink {
      public:
        explicit Dispatcher(AppState& app) : app_(app) {}
        void send(int id, int32_t param) override;

      private:
        AppState& app_;
    };

    Services services_;
    AppState state_;
    Dispatcher dispatcher_;
    MainWindow mainWindow_;
};

}  // namespace pelkit
