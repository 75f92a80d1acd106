#include "portaudio/sound_server.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace pelkit::test {

namespace {

std::string scriptPath() {
    return std::string(PELKIT_SOURCE_DIR) + "/scripts/sound-server.sh";
}

bool isCi() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

}  // namespace

std::optional<std::string> soundServerMissing() {
    if (isCi()) return std::nullopt;
    const char* server = std::getenv("PULSE_SERVER");
    if (!server) return "no sound server: start one with scripts/sound-server.sh start";
    std::string path = server;
    if (path.rfind("unix:", 0) == 0) path = path.substr(5);
    if (!std::filesystem::exists(path)) return "the sound server " + path + " is not running";
    return std::nullopt;
}

PrivateSoundServer::PrivateSoundServer() {
    std::string command = "PELKIT_SOUND_DIR=" + dir_.path() + " bash " + scriptPath() + " start";
    if (FILE* p = popen(command.c_str(), "r")) {
        char line[512] = {0};
        if (fgets(line, sizeof line, p)) {
            std::string text = line;
            auto eq = text.find('=');
            if (eq != std::string::npos) {
                address_ = text.substr(eq + 1);
                while (!address_.empty() && (address_.back() == '\n' || address_.back() == '\r')) {
                    address_.pop_back();
                }
            }
        }
        pclose(p);
    }
}

PrivateSoundServer::~PrivateSoundServer() {
    kill();
}

void PrivateSoundServer::kill() {
    std::string command =
        "PELKIT_SOUND_DIR=" + dir_.path() + " bash " + scriptPath() + " stop >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return;
}

}  // namespace pelkit::test
