// A take as it is written to disk: the temporary record file and its numbered parts, from the
// header written when the take begins, through the appended blocks and the parts started at the
// part limit, to the final headers and the move of each file into the take's name.
//
// In the direct mode the caller's thread writes each block before append() returns. In the
// threaded mode ("HDD") a writer thread does, in the order handed over; each finished block
// write is posted to the main thread's queue as a RecordWritten message carrying the block's
// header, after which the block may go back to the input device. Both modes cut the take into
// parts at the same byte boundaries.
//
// A take reaches the disk, not only the operating system: every kSyncSeconds of sound its file
// is synced by a thread of its own (the writing thread never waits for the disk), and finishing
// syncs each file and then its folder entry before it returns.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "files/background_sync.h"
#include "files/file_stream.h"
#include "platform/message_queue.h"
#include "platform/wave_format.h"

namespace pelkit {

// What finishing a take (or the files of a take left by a run that ended abnormally) did.
struct TakeFinish {
    uint64_t dataSize = 0;              // bytes of sound of every part, summed (past 4 GiB too)
    bool emptyPart = false;             // a part held no sound: it was left as it was
    bool firstMoved = false;            // the first part reached the take's name
    uint32_t firstSize = 0;             // bytes of sound of the first part
    std::vector<std::string> warnings;  // one per part that could not reach its name
    std::string nextTempName;          // when set, the next takes must be written there (see below)
    std::vector<std::string> savedAs;  // where the sound of each part now is, in part order
    int writeError = 0;                // errno of the take's first failed write, 0 when none
    std::string tempPath;              // the temporary file the take was written to
};

// Gives TEMPPATH its final header for FORMAT and moves it to FINALPATH, replacing it. A file
// without sound is left alone. A take that cannot reach FINALPATH is kept beside the temporary
// file under an unused "_kept" name; if not even that works it stays where it is, and the next
// takes go to another temporary file (nextTempName), so that nothing empties it.
bool finishTakeFile(const std::string& tempPath, const std::string& finalPath,
                    const WaveFormat& format, TakeFinish& result);

// Finishes TEMPPATH and its PARTS numbered parts into FINALPATH and its numbered names.
TakeFinish finishTakeFiles(const std::string& tempPath, int32_t parts, const WaveFormat& format,
                           const std::string& finalPath);

// Moves SOURCE onto TARGET, replacing it, and syncs the folder entry: a rename, or a staged copy
// across file systems. Returns what failed, or nothing.
std::string moveReplacing(const std::string& source, const std::string& target);

// What recovering the take left in a temporary file did.
struct TakeRecovery {
    TakeFinish finish;
    std::string finalPath;           // the take's name: the journal's, else the one given
    std::vector<std::string> saved;  // the take's names its files reached, in part order
    bool found = false;              // a file of the take held sound
    bool finishWasCut = false;       // the take's finish had begun when the program ended
};

// Finishes the take left in TEMPPATH by a run that ended abnormally: the file itself and every
// numbered part on disk, whatever their numbers, each into FINALPATH's name of the same number.
// A journal left by a finish that was cut off gives the take's name and format; otherwise the
// take is FINALPATH's, in the format of its own headers (FORMAT when none can be read).
TakeRecovery recoverTakeFiles(const std::string& tempPath, const std::string& finalPath,
                              const WaveFormat& format);
// Finishes whatever sound TEMPPATH and its numbered parts (every one on disk) still hold into
// unused "_kept" names beside it, so that nothing empties them; files without sound are left
// alone.
TakeFinish keepTakeFiles(const std::string& tempPath, const WaveFormat& format);

class TakeWriter {
  public:
    enum class Mode { Direct, Threaded };

    TakeWriter() = default;
    ~TakeWriter();
    TakeWriter(const TakeWriter&) = delete;
    TakeWriter& operator=(const TakeWriter&) = delete;

    const std::string& tempName() const { return tempName_; }
    void setTempName(const std::string& name) { tempName_ = name; }
    // With a REASON, this writer leaves its temporary file alone (another program records into
    // it): it neither creates, empties nor writes it, and no take can begin.
    void setBlocked(const std::string& reason) { blocked_ = reason; }
    const std::string& blocked() const { return blocked_; }
    // Bytes of sound after which a take goes on in a new numbered part.
    uint32_t partLimit() const { return partLimit_; }
    void setPartLimit(uint32_t bytes) { partLimit_ = bytes; }

    // Between takes: the temporary file is opened emptied (created when missing), or, with
    // KEEP, as it is, for appending.
    bool prepare(bool keep);
    // The temporary file is open: a take can begin.
    bool ready() const { return stream_.isOpen() && blocked_.empty(); }
    // Closes the temporary file (the end of the run).
    void close();
    // The open temporary file, for the capture of played sound between takes.
    FileStream& stream() { return stream_; }

