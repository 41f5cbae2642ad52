// The documentation that ships: the colligo(1) manual page renders without a
// warning and names every command and option the command line's own help
// names; the user guide in the application folder has every picture and
// section it points to, and the sections the application opens.
#include "Oracles.h"
#include "PdfBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

using testing_support::runCommand;
using testing_support::shellQuote;

namespace {

const std::string manPage = QUELLAN_SOURCE_DIR "/docs/colligo.1";
const std::string guide = QUELLAN_APP_DIR "/help/index.html";

std::string RenderedManPage()
{
    return runCommand("groff -man -Tutf8 -P-cbou " + shellQuote(manPage) + " 2>/dev/null").output;
}

TEST(ManPage, RendersWithoutAWarning)
{
    const auto rendered = runCommand("groff -man -Tutf8 -ww -z " + shellQuote(manPage));
    EXPECT_EQ(rendered.status, 0);
    EXPECT_EQ(rendered.output, "") << "groff's warnings";
    const std::string text = RenderedManPage();
    for (const char *heading : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "EXAMPLES"})
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
}

// Whatever the help of the installed command offers, the manual explains.
TEST(ManPage, NamesEveryCommandAndOptionOfTheHelp)
{
    const auto help = runCommand(shellQuote(COLLIGO_PATH) + " --help");
    ASSERT_EQ(help.status, 0) << help.output;
    std::set<std::string> named;
    static const std::regex option(R"((^|[\s\[])(--?[a-z][a-z-]*))");
    for (std::sregex_iterator it(help.output.begin(), help.output.end(), option), end; it != end; ++it)
        named.insert((*it)[2]);
    static const std::regex command(R"(\n  (info|merge|split-outline|split|outline)\b)");
    for (std::sregex_iterator it(help.output.begin(), help.output.end(), command), end; it != end; ++it)
        named.insert("colligo " + std::string((*it)[1]));
    ASSERT_GE(named.size(), 8u) << help.output;
    const std::string text = RenderedManPage();
    for (const std::string &word : named)
        EXPECT_NE(text.find(word), std::string::npos) << word;
    const std::string statuses = text.substr(text.find("EXIT STATUS"));
    for (const char *status : {"0", "1", "2", "130"})
        EXPECT_TRUE(std::regex_search(statuses, std::regex(std::string("\n {7}") + status + " "))) << "exit status " << status;
}

TEST(UserGuide, HasEveryPictureAndSectionItPointsTo)
{
    ASSERT_TRUE(std::filesystem::exists(guide)) << guide;
    const std::string html = testing_support::readFile(guide);
    const std::filesystem::path folder = std::filesystem::path(guide).parent_path();
    std::set<std::string> ids;
    static const std::regex id(R"re(id="([^"]+)")re");
    for (std::sregex_iterator it(html.begin(), html.end(), id), end; it != end; ++it)
        ids.insert((*it)[1]);
    static const std::regex reference(R"re((src|href)="([^"]+)")re");
    int pictures = 0;
    for (std::sregex_iterator it(html.begin(), html.end(), reference), end; it != end; ++it) {
        const std::string target = (*it)[2];
        if (target.rfind('#', 0) == 0) {
            EXPECT_TRUE(ids.count(target.substr(1))) << target;
        } else if (target.find("://") == std::string::npos) {
            EXPECT_TRUE(std::filesystem::exists(folder / target)) << target;
            pictures += target.rfind("images/", 0) == 0 ? 1 : 0;
        }
    }
    EXPECT_GE(pictures, 6);
    // The sections the application opens.
    for (const char *section : {"pages", "adding", "alternate", "options", "keeps", "keyboard"})
        EXPECT_TRUE(ids.count(section)) << section;
}

} // namespace
