#include "app/program.h"

#include "app/block_listeners.h"
#include "app/commands.h"
#include "display/waveform.h"
#include "record/recorder.h"

namespace pelkit {

void Program::Dispatcher::send(int id, int32_t param) {
    dispatchCommand(app_, id, param);
}

Program::Program(Platform& platform, const std::string& programPath, const std::string& commandLine,
                 SpectrumWorker::Mode spectrumWorker)
    : services_(spectrumWorker),
      state_(platform, services_),
      dispatcher_(state_),
      mainWindow_(state_) {
    state_.commands = &dispatcher_;
    state_.programPath = programPath;
    state_.commandLine = commandLine;
    registerBlockListeners(state_);
}

bool Program::awaitingWriter() const {
    return takeWritesPending(services_);
}

void Program::paint(WaveWindow which, Canvas& canvas) {
    if (which == WaveWindow::Upper) {
        paintUpper(state_, canvas);
    } else {
        paintLower(state_, canvas);
    }
}

}  // namespace pelkit