    // Starts a take in FORMAT: the placeholder header is written where the file stands and
    // every block is appended after it. In the threaded mode, write reports go to QUEUE.
    bool begin(const WaveFormat& format, Mode mode, MessageQueue& queue);
    // Appends COUNT bytes. In the threaded mode HEADER comes back in a RecordWritten message
    // once they are written; in the direct mode they are written when this returns.
    void append(const uint8_t* data, uint32_t count, WaveHeader* header);
    // Loop recording: the blocks after this overwrite the take from its first byte of sound.
    void rewind();
    // Stops the writer thread once everything handed over is written; the file stays open.
    void stopThread();

    Mode mode() const { return mode_; }
    // Blocks handed to the writer thread and not yet written.
    int32_t inFlight() const { return inFlight_.load(); }
    // Bytes of sound on disk since the take began or last wrapped.
    uint64_t bytesWritten() const { return written_.load(); }
    // Numbered parts started after the first file.
    int32_t parts() const { return partIndex_; }
    // A write of this take failed (a full disk, a vanished file system).
    bool failed() const { return failed_.load(); }
    // The errno of the first failure of this take, or of the last prepare(); 0 when none.
    int errorCode() const { return error_.load(); }

    // Seconds of sound between two syncs of a take, in the take's own format.
    inline static constexpr uint32_t kSyncSeconds = 2;
    // Bytes between syncs instead, whatever the format (0: none until the take is finished).
    void setSyncEvery(uint64_t bytes) {
        syncEvery_ = bytes;
        syncSetByHand_ = true;
    }
    BackgroundSync::Figures syncFigures() const { return syncer_.figures(); }

    // Where a take stood when it ended: what going on with it after a pause needs.
    struct Position {
        int32_t parts = 0;         // numbered parts after the first file
        uint32_t bytesInPart = 0;  // handed over into the last part
        int64_t offset = 0;        // where the next byte goes in the last file
        uint64_t written = 0;      // bytes of sound on disk since the take began or wrapped
    };
    // The position of the take that ended last (valid once its file is closed).
    const Position& endPosition() const { return end_; }
    // Goes on with a finished take after a pause: FINALPATH and its numbered parts (AT.parts of
    // them) become the temporary files again, and the blocks that follow are appended where the
    // take stopped. Returns what failed, or nothing; on failure every file is back under the
    // take's names and the temporary file is prepared as before.
    std::string resume(const std::string& finalPath, const Position& at, const WaveFormat& format,
                       Mode mode, MessageQueue& queue);

    // Ends the take: closes its file and finishes every part into FINALPATH and its numbered
    // names. The temporary file is then opened again, empty, for the next take. Once the first
    // part has its name, the files of OLDERPARTS that this take did not replace are removed
    // (the numbered parts of the take it replaced), so one numbered set is one take.
    TakeFinish finish(const std::string& finalPath,
                      const std::vector<std::string>& olderParts = {});
    // The same on a thread of its own, which can take long (syncs, a copy to another file
    // system): a TakeFinished message is posted to QUEUE when it is done, and collectFinish()
    // then gives the result. Until then finishing() is true.
    void finishInBackground(const std::string& finalPath, MessageQueue& queue,
                            const std::vector<std::string>& olderParts = {});
    bool finishing() const { return finishing_.load(); }
    TakeFinish collectFinish();

  private:
    struct Job {
        enum class Kind { Write, Rewind, NewPart } kind = Kind::Write;
        std::vector<uint8_t> bytes;
        WaveHeader* header = nullptr;
        int32_t part = 0;
    };
    void perform(Job& job);
    void submit(Job job);
    void loop();
    void fail(int err);
    void wrote(uint64_t count);
    TakeFinish finishFiles(const std::string& finalPath,
                           const std::vector<std::string>& olderParts);
    void closeTake();

    std::string tempName_ = "pelkit_record.wav";
    uint32_t partLimit_ = 2000000000;
    FileStream stream_;
    WaveFormat format_;
    Mode mode_ = Mode::Direct;
    MessageQueue* queue_ = nullptr;
    int32_t partIndex_ = 0;     // decided on the caller's thread as blocks are handed over
    uint32_t bytesInPart_ = 0;  // handed over into the current part

    std::atomic<int32_t> inFlight_{0};
    std::atomic<uint64_t> written_{0};
    std::atomic<bool> failed_{false};
    std::atomic<int> error_{0};
    std::string blocked_;
    uint64_t syncEvery_ = 0;  // set for the take's format when it begins, unless set by hand
    bool syncSetByHand_ = false;
    uint64_t sinceSync_ = 0;  // written since the last sync was asked for
    BackgroundSync syncer_;
    std::atomic<bool> finishing_{false};
    Position end_;
    TakeFinish finished_;
    std::thread finisher_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::vector<std::vector<uint8_t>> spare_;  // copies kept for reuse: no allocation per block
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace pelkit
