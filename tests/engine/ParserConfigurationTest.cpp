// The parser configuration of one operation: poppler's defaults, the resource
// folders, and the registrations in their order.
#include "reading/ParserConfiguration.h"

#include "TempDir.h"

#include <GlobalParams.h>
#include <gtest/gtest.h>

#include <filesystem>

using colligo::ParserConfiguration;
namespace fs = std::filesystem;

namespace {

TEST(ParserConfiguration, CurrentOnlyWhileAnOperationRuns)
{
    testing_support::TempDir dir;
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    EXPECT_EQ(ParserConfiguration::current(), nullptr);
    for (int operation = 0; operation < 2; ++operation) {
        ParserConfiguration configuration;
        EXPECT_EQ(ParserConfiguration::current(), &configuration);
        EXPECT_NE(globalParams.get(), nullptr);
    }
    EXPECT_EQ(ParserConfiguration::current(), nullptr);
    EXPECT_EQ(globalParams.get(), nullptr);
    unsetenv("XDG_DATA_HOME");
}

TEST(ParserConfiguration, RegistersTheResourcesUnderTheUsersFolder)
{
    testing_support::TempDir dir;
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    ParserConfiguration configuration;
    const std::string base = dir.path() + "/Ostrel/RC/";
    EXPECT_EQ(ParserConfiguration::resourceBaseDirectory(), base);
    EXPECT_TRUE(fs::is_directory(base));

    const std::string chinese = base + "chinese-s/";
    const std::string font = fs::exists("/usr/share/fonts/simsun.ttc") ? "/usr/share/fonts/simsun.ttc" : "/usr/share/fonts/simsun.ttf";
    const std::vector<ParserConfiguration::Registration> expected = {
        { "cidToUnicode", "Adobe-GB1", chinese + "Adobe-GB1.cidToUnicode" },
        { "unicodeMap", "ISO-2022-CN", chinese + "ISO-2022-CN.unicodeMap" },
        { "unicodeMap", "EUC-CN", chinese + "EUC-CN.unicodeMap" },
        { "unicodeMap", "GBK", chinese + "GBK.unicodeMap" },
        { "cMapDir", "Adobe-GB1", chinese + "CMap" },
        { "toUnicodeDir", "", chinese + "CMap" },
        { "displayCIDFontTT", "Adobe-GB1", font },
    };
    ASSERT_EQ(configuration.registrations().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(configuration.registrations()[i].keyword, expected[i].keyword);
        EXPECT_EQ(configuration.registrations()[i].key, expected[i].key);
        EXPECT_EQ(configuration.registrations()[i].value, expected[i].value);
    }
    unsetenv("XDG_DATA_HOME");
}

// Without any application-data folder nothing is built from stale text.
TEST(ParserConfiguration, NoFolderNoResourcePaths)
{
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "", 1);
    // getpwuid still knows root's home here, so this checks the fallback reading.
    ParserConfiguration configuration;
    EXPECT_FALSE(configuration.registrations().empty());
    EXPECT_EQ(configuration.registrations().back().keyword, "displayCIDFontTT");
    setenv("HOME", home.c_str(), 1);
}

} // namespace
