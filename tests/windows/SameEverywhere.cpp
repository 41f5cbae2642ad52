#include "SameEverywhere.h"

#include "Examples.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace wine_testing {

namespace {

const std::string &examplesFolder()
{
    static testing_support::TempDir folder;
    static const bool written = (writeExamples(folder.path()), true);
    (void)written;
    return folder.path();
}

// The first difference of two byte strings, for a readable failure.
std::string firstDifference(const std::string &expected, const std::string &actual)
{
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    return "sizes " + std::to_string(expected.size()) + " and " + std::to_string(actual.size()) + ", first difference at byte " +
           std::to_string(at);
}

} // namespace

std::vector<std::string> linuxEngineEnvironment()
{
    static testing_support::TempDir home;
    return { "XDG_DATA_HOME=" + home.file("data") };
}

std::vector<PlatformResult> runEverywhere(const Operation &operation)
{
    std::vector<std::string> platforms { "linux" };
    for (const WindowsBuild &build : runnableBuilds())
        platforms.push_back(build.name);
    std::vector<PlatformResult> results;
    for (const std::string &platform : platforms) {
        testing_support::TempDir folder;
        for (const std::string &name : exampleNames())
            copyFile(examplesFolder() + "/" + name, folder.file(name));
        fs::create_directories(folder.file("chapters"));
        PlatformResult result { platform, operation(platform, folder.path()), {} };
        result.files = filesBelow(folder.path());
        results.push_back(std::move(result));
    }
    return results;
}

void expectSameAsLinux(const std::vector<PlatformResult> &results, const std::string &what)
{
    const PlatformResult &reference = results.front();
    for (std::size_t i = 1; i < results.size(); ++i) {
        const PlatformResult &windows = results[i];
        const std::string label = what + " (" + windows.platform + ")";
        EXPECT_EQ(windows.run.status, reference.run.status) << label << "\n" << windows.run.err;
        EXPECT_EQ(windows.run.out, reference.run.out) << label;
        EXPECT_EQ(windows.run.err, reference.run.err) << label;
        for (const auto &[name, bytes] : reference.files) {
            auto found = windows.files.find(name);
            if (found == windows.files.end())
                ADD_FAILURE() << label << ": " << name << " was not written";
            else if (found->second != bytes)
                ADD_FAILURE() << label << ": " << name << " differs, " << firstDifference(bytes, found->second);
        }
        for (const auto &[name, bytes] : windows.files) {
            if (!reference.files.count(name))
                ADD_FAILURE() << label << ": " << name << " was written only on Windows";
        }
    }
}

} // namespace wine_testing
