// The writer's file skeleton: header, closing objects, table and trailer.
#include "writer/PdfWriter.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_support;
using colligo::PdfWriter;

namespace {

const char emptyColligoDocument[] =
    "%PDF-1.5\n"
    "3 0 obj\n<<\n/Type/Pages\n/Count 0\n/Kids[]\n>>\nendobj\n"
    "1 0 obj\n<<\n/Creator(Tessaly.dll)\n/Title(Colligo)\n>>\nendobj\n"
    "2 0 obj\n<<\n/Type/Catalog\n/Pages 3 0 R\n>>\nendobj\n"
    "xref\n0 4\n"
    "0000000000 65535 f \n"
    "0000000059 00000 n \n"
    "0000000118 00000 n \n"
    "0000000009 00000 n \n"
    "trailer\n<<\n/Size 4\n/Root 2 0 R\n/Info 1 0 R\n>>\nstartxref\n166\n%%EOF\n";

std::size_t openDescriptors()
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator {}));
}

TEST(WriterSkeleton, EmptyDocumentIsExactly321Bytes)
{
    TempDir dir;
    {
        PdfWriter writer(dir.file("empty.pdf").c_str(), "Colligo");
        ASSERT_TRUE(writer.isOk());
        writer.finish();
    }
    std::string bytes = readFile(dir.file("empty.pdf"));
    EXPECT_EQ(bytes.size(), 321u);
    EXPECT_EQ(bytes, emptyColligoDocument);
    EXPECT_TRUE(qpdfCheckPasses(dir.file("empty.pdf")));
}

TEST(WriterSkeleton, MissingOrEmptyTitleGivesEmptyTitleEntry)
{
    TempDir dir;
    for (const char *title : { static_cast<const char *>(nullptr), "" }) {
        {
            PdfWriter writer(dir.file("untitled.pdf").c_str(), title);
            writer.finish();
        }
        EXPECT_NE(readFile(dir.file("untitled.pdf")).find("/Title()\n"), std::string::npos);
    }
}

TEST(WriterSkeleton, CreationTruncatesAnExistingFileAtOnce)
{
    TempDir dir;
    writeTextDocument(dir.file("old.pdf"), 5);
    PdfWriter writer(dir.file("old.pdf").c_str(), "Colligo");
    ASSERT_TRUE(writer.isOk());
    std::fflush(nullptr);
    EXPECT_LE(std::filesystem::file_size(dir.file("old.pdf")), 9u);
    writer.finish();
    EXPECT_EQ(std::filesystem::file_size(dir.file("old.pdf")), 321u);
}

TEST(WriterSkeleton, UnusableWhenTheFolderDoesNotExist)
{
    TempDir dir;
    PdfWriter narrow(dir.file("no/such/folder.pdf").c_str(), "Colligo");
    EXPECT_FALSE(narrow.isOk());

    std::u16string wide = std::filesystem::path(dir.file("no/such/folder?.pdf")).u16string();
    PdfWriter wideWriter(wide.data(), "Colligo");
    EXPECT_FALSE(wideWriter.isOk());
    EXPECT_FALSE(std::filesystem::exists(dir.file("no")));
}

// A name that cannot exist on this system (an unpaired surrogate cannot be
// encoded) is retried with its irregular characters replaced by spaces, and
// the caller's text shows the name that was used.
TEST(WriterSkeleton, WidePathRetriesWithSanitisedFileName)
{
    TempDir dir;
    std::u16string folder = std::filesystem::path(dir.path()).u16string();
    std::u16string path = folder + u"/what?\xD800 été 文.pdf";
    {
        PdfWriter writer(path.data(), "Colligo");
        ASSERT_TRUE(writer.isOk());
        writer.finish();
    }
    EXPECT_EQ(path, folder + u"/what   été 文.pdf");
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(path)));

    // The folder part is never changed.
    std::u16string good = folder + u"/plain name.pdf";
    PdfWriter writer(good.data(), "SplitPDF");
    EXPECT_TRUE(writer.isOk());
    EXPECT_EQ(good, folder + u"/plain name.pdf");
    writer.finish();
}

TEST(WriterSkeleton, DestroyWithoutFinishClosesTheFile)
{
    TempDir dir;
    std::size_t before = openDescriptors();
    {
        PdfWriter writer(dir.file("unfinished.pdf").c_str(), "Colligo");
        EXPECT_EQ(openDescriptors(), before + 1);
    }
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_EQ(readFile(dir.file("unfinished.pdf")), "%PDF-1.5\n");
}

} // namespace
