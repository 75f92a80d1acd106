#include "files/app_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "files/file_names.h"

namespace pelkit {

namespace {

bool absolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string chosen(const std::string& value, const std::string& fallback) {
    return absolute(value) ? value : fallback;
}

// mkdir -p with MODE for the folders it creates; what failed, or empty.
std::string makeFolder(const std::string& path, mode_t mode) {
    if (path.empty()) return {};
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), mode) == 0 || errno == EEXIST) continue;
        return "The folder " + part + " could not be created: " + std::strerror(errno) + ".";
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return path + " is not a folder.";
    }
    return {};
}

}  // namespace

std::string AppFolders::settingsFile(const std::string& name) const {
    return config.empty() ? CurrentDirectoryPath(name) : joined(config, name);
}

std::string AppFolders::stateFile(const std::string& name) const {
    return state.empty() ? workFile(name) : joined(state, name);
}

std::string AppFolders::workFile(const std::string& name) const {
    return joined(work, name);
}

AppFolders desktopFolders(const DesktopEnvironment& env) {
    AppFolders folders;
    if (!absolute(env.home)) return folders;
    const std::string home = env.home.size() > 1 && env.home.back() == '/'
                                 ? env.home.substr(0, env.home.size() - 1)
                                 : env.home;
    folders.config = joined(chosen(env.configHome, home + "/.config"), kFolderName);
    folders.state = joined(chosen(env.stateHome, home + "/.local/state"), kFolderName);
    folders.work = joined(chosen(env.musicDir, home + "/Music"), kFolderName);
    return folders;
}

std::string makeFolders(const AppFolders& folders) {
    for (const auto& [path, mode] :
         {std::pair{folders.config, 0700}, std::pair{folders.state, 0700},
          std::pair{folders.work, 0777}}) {
        std::string failed = makeFolder(path, static_cast<mode_t>(mode));
        if (!failed.empty()) return failed;
    }
    return {};
}

}  // namespace pelkit
