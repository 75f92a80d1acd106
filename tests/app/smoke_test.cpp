#include <gtest/gtest.h>

#include "app/startup.h"

namespace pelkit {
namespace {

TEST(CommandLine, PlayOptionAndAbsolutePath) {
    CommandLine c = parseCommandLine("/p /home/user/talk.wav");
    EXPECT_TRUE(c.play);
    EXPECT_EQ(c.fileName, "/home/user/talk.wav");
    c = parseCommandLine("/home/user/talk.wav");
    EXPECT_FALSE(c.play);
    EXPECT_EQ(c.fileName, "/home/user/talk.wav");
}

}  // namespace
}  // namespace pelkit
