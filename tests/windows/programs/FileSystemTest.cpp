// The engine's Windows file system on its own, run under Wine: file
// identity, long and non-ASCII paths, the known folders and the file-name
// classification of the writer's retry.
#include "FileSystem.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

using namespace colligo;
using namespace testing_windows;

namespace {

std::string readText(const std::string &path)
{
    std::FILE *file = _wfopen(windowsPath(path).c_str(), L"rb");
    if (!file)
        return "(missing)";
    char buffer[256] = {};
    const std::size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    return std::string(buffer, length);
}

} // namespace

// mingw's stat gives every file the inode 0, which made any two files on one
// drive "the same file": writing over an existing output was refused.
TEST(FileIdentity, TellsFilesApartAndKnowsEverySpellingOfOne)
{
    TemporaryFolder folder;
    writeText(folder.file("a.pdf"), "a");
    writeText(folder.file("b.pdf"), "b");
    ASSERT_TRUE(CreateHardLinkW(wide(folder.file("second name.pdf")).c_str(), wide(folder.file("a.pdf")).c_str(), nullptr));

    EXPECT_FALSE(isSameFile(folder.file("a.pdf"), folder.file("b.pdf")));
    EXPECT_TRUE(isSameFile(folder.file("a.pdf"), folder.file("a.pdf")));
    EXPECT_TRUE(isSameFile(folder.file("a.pdf"), folder.file("A.PDF")));
    EXPECT_TRUE(isSameFile(folder.file("a.pdf"), folder.root() + "\\.\\sub\\..\\a.pdf"));
    EXPECT_TRUE(isSameFile(folder.file("a.pdf"), folder.root() + "/a.pdf"));
    EXPECT_TRUE(isSameFile(folder.file("a.pdf"), folder.file("second name.pdf")));
    EXPECT_FALSE(isSameFile(folder.file("a.pdf"), folder.file("missing.pdf")));
    EXPECT_FALSE(isSameFile(folder.file("missing.pdf"), folder.file("missing.pdf")));
}

TEST(Files, NamesOfEveryScriptAreWrittenAsTheyAre)
{
    TemporaryFolder folder;
    const std::string name = "Bücher – 文档 𝄞.pdf";
    writeText(folder.file(name), "content");
    EXPECT_TRUE(fileExists(folder.file(name)));
    WIN32_FIND_DATAW entry {};
    HANDLE search = FindFirstFileW(wide(folder.file("*.pdf")).c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::wstring(entry.cFileName), wide(name));
    FindClose(search);
}

TEST(Files, CreatingEmptiesAnExistingFile)
{
    TemporaryFolder folder;
    writeText(folder.file("out.pdf"), "a longer first content");
    writeText(folder.file("out.pdf"), "new");
    EXPECT_EQ(readText(folder.file("out.pdf")), "new");
}

TEST(Files, PathsLongerThanTheClassicLimitWork)
{
    TemporaryFolder folder;
    std::string deep = folder.root();
    while (deep.size() < 400)
        deep += "\\a folder with a rather long name ä文";
    makeFolders(deep);
    EXPECT_TRUE(fileExists(deep));
    const std::string file = deep + "\\document.pdf";
    writeText(file, "deep");
    EXPECT_EQ(readText(file), "deep");
    EXPECT_TRUE(isSameFile(file, deep + "\\.\\document.pdf"));

    makeFolder(deep + "\\one more");
    EXPECT_TRUE(fileExists(deep + "\\one more"));
}

TEST(Files, ShortPathsStayAsGiven)
{
    EXPECT_EQ(windowsPath("C:\\x\\y.pdf"), L"C:\\x\\y.pdf");
    EXPECT_EQ(windowsPath("relative/y.pdf"), L"relative/y.pdf");
    const std::wstring longForm = windowsPath("C:\\" + std::string(300, 'x') + "\\..\\y.pdf");
    EXPECT_EQ(longForm, L"\\\\?\\C:\\y.pdf");
}

TEST(Folders, TheKnownFoldersExist)
{
    EXPECT_TRUE(fileExists(applicationDataFolder())) << applicationDataFolder();
    EXPECT_TRUE(fileExists(systemFontsFolder())) << systemFontsFolder();
}

TEST(FileNames, SeparatorsAndTheLettersTheRetryKeeps)
{
    EXPECT_TRUE(isPathSeparator('\\'));
    EXPECT_TRUE(isPathSeparator('/'));
    EXPECT_FALSE(isPathSeparator(':'));

    const struct
    {
        char32_t c;
        bool kept;
    } cases[] = {
        { U'a', true }, { U'Z', true }, { U'7', true }, { U'ü', true }, { U'文', true }, { U'Ж', true },
        { U'\u0661', true }, // ARABIC-INDIC DIGIT ONE
        { U' ', false }, { U'?', false }, { U'*', false }, { U':', false }, { U'\\', false }, { U'"', false },
        { U'\u2013', false }, // EN DASH
        { U'\U0001F600', false }, // an emoji
    };
    for (const auto &item : cases)
        EXPECT_EQ(isLetterOrDigit(item.c), item.kept) << std::hex << static_cast<unsigned long>(item.c);
}

