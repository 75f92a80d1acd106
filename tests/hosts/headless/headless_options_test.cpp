// The headless program's options: what each word sets, where the program's own command line
// begins, and which words are refused.
#include <gtest/gtest.h>

#include "hosts/headless/headless_options.h"

namespace pelkit {
namespace {

TEST(HeadlessOptions, ParsesOptionsAndLeavesTheProgramsArguments) {
    using Words = std::vector<std::string>;
    struct Case {
        Words args;
        HeadlessOptions want;
    };
    auto options = [](std::string script, std::string out, std::string in, std::string lang,
                      bool desktop, bool list, Words rest, std::string error = {}) {
        return HeadlessOptions{script, out, in, lang, desktop, list, rest, error};
    };
    const Case cases[] = {
        {{}, options("", "", "", "", false, false, {})},
        {{"--headless", "--script", "s.txt", "--audio-out", "o.wav", "--audio-in", "i.wav",
          "--lang", "en", "--desktop", "/p", "f.wav"},
         options("s.txt", "o.wav", "i.wav", "en", true, false, {"/p", "f.wav"})},
        // Options end at the first other word; the rest is the program's, options and all.
        {{"--real-audio", "--lang", "ja", "f.wav", "--desktop", "--headless"},
         options("", "", "", "ja", false, false, {"f.wav", "--desktop", "--headless"})},
        // A value is the next word whatever it looks like; a repeated option wins.
        {{"--script", "--desktop", "--audio-out", "a", "--audio-out", "b"},
         options("--desktop", "b", "", "", false, false, {})},
        // The list of controls ends the reading: later words are not checked.
        {{"--desktop", "--list-controls", "--lang", "fr"}, options("", "", "", "", true, true, {})},
        {{"--lang", "fr", "--list-controls"},
         options("", "", "", "fr", false, false, {}, "--lang takes en or ja")},
        {{"--lang"}, options("", "", "", "", false, false, {}, "--lang takes en or ja")},
        {{"--audio-out", "o.wav", "--audio-in"},
         options("", "o.wav", "", "", false, false, {}, "--audio-in needs a file name")},
        {{"--script"}, options("", "", "", "", false, false, {}, "--script needs a file name")},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const std::string& a : c.args)
            trace += a + ' ';
        SCOPED_TRACE(trace);
        const HeadlessOptions got = parseHeadlessOptions(c.args);
        EXPECT_EQ(got.error, c.want.error);
        if (!c.want.error.empty()) continue;
        EXPECT_EQ(got.scriptPath, c.want.scriptPath);
        EXPECT_EQ(got.audioOut, c.want.audioOut);
        EXPECT_EQ(got.audioIn, c.want.audioIn);
        EXPECT_EQ(got.language, c.want.language);
        EXPECT_EQ(got.desktop, c.want.desktop);
        EXPECT_EQ(got.listControls, c.want.listControls);
        EXPECT_EQ(got.programArgs, c.want.programArgs);
    }
}

}  // namespace
}  // namespace pelkit
