// The x86 build's NSIS installer (make windows puts it beside the zips).
//
// What any machine can check: 7-Zip, which reads NSIS installers on its own,
// finds in it exactly the zip's files, byte for byte, and the uninstaller; the
// installer is a Unicode one that asks for an administrator and wears the
// application's icon; makensis's account of what it compiled (the build keeps
// it) holds the uninstall entry, the Start-menu shortcut, and an uninstaller
// that removes exactly the installed files and nothing of the user's.
//
// Where 32-bit programs run (the installer is one), it is also run in a fresh
// Wine prefix: a silent install, the entry in the registry, the installed
// application and colligo.exe at work, then the silent uninstall that the
// entry names, which must leave no file of ours and every user's file.
// Elsewhere the same script, built as a 64-bit installer of the same files,
// goes through all of that but running the installed x86 programs.
#include "PlayedMerge.h"
#include "SameEverywhere.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

using namespace wine_testing;
namespace fs = std::filesystem;

namespace {

const std::string product = "Quellan PDF Merger";
const std::string uninstallKey = R"(Software\Microsoft\Windows\CurrentVersion\Uninstall\QuellanPdfMerger)";

std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Everything 7-Zip unpacks from `file`, read as `type` ("Nsis", "PE").
std::map<std::string, std::string> unpackedBySevenZip(const std::string &file, const std::string &type, const std::string &folder)
{
    const RunResult unpack = runProgram({ "7zz", "x", "-y", "-t" + type, "-o" + folder, file });
    EXPECT_EQ(unpack.status, 0) << file << "\n" << unpack.out << unpack.err;
    return filesBelow(folder);
}

// The zip's files below its top folder, as "bin/Korvel.exe".
std::map<std::string, std::string> zipFiles()
{
    return filesBelow(windowsBuild("x86").unpacked);
}

std::set<std::string> namesOf(const std::map<std::string, std::string> &files)
{
    std::set<std::string> names;
    for (const auto &entry : files)
        names.insert(entry.first);
    return names;
}

// A path below the installation folder as the installer's script writes it.
std::string installedPath(const std::string &relative)
{
    std::string path = "$INSTDIR\\";
    for (char c : relative)
        path += c == '/' ? std::string("\\") : c == '$' ? std::string("$$") : std::string(1, c);
    return path;
}

// makensis's account of the installer's compilation, kept by the build.
std::vector<std::string> compilationLog()
{
    const std::string log = windowsBuild("x86").tree + "/installer/makensis.log";
    EXPECT_TRUE(fs::exists(log)) << log;
    return linesOf(readBytes(log));
}

// The lines of one section of the compilation log ("Uninstall").
std::vector<std::string> sectionOf(const std::vector<std::string> &log, const std::string &section)
{
    auto begin = std::find(log.begin(), log.end(), "Section: \"" + section + "\"");
    EXPECT_NE(begin, log.end()) << "no section " << section;
    auto end = std::find(begin, log.end(), "SectionEnd");
    return { begin, end };
}

// The bytes of each icon image among a program's resources.
std::multiset<std::string> iconImages(const std::string &program, const std::string &folder)
{
    std::multiset<std::string> images;
    for (const auto &[path, bytes] : unpackedBySevenZip(program, "PE", folder)) {
        if (path.rfind(".rsrc/ICON/", 0) == 0)
            images.insert(bytes);
    }
    return images;
}

// Windows' version resource as 7-Zip writes it (UTF-16), in ASCII.
std::string versionResource(const std::map<std::string, std::string> &resources)
{
    const auto found = resources.find(".rsrc/version.txt");
    std::string text = found == resources.end() ? "" : found->second;
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

} // namespace

TEST(Installer, HoldsExactlyTheZipsFilesAndTheUninstaller)
{
    testing_support::TempDir folder;
    std::map<std::string, std::string> unpacked = unpackedBySevenZip(windowsInstaller(), "Nsis", folder.path());
    EXPECT_EQ(unpacked.erase("Uninstall.exe"), 1u) << "no uninstaller in the installer";
    // NSIS's own plug-ins, which the installer unpacks for itself while it runs.
    std::erase_if(unpacked, [](const auto &entry) { return entry.first.rfind("$PLUGINSDIR/", 0) == 0; });

    const std::map<std::string, std::string> zip = zipFiles();
    ASSERT_EQ(namesOf(unpacked), namesOf(zip));
    for (const auto &[path, bytes] : zip)
        EXPECT_TRUE(unpacked.at(path) == bytes) << path << " differs from the zip's";
}

TEST(Installer, IsAUnicodeInstallerForAdministratorsWithTheApplicationsIcon)
{
    const RunResult listing = runProgram({ "7zz", "l", "-slt", "-tNsis", windowsInstaller() });
    ASSERT_EQ(listing.status, 0) << listing.err;
    EXPECT_NE(listing.out.find("\nSubType = NSIS-3 Unicode"), std::string::npos) << listing.out.substr(0, 600);

    testing_support::TempDir folder;
    const std::map<std::string, std::string> resources = unpackedBySevenZip(windowsInstaller(), "PE", folder.file("setup"));
    const auto manifest = resources.find(".rsrc/MANIFEST/1");
    ASSERT_NE(manifest, resources.end());
    EXPECT_NE(manifest->second.find("level=\"requireAdministrator\""), std::string::npos) << manifest->second;
    const std::string version = versionResource(resources);
    EXPECT_TRUE(std::regex_search(version, std::regex("\"ProductVersion\",\\s*\"" + std::string(QUELLAN_VERSION) + "\""))) << version;
    EXPECT_TRUE(std::regex_search(version, std::regex("\"ProductName\",\\s*\"" + product + "\""))) << version;

    const std::multiset<std::string> korvel = iconImages(windowsBuild("x86").program("Korvel.exe"), folder.file("korvel"));
    EXPECT_EQ(korvel.size(), 4u) << "Korvel.exe carries the icon in four sizes";
    EXPECT_TRUE(iconImages(windowsInstaller(), folder.file("icons")) == korvel) << "the installer's icon is not the application's";
}

TEST(Installer, RegistersItsUninstallerAndAStartMenuShortcut)
{
    const std::string key = "HKLM\\" + uninstallKey + "\\";
    const std::string uninstaller = "\"$INSTDIR\\Uninstall.exe\"";
    struct Expected
    {
        std::string line;
        bool wholeLine; // or its beginning
    };
    const Expected expected[] = {
        { "Unicode: true", true },
        { "InstallDir: \"$PROGRAMFILES\\" + product + "\"", true },
        { "SetShellVarContext: all", true },
        { "WriteUninstaller: " + uninstaller, true },
        { "CreateShortcut: \"$SMPROGRAMS\\" + product + ".lnk\"->\"$INSTDIR\\bin\\Korvel.exe\"", false },
        { "WriteRegStr: " + key + "DisplayName=" + product, true },
        { "WriteRegStr: " + key + "DisplayVersion=" + QUELLAN_VERSION, true },
        { "WriteRegStr: " + key + "Publisher=Quellan Studio", true },
        { "WriteRegStr: " + key + "DisplayIcon=$INSTDIR\\bin\\Korvel.exe,0", true },
        { "WriteRegStr: " + key + "UninstallString=" + uninstaller, true },
        { "WriteRegStr: " + key + "QuietUninstallString=" + uninstaller + " /S", true },
        { "WriteRegStr: " + key + "InstallLocation=$INSTDIR", true },
        { "WriteRegDWORD: " + key + "EstimatedSize=", false },
        { "WriteRegDWORD: " + key + "NoModify=1", true },
        { "WriteRegDWORD: " + key + "NoRepair=1", true },
    };
    const std::vector<std::string> log = compilationLog();
    for (const Expected &item : expected) {
        const bool found = std::any_of(log.begin(), log.end(), [&](const std::string &line) {
            return item.wholeLine ? line == item.line : line.rfind(item.line, 0) == 0;
        });
        EXPECT_TRUE(found) << "the installer lacks: " << item.line;
    }
}

TEST(Installer, UninstallerRemovesExactlyWhatWasInstalledAndNothingOfTheUsers)
{
    const std::vector<std::string> uninstall = sectionOf(compilationLog(), "Uninstall");
    std::set<std::string> deleted, expected;
    for (const std::string &line : uninstall) {
        if (line.rfind("Delete: ", 0) == 0)
            deleted.insert(line);
        // A recursive removal would take whatever else lies in the folder.
        EXPECT_EQ(line.find("/r"), std::string::npos) << line;
        for (const char *userFolder : { "$APPDATA", "$LOCALAPPDATA", "$DOCUMENTS", "$PROFILE" })
            EXPECT_EQ(line.find(userFolder), std::string::npos) << line;
    }
    for (const auto &entry : zipFiles())
        expected.insert("Delete: /REBOOTOK \"" + installedPath(entry.first) + "\"");
    expected.insert("Delete: \"$INSTDIR\\Uninstall.exe\"");
    expected.insert("Delete: \"$SMPROGRAMS\\" + product + ".lnk\"");
    EXPECT_EQ(deleted, expected);
    for (const std::string &line : { std::string("RMDir: /REBOOTOK \"$INSTDIR\""), "DeleteRegKey: HKLM\\" + uninstallKey })
        EXPECT_NE(std::find(uninstall.begin(), uninstall.end(), line), uninstall.end()) << "the uninstaller lacks: " << line;
}

// ---- The installer at work under Wine ------------------------------------------

namespace {

// An installer run in a fresh Wine prefix, and where it puts things.
struct Trial
{
    std::string installer;
    std::string registryView;  // "/reg:32" or "/reg:64": where its entry is
    std::string programFiles;  // its "C:\Program Files..."
    bool runsInstalledPrograms; // the installed x86 programs run here too
};

// The uninstall entry in the trial's view of the registry, by value name;
// empty when there is none.
std::map<std::string, std::string> uninstallEntry(Wine &wine, const Trial &trial)
{
    const RunResult query = wine.run("reg", { "query", "HKLM\\" + uninstallKey, trial.registryView });
    std::map<std::string, std::string> values;
    if (query.status != 0)
        return values;
    static const std::regex value(R"(^    (\S.*?)    (REG_\w+)    (.*)$)");
    std::smatch match;
    for (const std::string &line : linesOf(query.out)) {
        if (std::regex_match(line, match, value))
            values[match[1]] = match[3];
    }
    return values;
}

// A "C:\..." path of the prefix as a Linux path.
std::string linuxPathOf(const Wine &wine, const std::string &windows)
{
    std::string path = windows.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return wine.prefix() + "/drive_c" + path;
}

std::string startMenuShortcut(const Wine &wine)
{
    return wine.prefix() + "/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/" + product + ".lnk";
}

// What a Windows program gets for %NAME%, as a Linux path.
std::string folderOf(Wine &wine, const std::string &variable)
{
    const RunResult echo = wine.run("cmd", { "/c", "echo", "%" + variable + "%" });
    return linuxPathOf(wine, linesOf(echo.out).at(0));
}

std::uintmax_t kilobytesBelow(const std::string &folder)
{
    std::uintmax_t bytes = 0;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            bytes += entry.file_size();
    }
    return bytes / 1024;
}

void expectRegistered(const std::map<std::string, std::string> &entry, const Trial &trial)
{
    const std::string location = entry.count("InstallLocation") ? entry.at("InstallLocation") : "";
    EXPECT_EQ(location, trial.programFiles + "\\" + product);
    const std::string uninstaller = "\"" + location + "\\Uninstall.exe\"";
    const std::map<std::string, std::string> expected {
        { "DisplayName", product },        { "DisplayVersion", QUELLAN_VERSION },
        { "Publisher", "Quellan Studio" }, { "DisplayIcon", location + "\\bin\\Korvel.exe,0" },
        { "UninstallString", uninstaller }, { "QuietUninstallString", uninstaller + " /S" },
        { "NoModify", "0x1" },             { "NoRepair", "0x1" },
    };
    for (const auto &[name, value] : expected)
        EXPECT_EQ(entry.count(name) ? entry.at(name) : "(none)", value) << name;
}

// The installed colligo.exe merges as the Linux build does.
void expectInstalledCommandLineMerges(Wine &wine, const std::string &installed)
{
    testing_support::TempDir folder;
    copyFile(realDocument("refcard-a4.pdf"), folder.file("card.pdf"));
    const RunResult linux = runProgram({ linuxProgram("colligo"), "merge", "-o", "linux.pdf", "card.pdf:2-1", "card.pdf" }, folder.path(),
                                 linuxEngineEnvironment());
    const RunResult windows = wine.run(installed + "/bin/colligo.exe", { "merge", "-o", "windows.pdf", "card.pdf:2-1", "card.pdf" }, folder.path());
    ASSERT_EQ(linux.status, 0) << linux.err;
    EXPECT_EQ(windows.status, 0) << windows.err;
    EXPECT_TRUE(readBytes(folder.file("windows.pdf")) == readBytes(folder.file("linux.pdf")));
}

// The installed application, played by the test plug-in, which is taken out
// again: it is not the installer's to remove.
void expectInstalledApplicationMerges(Wine &wine, const std::string &installed)
{
    const std::string player = installed + "/bin/dll/merging-user.dll";
    copyFile(windowsBuild("x86").testProgram("merging-user.dll"), player);
    testing_support::TempDir work;
    expectMergedAsOnLinux(playMerge(wine, installed + "/bin/Korvel.exe", work.path()));
    fs::remove(player);
}

// Every user's files, but the temporary ones (the uninstaller runs from a copy there).
std::map<std::string, std::string> usersFiles(const Wine &wine)
{
    std::map<std::string, std::string> files = filesBelow(wine.prefix() + "/drive_c/users");
    std::erase_if(files, [](const auto &entry) { return entry.first.find("/Temp/") != std::string::npos; });
    return files;
}

// Runs the entry's quiet uninstall command as "Apps & features" would, and
// waits until the uninstaller (which runs on from a copy of itself) is done.
void uninstallSilently(Wine &wine, const Trial &trial, const std::map<std::string, std::string> &entry, const std::string &installed)
{
    static const std::regex command(R"re(^"([^"]+)" (.*)$)re");
    std::smatch match;
    const std::string quiet = entry.count("QuietUninstallString") ? entry.at("QuietUninstallString") : "";
    ASSERT_TRUE(std::regex_match(quiet, match, command)) << quiet;
    const RunResult uninstall = wine.run(match[1].str(), { match[2].str() });
    EXPECT_EQ(uninstall.status, 0) << uninstall.err;
    for (int second = 0; second < 90 && (fs::exists(installed) || !uninstallEntry(wine, trial).empty()); ++second)
        sleep(1);
}

// What Windows is to remove or rename at the next restart.
std::string pendingRemovals(Wine &wine)
{
    return wine.run("reg", { "query", R"(HKLM\System\CurrentControlSet\Control\Session Manager)", "/v", "PendingFileRenameOperations" }).out;
}

// A silent installation as an administrator would run it. The installer
// refuses Windows before 10, as Qt 6 needs it, and a Wine prefix says it is
// Windows 7 unless told otherwise.
void installSilently(Wine &wine, const Trial &trial)
{
    const RunResult windows10 = wine.run("reg", { "add", "HKCU\\Software\\Wine", "/v", "Version", "/d", "win10", "/f" });
    ASSERT_EQ(windows10.status, 0) << windows10.err;
    const RunResult install = wine.run(trial.installer, { "/S" });
    ASSERT_EQ(install.status, 0) << install.err;
}

// The entry, the files and the shortcut of a fresh installation; the
// installation folder as a Linux path.
std::string expectInstalled(Wine &wine, const Trial &trial, const std::map<std::string, std::string> &entry)
{
    expectRegistered(entry, trial);
    const std::string installed = linuxPathOf(wine, entry.count("InstallLocation") ? entry.at("InstallLocation") : "C:\\none");
    std::set<std::string> expectedFiles = namesOf(zipFiles());
    expectedFiles.insert("Uninstall.exe");
    EXPECT_EQ(namesOf(filesBelow(installed)), expectedFiles);
    // In kilobytes, each file's rest of a kilobyte counted or not.
    const std::uintmax_t size = std::stoul(entry.count("EstimatedSize") ? entry.at("EstimatedSize") : "0", nullptr, 16);
    EXPECT_NEAR(static_cast<double>(size), static_cast<double>(kilobytesBelow(installed)), static_cast<double>(expectedFiles.size() + 1));
    EXPECT_TRUE(fs::exists(startMenuShortcut(wine)));
    return installed;
}

// Installs silently, checks the installation, uses it where its programs run,
// uninstalls silently and checks that nothing of it is left but every user's
// files are.
void installUseAndUninstall(const Trial &trial)
{
    PrivateDisplay display;
    Wine wine(display.name());
    installSilently(wine, trial);
    const std::map<std::string, std::string> entry = uninstallEntry(wine, trial);
    const std::string installed = expectInstalled(wine, trial, entry);
    // Installed again, it first removes the installation there with that
    // one's own uninstaller, which must leave the new one whole.
    installSilently(wine, trial);
    expectInstalled(wine, trial, uninstallEntry(wine, trial));
    EXPECT_EQ(pendingRemovals(wine).find("Uninstall.exe"), std::string::npos) << "removed at the next restart";
    if (trial.runsInstalledPrograms) {
        expectInstalledCommandLineMerges(wine, installed);
        expectInstalledApplicationMerges(wine, installed);
        EXPECT_TRUE(fs::exists(folderOf(wine, "APPDATA") + "/Ostrel/RC")) << "the engine's per-user folder";
    }
    // What a user set: the options the application keeps.
    writeBytes(folderOf(wine, "LOCALAPPDATA") + "/" + product + "/options.ini", "[merge]\nkeepNavigation=false\n");
    const std::map<std::string, std::string> before = usersFiles(wine);

    uninstallSilently(wine, trial, entry, installed);
    EXPECT_FALSE(fs::exists(installed)) << "left behind: " << (fs::exists(installed) ? filesBelow(installed).size() : 0) << " files";
    EXPECT_FALSE(fs::exists(startMenuShortcut(wine)));
    EXPECT_TRUE(uninstallEntry(wine, trial).empty());
    const std::map<std::string, std::string> after = usersFiles(wine);
    for (const auto &[path, bytes] : before)
        EXPECT_TRUE(after.count(path) && after.at(path) == bytes) << "the uninstaller took a user's file: " << path;
}

// The installer's script made into a 64-bit installer of the same files,
// which a machine without 32-bit support runs: the installing and removing
// are the shipped script's, only NSIS's stub and plug-ins differ.
std::string sixtyFourBitVariant(const std::string &folder)
{
    const WindowsBuild &build = windowsBuild("x86");
    const std::string installer = folder + "/setup-amd64.exe";
    const RunResult make = runProgram({ "cmake", "-DSTAGE=" + build.unpacked, "-DWORK=" + folder, "-DSCRIPT=" INSTALLER_SCRIPT,
                                        "-DMAKENSIS=makensis", "-DVERSION=" QUELLAN_VERSION, "-DICON=" + build.tree + "/Korvel.ico",
                                        "-DOUTFILE=" + installer, "-DOPTIONS=-XTarget amd64-unicode;-XSetCompressor /FINAL zlib", "-P",
                                        BUILD_INSTALLER });
    EXPECT_EQ(make.status, 0) << make.out << make.err;
    return installer;
}

} // namespace

TEST(Installer, InstallsRunsAndUninstallsSilentlyUnderWine)
{
    if (!machineRuns32BitPrograms())
        GTEST_SKIP() << "this machine cannot execute 32-bit programs, and the installer is one (NSIS makes only 32-bit "
                        "installers); Installer.ItsScriptInstallsAndUninstallsAs64BitInstaller runs its script instead";
    installUseAndUninstall({ windowsInstaller(), "/reg:32", "C:\\Program Files (x86)", true });
}

// Where the installer cannot run, its script still does, as a 64-bit
// installer: silent installation, entry, files, shortcut, silent uninstall.
TEST(Installer, ItsScriptInstallsAndUninstallsAs64BitInstaller)
{
    if (machineRuns32BitPrograms())
        GTEST_SKIP() << "the x86 installer itself runs here (Installer.InstallsRunsAndUninstallsSilentlyUnderWine)";
    testing_support::TempDir folder;
    installUseAndUninstall({ sixtyFourBitVariant(folder.path()), "/reg:64", "C:\\Program Files", false });
}
