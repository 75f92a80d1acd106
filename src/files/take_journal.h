// What the next start needs to complete a take whose finish was cut off: the temporary files of
// the take on disk, whatever their numbers, and a small journal beside the temporary file that
// names the take and its format. The journal reaches the disk before the first part is moved
// and goes once every part has left its temporary name, so a run killed between two moves
// leaves both the journal and the parts not yet moved.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/wave_format.h"

namespace pelkit {

struct TakeJournal {
    std::string finalPath;  // the take's name; part n goes to its NumberedName n
    int32_t parts = 0;      // numbered parts after the first file
    WaveFormat format;      // the headers the parts are finished with
};

// The journal's name for the take written to TEMPPATH: beside it.
std::string journalPathFor(const std::string& tempPath);
// Writes JOURNAL for TEMPPATH and syncs it and its folder entry. Returns 0 or the errno.
int writeTakeJournal(const std::string& tempPath, const TakeJournal& journal);
// The journal for TEMPPATH, or nothing when there is none or it is incomplete (a kill while it
// was written: no part had been moved then).
std::optional<TakeJournal> readTakeJournal(const std::string& tempPath);
void removeTakeJournal(const std::string& tempPath);

// The numbers of TEMPPATH's numbered parts on disk ("x_001.wav" is 1), ascending, gaps and all.
std::vector<int32_t> numberedPartsOf(const std::string& tempPath);

}  // namespace pelkit
