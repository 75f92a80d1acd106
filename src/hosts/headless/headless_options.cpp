#include "hosts/headless/headless_options.h"

namespace pelkit {

HeadlessOptions parseHeadlessOptions(const std::vector<std::string>& args) {
    HeadlessOptions options;
    size_t i = 0;
    auto value = [&](std::string& into) {
        if (i + 1 >= args.size()) return false;
        into = args[++i];
        return true;
    };
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--headless" || a == "--real-audio") continue;
        if (a == "--desktop") {
            options.desktop = true;
        } else if (a == "--lang") {
            if (!value(options.language) ||
                (options.language != "en" && options.language != "ja")) {
                options.error = "--lang takes en or ja";
                return options;
            }
        } else if (a == "--list-controls") {
            options.listControls = true;
            return options;
        } else if (a == "--script" || a == "--audio-out" || a == "--audio-in") {
            std::string& into = a == "--script"      ? options.scriptPath
                                : a == "--audio-out" ? options.audioOut
                                                     : options.audioIn;
            if (!value(into)) {
                options.error = a + " needs a file name";
                return options;
            }
        } else {
            break;
        }
    }
    options.programArgs.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    return options;
}

}  // namespace pelkit
