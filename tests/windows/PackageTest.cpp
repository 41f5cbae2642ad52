// What the zips hold and what their programs need: the layout of the Linux
// build tree, Colligo.dll's exports exactly the names of colligo.map (plain,
// also on 32-bit), nothing imported but Windows' own DLLs and the zip's own,
// a host program linked with the kit's header and import library, and the
// platform layer's own tests.
#include "TempDir.h"
#include "WineSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace wine_testing;
namespace fs = std::filesystem;

namespace {

std::string triplet(const WindowsBuild &build)
{
    return build.name == "x86" ? "i686-w64-mingw32" : "x86_64-w64-mingw32";
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string objdump(const WindowsBuild &build, const std::string &file)
{
    const RunResult dump = runProgram({ triplet(build) + "-objdump", "-p", file });
    EXPECT_EQ(dump.status, 0) << file << dump.err;
    return dump.out;
}

std::set<std::string> exportedNames(const WindowsBuild &build, const std::string &file)
{
    const std::string dump = objdump(build, file);
    std::set<std::string> names;
    const std::size_t table = dump.find("[Ordinal/Name Pointer] Table");
    std::istringstream lines(dump.substr(table == std::string::npos ? dump.size() : table));
    std::string line;
    std::getline(lines, line);
    static const std::regex entry(R"(^\s*\[\s*\d+\]\s+(\S+)\s*$)");
    std::smatch match;
    while (std::getline(lines, line) && std::regex_match(line, match, entry))
        names.insert(match[1]);
    return names;
}

std::set<std::string> importedDlls(const WindowsBuild &build, const std::string &file)
{
    std::set<std::string> names;
    std::istringstream lines(objdump(build, file));
    std::string line;
    static const std::regex entry(R"(^\s*DLL Name: (\S+)\s*$)");
    std::smatch match;
    while (std::getline(lines, line)) {
        if (std::regex_match(line, match, entry))
            names.insert(lower(match[1]));
    }
    return names;
}

// The C names of the engine's version script.
std::set<std::string> mapNames()
{
    std::ifstream file(COLLIGO_MAP);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    text = std::regex_replace(text, std::regex(R"(/\*[\s\S]*?\*/)"), "");
    const std::size_t global = text.find("global:"), local = text.find("local:");
    std::set<std::string> names;
    static const std::regex name(R"([A-Za-z_][A-Za-z0-9_]*)");
    const std::string list = text.substr(global + 7, local - global - 7);
    for (std::sregex_iterator it(list.begin(), list.end(), name), end; it != end; ++it) {
        if (it->str().rfind("_Z", 0) != 0)
            names.insert(it->str());
    }
    return names;
}

// Windows' own DLLs of this architecture, as the Wine prefix has them. A
// prefix made where 32-bit programs cannot run has no 32-bit half; the
// 64-bit half has the same names.
std::set<std::string> systemDlls(const WindowsBuild &build)
{
    const std::string windows = Wine::session().prefix() + "/drive_c/windows/";
    const bool thirtyTwoBit = build.name == "x86" && !fs::is_empty(windows + "syswow64");
    const std::string folder = windows + (thirtyTwoBit ? "syswow64" : "system32");
    std::set<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        names.insert(lower(entry.path().filename().string()));
    return names;
}

std::set<std::string> filesOf(const WindowsBuild &build)
{
    std::set<std::string> files;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(build.unpacked)) {
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), build.unpacked).string());
    }
    return files;
}

} // namespace

TEST(Package, LaidOutLikeTheLinuxBuildTree)
{
    const std::set<std::string> kit { "bin/Colligo.dll", "bin/colligo.exe", "include/colligo.h", "lib/libColligo.dll.a", "lib/Colligo.def" };
    const std::set<std::string> application { "bin/Korvel.exe",
                                              "bin/Korvel.png",
                                              "bin/dll/SaveOptionXml.dll",
                                              "bin/PlugDll/Vellumor_dll.dll",
                                              "bin/config-ext.xml",
                                              "bin/sys/soft/Quellan PDF Merger/config.xml",
                                              "bin/sys/soft/Quellan PDF Merger/Skins/progress.bmp",
                                              "bin/platforms/qwindows.dll",
                                              "bin/Qt6Core.dll",
                                              "bin/Qt6Gui.dll",
                                              "bin/Qt6Widgets.dll" };
    for (const WindowsBuild &build : windowsBuilds()) {
        const std::set<std::string> files = filesOf(build);
        for (const std::string &file : kit)
            EXPECT_TRUE(files.count(file)) << build.name << " lacks " << file;
        for (const std::string &file : application)
            EXPECT_EQ(files.count(file), build.wholeSystem ? 1u : 0u) << build.name << ": " << file;
    }
}

