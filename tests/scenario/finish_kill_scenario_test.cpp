// A take of three parts killed at every step of its finish, and its recovery killed at every
// step too: whatever the moment, the next start saves every recorded byte under the take's
// names, leaves no temporary part behind, and says what it saved when the take's finish had
// begun. The kills are made by strace at the Nth call of a system call, in the same folder
// (renames) and with the take on another file system (copies: renames and removals).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "scenario/scenario_support.h"

namespace pelkit::test {
namespace {

namespace fs = std::filesystem;

constexpr size_t kBlock = 49152;
// At "limitmega=1" a part closes after 20 blocks: 50 blocks make parts of 20, 20 and 10.
constexpr size_t kBlocks = 50, kPartBlocks = 20;
const char* const kNames[] = {"take.wav", "take_001.wav", "take_002.wav"};

bool haveStrace() {
    return std::system("command -v strace > /dev/null") == 0;
}

// Where a take's files go: beside the temporary file, or on another file system (/dev/shm),
// which a rename cannot reach.
struct Layout {
    const char* name;
    bool elsewhere;
};

// A folder for the program and one for its takes.
class Folders {
  public:
    explicit Folders(bool elsewhere) {
        takes_ = dir.path();
        if (!elsewhere) return;
        std::string shm = "/dev/shm/pelkit-test-XXXXXX";
        if (mkdtemp(shm.data())) takes_ = own_ = shm;
    }
    ~Folders() {
        std::error_code ec;
        if (!own_.empty()) fs::remove_all(own_, ec);
    }
    // Whether the takes folder is on a file system of its own.
    bool apart() const {
        struct stat a {
        }, b{};
        return !own_.empty() && stat(own_.c_str(), &a) == 0 && stat(dir.path().c_str(), &b) == 0 &&
               a.st_dev != b.st_dev;
    }
    std::string take(const std::string& name) const { return takes_ + "/" + name; }

    TempDir dir;

