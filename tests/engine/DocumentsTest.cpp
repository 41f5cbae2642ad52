// Opening, measuring and closing documents through the public exports.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_support;

namespace {

class DocumentsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new TempDir;
        writeTextDocument(path("plain.pdf"), 3);
        writeFile(path("not-a-pdf.pdf"), "This is a plain text file, not a PDF.\n");
        encryptWithQpdf(path("plain.pdf"), path("user-password.pdf"), "user", "owner");
        encryptWithQpdf(path("plain.pdf"), path("open-anyone.pdf"), "", "owner");
        encryptWithQpdf(path("plain.pdf"), path("no-print.pdf"), "", "owner", "--print=none");
        encryptWithQpdf(path("plain.pdf"), path("no-copy.pdf"), "", "owner", "--extract=n");
        encryptWithQpdf(path("plain.pdf"), path("no-change.pdf"), "", "owner", "--modify=none");
        std::filesystem::copy_file(path("plain.pdf"), path("Ünïcödé ✓ 文件.pdf"));
    }
    static void TearDownTestSuite() { delete folder; }
    static std::string path(const std::string &name) { return folder->file(name); }

    static TempDir *folder;
};

TempDir *DocumentsTest::folder = nullptr;

struct OpenCase
{
    const char *file;
    const char *password;
    DocumentHandle expected; // 1 stands for "a handle"
};

TEST_F(DocumentsTest, OpenResultsFollowPasswordsAndPermissions)
{
    const OpenCase cases[] = {
        { "plain.pdf", nullptr, 1 },
        { "plain.pdf", "ignored", 1 },
        { "missing.pdf", nullptr, COLLIGO_UNREADABLE },
        { "not-a-pdf.pdf", nullptr, COLLIGO_UNREADABLE },
        { "user-password.pdf", nullptr, COLLIGO_NEEDS_PASSWORD },
        { "user-password.pdf", "wrong", COLLIGO_NEEDS_PASSWORD },
        { "user-password.pdf", "owner", 1 },
        { "open-anyone.pdf", nullptr, 1 },
        { "no-print.pdf", nullptr, COLLIGO_RESTRICTED },
        { "no-copy.pdf", nullptr, COLLIGO_RESTRICTED },
        { "no-change.pdf", nullptr, COLLIGO_RESTRICTED },
        { "no-print.pdf", "owner", 1 },
        { "no-change.pdf", "owner", 1 },
    };
    for (const OpenCase &c : cases) {
        SCOPED_TRACE(std::string(c.file) + " / " + (c.password ? c.password : "(no password)"));
        DocumentHandle handle = OpenPDF(path(c.file).c_str(), c.password);
        if (c.expected == 1) {
            ASSERT_GT(handle, 0);
            EXPECT_EQ(GetPageCount(handle), 3);
            EXPECT_EQ(ClosePDF(handle), 0);
        } else {
            EXPECT_EQ(handle, c.expected);
        }
    }
}

TEST_F(DocumentsTest, EmptyAndNullPathsAndHandleZeroAreRefused)
{
    EXPECT_EQ(OpenPDF(nullptr, nullptr), COLLIGO_UNREADABLE);
    EXPECT_EQ(OpenPDF("", nullptr), COLLIGO_UNREADABLE);
    EXPECT_EQ(OpenPDFW(nullptr, nullptr), COLLIGO_UNREADABLE);
    EXPECT_EQ(OpenPDFW(u"", nullptr), COLLIGO_UNREADABLE);
    EXPECT_EQ(GetPageCount(0), -1);
    EXPECT_EQ(ClosePDF(0), -1);
}

TEST_F(DocumentsTest, WidePathWithCharactersOutsideAsciiOpens)
{
    std::u16string wide = std::filesystem::path(path("Ünïcödé ✓ 文件.pdf")).u16string();
    DocumentHandle handle = OpenPDFW(wide.c_str(), nullptr);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(GetPageCount(handle), 3);
    EXPECT_EQ(ClosePDF(handle), 0);

    std::u16string unpaired = std::filesystem::path(folder->path()).u16string() + u"/\xD800.pdf";
    EXPECT_EQ(OpenPDFW(unpaired.c_str(), nullptr), COLLIGO_UNREADABLE);
}

// Each open has its own document; an open document holds no descriptor (its
// bytes are read at once), and a failed open leaves none behind.
TEST_F(DocumentsTest, HandlesAreIndependentAndFailuresLeaveNothingOpen)
{
    auto openDescriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator {});
    };
    auto before = openDescriptors();
    for (const char *file : { "missing.pdf", "not-a-pdf.pdf", "user-password.pdf", "no-print.pdf" })
        EXPECT_LT(OpenPDF(path(file).c_str(), nullptr), 0);
    EXPECT_EQ(openDescriptors(), before);

    DocumentHandle first = OpenPDF(path("plain.pdf").c_str(), nullptr);
    DocumentHandle second = OpenPDF(path("plain.pdf").c_str(), nullptr);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_EQ(ClosePDF(first), 0);
    EXPECT_EQ(GetPageCount(second), 3);
    EXPECT_EQ(ClosePDF(second), 0);
    EXPECT_EQ(openDescriptors(), before);
}

} // namespace