TEST(Package, ExportsAreExactlyThePlainNamesOfTheVersionScript)
{
    const std::set<std::string> expected = mapNames();
    ASSERT_GT(expected.size(), 10u);
    for (const WindowsBuild &build : windowsBuilds())
        EXPECT_EQ(exportedNames(build, build.program("Colligo.dll")), expected) << build.name;
}

TEST(Package, ProgramsImportOnlyWindowsOwnDllsAndTheirOwn)
{
    for (const WindowsBuild &build : windowsBuilds()) {
        const std::set<std::string> system = systemDlls(build);
        std::set<std::string> shipped;
        for (const std::string &file : filesOf(build))
            shipped.insert(lower(fs::path(file).filename().string()));
        for (const std::string &file : filesOf(build)) {
            const std::string extension = lower(fs::path(file).extension().string());
            if (extension != ".exe" && extension != ".dll")
                continue;
            for (const std::string &dll : importedDlls(build, build.unpacked + "/" + file)) {
                EXPECT_EQ(dll.find("libstdc++"), std::string::npos) << file;
                EXPECT_EQ(dll.find("libgcc"), std::string::npos) << file;
                EXPECT_EQ(dll.find("libwinpthread"), std::string::npos) << file;
                // "api-ms-win-..." names are Windows' API sets, which the loader
                // resolves to its own DLLs.
                const bool apiSet = dll.rfind("api-ms-win-", 0) == 0;
                EXPECT_TRUE(system.count(dll) || shipped.count(dll) || apiSet) << build.name << ": " << file << " imports " << dll;
            }
        }
    }
}

// A host program as a Windows developer would build it: the kit's header and
// import library, the DLL beside the program. Each build links; those this
// machine can run also run.
TEST(Package, HostProgramsLinkWithTheKit)
{
    for (const WindowsBuild &build : windowsBuilds()) {
        testing_support::TempDir folder;
        std::ofstream(folder.file("host.c")) << "#include <colligo.h>\n"
                                                "#include <stdio.h>\n"
                                                "static int32_t COLLIGO_CALL progress(int32_t a, int32_t b, int32_t c, int32_t d)\n"
                                                "{ (void)a; (void)b; (void)c; (void)d; return 1; }\n"
                                                "int main(int argc, char **argv)\n"
                                                "{\n"
                                                "    (void)argc;\n"
                                                "    DocumentHandle document = OpenPDF(argv[1], NULL);\n"
                                                "    printf(\"%d pages\\n\", GetPageCount(document));\n"
                                                "    ClosePDF(document);\n"
                                                "    ClearList();\n"
                                                "    AddFile(argv[1], \"1\", 0);\n"
                                                "    AddFile(argv[1], \"3-2\", 0);\n"
                                                "    printf(\"merge %d\\n\", Colligo(argv[2], 0, progress));\n"
                                                "    return 0;\n"
                                                "}\n";
        const RunResult compile = runProgram({ triplet(build) + "-gcc", "-std=c11", "-Wall", "-Werror", "-I", build.unpacked + "/include",
                                         folder.file("host.c"), "-L", build.unpacked + "/lib", "-lColligo", "-o",
                                         folder.file("host.exe") });
        ASSERT_EQ(compile.status, 0) << build.name << "\n" << compile.err;
        if (!build.runsHere)
            continue;
        copyFile(build.program("Colligo.dll"), folder.file("Colligo.dll"));
        copyFile(realDocument("refcard-a4.pdf"), folder.file("card.pdf"));
        const RunResult host = Wine::session().run(folder.file("host.exe"), { "card.pdf", "out.pdf" }, folder.path());
        std::string printed = host.out; // in text mode, as such a program would print
        printed.erase(std::remove(printed.begin(), printed.end(), '\r'), printed.end());
        EXPECT_EQ(printed, "3 pages\nmerge 1\n") << build.name << "\n" << host.err;
        EXPECT_TRUE(fs::exists(folder.file("out.pdf"))) << build.name;
    }
}

TEST(Package, PlatformLayerTestsPass)
{
    for (const WindowsBuild &build : runnableBuilds()) {
        const RunResult tests = Wine::session().run(build.testProgram("windows-platform-test.exe"), {});
        EXPECT_EQ(tests.status, 0) << build.name << "\n" << tests.out << tests.err;
        EXPECT_NE(tests.out.find("[  PASSED  ]"), std::string::npos) << build.name;
    }
}
