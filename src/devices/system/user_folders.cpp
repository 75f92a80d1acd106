#include "devices/system/user_folders.h"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace pelkit {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string homeFromPasswordDatabase() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return {};
    }
    return found->pw_dir ? found->pw_dir : "";
}

// The first line `xdg-user-dir NAME` prints, or empty when the tool is missing, fails, or takes
// longer than two seconds.
std::string xdgUserDir(const char* name) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // The tool runs with the default signal mask and handlers, whatever this program has set.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char tool[] = "xdg-user-dir";
    std::string argument = name;
    char* argv[] = {tool, argument.data(), nullptr};
    pid_t pid = 0;
    const bool started = posix_spawnp(&pid, tool, &actions, &attributes, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(out[1]);
    if (!started) {
        close(out[0]);
        return {};
    }
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    bool finished = false;
    while (!finished) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{out[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0) break;
        char chunk[512];
        ssize_t n = read(out[0], chunk, sizeof chunk);
        if (n > 0 && text.size() < 4096) text.append(chunk, static_cast<size_t>(n));
        finished = n == 0 || (n < 0 && errno != EINTR);
    }
    close(out[0]);
    if (!finished) kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return text.substr(0, text.find('\n'));
}

}  // namespace

DesktopEnvironment thisDesktop() {
    DesktopEnvironment env;
    env.home = variable("HOME");
    if (env.home.empty()) env.home = homeFromPasswordDatabase();
    env.configHome = variable("XDG_CONFIG_HOME");
    env.stateHome = variable("XDG_STATE_HOME");
    env.musicDir = xdgUserDir("MUSIC");
    return env;
}

}  // namespace pelkit