  private:
    std::string takes_, own_;
};

Bytes takeOf(const Bytes& data) {
    return canonicalWav(2, 44100, 16, data);
}

// What each of the take's three files must hold.
std::vector<Bytes> expectedParts(const Bytes& input) {
    std::vector<Bytes> parts;
    for (size_t i = 0; i < 3; ++i)
        parts.push_back(
            takeOf(slice(input, i * kPartBlocks * kBlock, (i + 1) * kPartBlocks * kBlock)));
    return parts;
}

std::string quoted(const std::string& s) {
    return "'" + s + "'";
}

// Records the take in F's folder with strace attached once it began (the settings are written
// by then), and kills the program at the Nth call of SYSCALL in any of its threads; returns the
// program's exit status, or -1 when strace could not attach.
int recordKilledAt(const Folders& f, const std::string& syscall, int n) {
    const std::string call = syscall == "rename" ? "rename,renameat,renameat2" : "unlink,unlinkat";
    const std::string command =
        "cd " + quoted(f.dir.path()) + " && mkfifo script && (" + quoted(programPath()) +
        " --headless --audio-in in.wav " + quoted(f.take("take.wav")) +
        " < script > out 2> err & pid=$!; exec 3> script; printf 'command 1000\\n' >&3; "
        "for i in $(seq 1000); do grep -qs '^file=' pelkit_recorder.ini && break; sleep 0.01; "
        "done; strace -f -p $pid -o trace -e trace=" +
        call + " -e inject=" + call + ":signal=KILL:when=" + std::to_string(n) +
        " 2> strace.err 3>&- & tracer=$!; for i in $(seq 1000); do grep -qs attached strace.err && "
        "break; kill -0 $tracer 2> /dev/null || break; sleep 0.01; done; "
        "printf 'record-blocks " +
        std::to_string(kBlocks) +
        "\\ncommand 1001\\n' >&3; "
        "exec 3>&-; wait $pid; echo $? > status; wait $tracer; "
        "grep -qs attached strace.err || echo -1 > status)";
    std::system(command.c_str());
    for (const char* scratch : {"script", "trace", "strace.err", "out", "err"})
        fs::remove(f.dir.file(scratch));
    const std::string status = readText(f.dir.file("status"));
    fs::remove(f.dir.file("status"));
    return status.empty() ? -1 : std::stoi(status);
}

// Starts the program in DIR under strace, killed at the Nth call of SYSCALL; its exit status.
int startKilledAt(const std::string& dir, const std::string& syscall, int n) {
    const std::string call = syscall == "rename" ? "rename,renameat,renameat2" : "unlink,unlinkat";
    const std::string command =
        "cd " + quoted(dir) + " && strace -f -qq -o /dev/null -e trace=" + call +
        " -e inject=" + call + ":signal=KILL:when=" + std::to_string(n) + " " +
        quoted(programPath()) + " --headless < /dev/null > /dev/null 2>&1";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// After a plain start in F's folder: the take's three files hold exactly what was recorded, no
// temporary part, journal or half-made copy is left, and the start said which files it saved
// when some of the take's files had been saved before it.
void expectRecovered(const Folders& f, const std::vector<Bytes>& parts) {
    bool partlySaved = false;
    std::vector<bool> before;
    for (const char* name : kNames) {
        before.push_back(exists(f.take(name)));
        partlySaved = partlySaved || before.back();
    }
    ProgramRun run = runHeadless(f.dir.path(), {}, "");
    EXPECT_EQ(run.status, 0) << run.err;
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(kNames[i]);
        EXPECT_TRUE(holds(f.take(kNames[i]), parts[i]));
        if (partlySaved && !before[i]) {
            EXPECT_NE(run.out.find(kNames[i]), std::string::npos) << run.out;
        }
    }
    for (const std::string& folder : {f.dir.path(), fs::path(f.take("x")).parent_path().string()}) {
        for (const std::string& name : listing(folder)) {
            // A kill while the settings are written leaves their unfinished copy (no sound).
            if (name.starts_with(kIniName + ".") && name.ends_with(".part")) continue;
            EXPECT_TRUE(name == "in.wav" || name == kIniName || name == kNames[0] ||
                        name == kNames[1] || name == kNames[2])
                << folder << "/" << name;
        }
    }
}

const Layout kLayouts[] = {{"same folder", false}, {"another file system", true}};

TEST(FinishKilled, EveryRecordedByteIsSavedWhateverStepOfTheFinishWasCut) {
    if (!haveStrace()) GTEST_SKIP() << "strace is missing";
    for (const Layout& layout : kLayouts) {
        // A rename moves a part in one step; a copy to another file system is made beside the
        // take's name, renamed over it, and then its source is removed.
        for (const std::string syscall : {"rename", "unlink"}) {
            for (int n = 1;; ++n) {
                SCOPED_TRACE(std::string(layout.name) + ", kill at " + syscall + " " +
                             std::to_string(n));
                Folders f(layout.elsewhere);
                if (layout.elsewhere && !f.apart()) GTEST_SKIP() << "/dev/shm is not apart";
                writeText(f.dir.file(kIniName), "[init]\nlimitmega=1\n");
                const Bytes input = patternBytes(kBlocks * kBlock, 11);
                writeFile(f.dir.file("in.wav"), takeOf(input));
                const int status = recordKilledAt(f, syscall, n);
                if (status == -1) GTEST_SKIP() << "strace cannot attach to a running program";
                expectRecovered(f, expectedParts(input));
                if (status == 0) break;  // the finish made fewer such calls: every one was cut
                ASSERT_EQ(status, 128 + SIGKILL);
                ASSERT_LT(n, 20);
            }
        }
    }
}

// A recovery killed at any of its steps is completed by the next start, for a take killed
// while it was recorded and for one whose finish stopped after its first part (the third part
// then follows a gap).
TEST(FinishKilled, ARecoveryCutOffIsCompletedByTheNextStart) {
    if (!haveStrace()) GTEST_SKIP() << "strace is missing";
    const Bytes input = patternBytes(kBlocks * kBlock, 12);
    const std::vector<Bytes> parts = expectedParts(input);
    auto unfinished = [&](size_t i) {
        return placeholderWav(2, 44100, 16, slice(parts[i], 44, parts[i].size()));
    };
    for (const Layout& layout : kLayouts) {
        for (bool recording : {true, false}) {
            for (const std::string syscall : {"rename", "unlink"}) {
                for (int n = 1;; ++n) {
                    SCOPED_TRACE(std::string(layout.name) +
                                 (recording ? ", killed recording" : ", killed finishing") +
                                 ", recovery killed at " + syscall + " " + std::to_string(n));
                    Folders f(layout.elsewhere);
                    if (layout.elsewhere && !f.apart()) GTEST_SKIP() << "/dev/shm is not apart";
                    writeText(f.dir.file(kIniName), "[init]\nlimitmega=1\nendstatus=start\nfile=" +
                                                        f.take("take.wav") + "\n");
                    if (recording) {
                        writeFile(f.dir.file(kTempName), unfinished(0));
                        writeFile(f.dir.file("pelkit_record_001.wav"), unfinished(1));
                    } else {
                        writeFile(f.take("take.wav"), parts[0]);
                        writeFile(f.take("take_001.wav"), parts[1]);
                    }
                    writeFile(f.dir.file("pelkit_record_002.wav"), unfinished(2));
                    const int status = startKilledAt(f.dir.path(), syscall, n);
                    expectRecovered(f, parts);
                    if (status == 0) break;
                    ASSERT_EQ(status, 128 + SIGKILL);
                    ASSERT_LT(n, 20);
                }
            }
        }
    }
}

// SIGTERM during a recovery ends the program then, not once every file is done: the next start
// completes the take. The first move of the recovery is held for two seconds to send it.
TEST(FinishKilled, AStopSignalEndsARecoveryAtOnce) {
    if (!haveStrace()) GTEST_SKIP() << "strace is missing";
    const Bytes input = patternBytes(kBlocks * kBlock, 13);
    const std::vector<Bytes> parts = expectedParts(input);
    Folders f(false);
    writeText(f.dir.file(kIniName), "[init]\nendstatus=start\nfile=take.wav\n");
    for (size_t i = 0; i < 3; ++i) {
        writeFile(f.dir.file(i == 0 ? kTempName : "pelkit_record_00" + std::to_string(i) + ".wav"),
                  placeholderWav(2, 44100, 16, slice(parts[i], 44, parts[i].size())));
    }
    const std::string command =
        "cd " + quoted(f.dir.path()) +
        " && (strace -f -qq -o /dev/null -e trace=rename -e inject=rename:delay_enter=2000000:"
        "when=1 sh -c 'echo $$ > pid; exec " +
        programPath() +
        " --headless < /dev/null > /dev/null 2>&1' & sleep 0.6; kill -TERM $(cat pid); wait)";
    std::system(command.c_str());
    fs::remove(f.dir.file("pid"));
    // Ended with the take still partly in its temporary files.
    EXPECT_NE(readText(f.dir.file(kIniName)).find("endstatus=start"), std::string::npos);
    EXPECT_TRUE(exists(f.dir.file("pelkit_record_002.wav")));
    expectRecovered(f, parts);
}

}  // namespace
}  // namespace pelkit::test
