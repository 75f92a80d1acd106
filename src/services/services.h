// The objects of a run that own threads or system resources: the take writer with its finishing
// and sync threads, the spectrum worker and the folder's run lock. The program composes one
// holder beside its AppState, which refers to it; the records in state/ stay plain data.
#pragma once

#include "dsp/spectrum_worker.h"
#include "files/run_lock.h"
#include "files/take_writer.h"

namespace pelkit {

struct Services {
    // SPECTRUMWORKER: the spectrum bars are computed on a thread of their own (the window
    // program), or inline where runs must repeat exactly (the headless runner, tests).
    explicit Services(SpectrumWorker::Mode spectrumWorker = SpectrumWorker::Mode::Inline)
        : spectrum(spectrumWorker) {}
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    TakeWriter take;          // the temporary record file, its parts and the "HDD" mode's writer
    SpectrumWorker spectrum;  // the bars of the spectrum view
    RunLock folderLock;       // held for the run beside the settings: one program per folder
};

}  // namespace pelkit
