// Merging through the public exports: the merge list, the callback, the stop
// rule and the outcome of every kind of run, each output judged by qpdf and
// by the text of its pages.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "ProgressRecorder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

class MergeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearList();
        resetProgress();
        writeTextDocument(in("A.pdf"), 3, "Alpha");
        writeTextDocument(in("B.pdf"), 1, "Beta");
        writeTextDocument(in("C.pdf"), 2, "Gamma");
    }
    void TearDown() override { ClearList(); }

    std::string in(const std::string &name) const { return dir.file(name); }
    std::string out() const { return dir.file("merged.pdf"); }
    bool add(const std::string &name, const char *expression) { return AddFile(in(name).c_str(), expression, 0) == 1; }

    TempDir dir;
};

TEST_F(MergeTest, FilesAndExpressionsInListOrder)
{
    ASSERT_TRUE(add("A.pdf", "1-2"));
    ASSERT_TRUE(add("B.pdf", "1"));
    ASSERT_TRUE(add("C.pdf", "2-1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, recordProgress), 1);
    EXPECT_EQ(progressCalls, (std::vector<Call> { { 1, 2, 1, 1 }, { 1, 2, 2, 2 }, { 1, 1, 1, 1 }, { 1, 2, 2, 1 }, { 1, 2, 1, 2 } }));
    expectPagesMatch(out(), { { in("A.pdf"), 1 }, { in("A.pdf"), 2 }, { in("B.pdf"), 1 }, { in("C.pdf"), 2 }, { in("C.pdf"), 1 } });

    // The list was emptied: a second merge has fewer than two entries.
    EXPECT_EQ(Colligo(dir.file("again.pdf").c_str(), 0, nullptr), 0);
    EXPECT_FALSE(fs::exists(dir.file("again.pdf")));
}

TEST_F(MergeTest, FewerThanTwoEntriesTouchNothingAndKeepTheList)
{
    ASSERT_TRUE(add("A.pdf", "1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 0);
    EXPECT_FALSE(fs::exists(out()));
    ASSERT_TRUE(add("B.pdf", "1"));
    EXPECT_EQ(Colligo(nullptr, 0, nullptr), 0);
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1); // the first entry was still listed
    expectPagesMatch(out(), { { in("A.pdf"), 1 }, { in("B.pdf"), 1 } });
}

TEST_F(MergeTest, APageBeyondTheEndEndsThatFilesWalk)
{
    ASSERT_TRUE(add("A.pdf", "1,5,2"));
    ASSERT_TRUE(add("B.pdf", "0,1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, recordProgress), 1);
    // Page 0 is announced but writes nothing; page 5 ends A's walk silently.
    EXPECT_EQ(progressCalls, (std::vector<Call> { { 1, 3, 1, 1 }, { 1, 2, 0, 1 }, { 1, 2, 1, 2 } }));
    expectPagesMatch(out(), { { in("A.pdf"), 1 }, { in("B.pdf"), 1 } });
}

TEST_F(MergeTest, AStopKeepsTheAnnouncedPageAndCompletesTheFile)
{
    ASSERT_TRUE(add("A.pdf", "1-3"));
    ASSERT_TRUE(add("B.pdf", "1"));
    for (std::size_t stop : { 1u, 2u, 4u }) {
        SCOPED_TRACE(stop);
        if (stop != 1) {
            ASSERT_TRUE(add("A.pdf", "1-3"));
            ASSERT_TRUE(add("B.pdf", "1"));
        }
        progressCalls.clear();
        stopProgressAt = stop;
        EXPECT_EQ(Colligo(out().c_str(), 0, recordProgress), 0);
        EXPECT_EQ(progressCalls.size(), stop);
        std::vector<SourcePage> expected;
        for (std::size_t i = 1; i <= stop; ++i)
            expected.push_back(i <= 3 ? SourcePage { in("A.pdf"), static_cast<int>(i) } : SourcePage { in("B.pdf"), 1 });
        expectPagesMatch(out(), expected);
        EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 0); // emptied
    }
}

TEST_F(MergeTest, NullCallbackCopiesEverything)
{
    ASSERT_TRUE(add("C.pdf", "1-2"));
    ASSERT_TRUE(add("C.pdf", "2,2"));
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    expectPagesMatch(out(), { { in("C.pdf"), 1 }, { in("C.pdf"), 2 }, { in("C.pdf"), 2 }, { in("C.pdf"), 2 } });
    // Both listings are the same file: its font is copied once.
    std::string bytes = readFile(out());
    std::size_t fonts = 0;
    for (std::size_t at = bytes.find("/BaseFont"); at != std::string::npos; at = bytes.find("/BaseFont", at + 1))
        ++fonts;
    EXPECT_EQ(fonts, 1u);
}

TEST_F(MergeTest, AFileThatNoLongerOpensEndsTheMerge)
{
    ASSERT_TRUE(add("A.pdf", "1"));
    ASSERT_TRUE(add("B.pdf", "1"));
    ASSERT_TRUE(add("C.pdf", "1"));
    fs::remove(in("B.pdf"));
    EXPECT_EQ(Colligo(out().c_str(), 0, recordProgress), 0);
    EXPECT_EQ(progressCalls.size(), 1u);
    expectPagesMatch(out(), { { in("A.pdf"), 1 } });
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 0); // emptied
}

TEST_F(MergeTest, AnOutputThatCannotBeCreatedEmptiesTheList)
{
    ASSERT_TRUE(add("A.pdf", "1"));
    ASSERT_TRUE(add("B.pdf", "1"));
    EXPECT_EQ(Colligo(dir.file("no/such/folder.pdf").c_str(), 0, recordProgress), 0);
    EXPECT_TRUE(progressCalls.empty());
    ASSERT_TRUE(add("A.pdf", "1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 0); // only one entry now
}

// Writing over a listed file would destroy it before it is read: refused
// before anything is created, however the path is spelled.
TEST_F(MergeTest, AnOutputNamingAListedFileIsRefused)
{
    std::string before = readFile(in("B.pdf"));
    fs::create_symlink(in("B.pdf"), in("link-to-B.pdf"));
    for (const std::string &output : { in("B.pdf"), dir.path() + "/./sub/../B.pdf", in("link-to-B.pdf") }) {
        SCOPED_TRACE(output);
        fs::create_directories(dir.file("sub"));
        ASSERT_TRUE(add("A.pdf", "1"));
        ASSERT_TRUE(add("B.pdf", "1"));
        EXPECT_EQ(Colligo(output.c_str(), 0, recordProgress), 0);
        EXPECT_EQ(readFile(in("B.pdf")), before);
        EXPECT_TRUE(progressCalls.empty());
        EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 0); // the list was emptied
    }
}

// A file is listed when OpenPDF would accept it without a password, and a
// refusal tells why.
TEST_F(MergeTest, AddingRefusesWhatTheMergeCouldNotOpen)
{
    encryptWithQpdf(in("A.pdf"), in("locked.pdf"), "user", "owner");
    encryptWithQpdf(in("A.pdf"), in("no-print.pdf"), "", "owner", "--print=none");
    writeFile(in("text.pdf"), "not a PDF");
    const struct
    {
        const char *path;
        int failure;
    } refusals[] = {
        { nullptr, COLLIGO_FAILURE_ARGUMENTS },
        { "", COLLIGO_FAILURE_ARGUMENTS },
        { "missing.pdf", COLLIGO_FAILURE_SOURCE_UNREADABLE },
        { "text.pdf", COLLIGO_FAILURE_SOURCE_UNREADABLE },
        { "locked.pdf", COLLIGO_FAILURE_SOURCE_ENCRYPTED },
        { "no-print.pdf", COLLIGO_FAILURE_SOURCE_RESTRICTED },
    };
    for (const auto &refusal : refusals) {
        std::string path = refusal.path && *refusal.path ? in(refusal.path) : std::string();
        SCOPED_TRACE(refusal.path ? refusal.path : "(null)");
        EXPECT_EQ(AddFile(refusal.path ? path.c_str() : nullptr, "1", 0), 0);
        char reason[512];
        EXPECT_EQ(GetLastFailure(reason, sizeof reason), refusal.failure);
        if (refusal.path && *refusal.path) {
            EXPECT_NE(std::string(reason).find(path), std::string::npos) << reason;
        }
    }
    EXPECT_EQ(ClearList(), 1);
    EXPECT_EQ(ClearList(), 1);

    // A null expression is listed as empty: the file contributes no page.
    ASSERT_EQ(AddFile(in("A.pdf").c_str(), nullptr, 0), 1);
    EXPECT_EQ(GetLastFailure(nullptr, 0), COLLIGO_FAILURE_NONE);
    ASSERT_TRUE(add("B.pdf", "1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    expectPagesMatch(out(), { { in("B.pdf"), 1 } });
}

// Encryption alone is no reason to refuse: every file that opens without a
// password merges, written decrypted, whatever the cipher and revision.
TEST_F(MergeTest, EncryptedFilesThatOpenWithoutAPasswordMerge)
{
    const struct
    {
        const char *name;
        int bits;
        const char *extra;
    } ciphers[] = { { "rc4-40-r2.pdf", 40, "" },          { "rc4-128-r3.pdf", 128, "--use-aes=n" }, { "aes-128-r4.pdf", 128, "--use-aes=y" },
                    { "aes-256-r5.pdf", 256, "--force-R5" }, { "aes-256-r6.pdf", 256, "" } };
    for (const auto &cipher : ciphers) {
        SCOPED_TRACE(cipher.name);
        encryptWithQpdf(in("A.pdf"), in(cipher.name), "", "owner", cipher.extra, cipher.bits);
        ASSERT_EQ(AddFile(in(cipher.name).c_str(), "3,1", 0), 1);
        ASSERT_TRUE(add("B.pdf", "1"));
        EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
        EXPECT_EQ(readFile(out()).find("/Encrypt"), std::string::npos);
        expectPagesMatch(out(), { { in("A.pdf"), 3 }, { in("A.pdf"), 1 }, { in("B.pdf"), 1 } });
    }
}

TEST_F(MergeTest, WideListAndPaths)
{
    fs::copy_file(in("A.pdf"), in("Ünïcödé 文件.pdf"));
    std::u16string a = fs::path(in("Ünïcödé 文件.pdf")).u16string();
    std::u16string b = fs::path(in("B.pdf")).u16string();
    std::u16string output = fs::path(dir.file("merged ✓.pdf")).u16string();
    ASSERT_EQ(AddFileW(a.c_str(), "3,1", 0), 1);
    ASSERT_EQ(AddFileW(b.c_str(), "1", 0), 1);
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 0); // the narrow list is empty
    EXPECT_EQ(ColligoW(output.data(), 0, nullptr), 1);
    expectPagesMatch(dir.file("merged ✓.pdf"), { { in("A.pdf"), 3 }, { in("A.pdf"), 1 }, { in("B.pdf"), 1 } });

    // Paths of any length: a folder chain far beyond 260 units.
    std::u16string deep = fs::path(dir.path()).u16string();
    for (int i = 0; i < 6; ++i) {
        deep += u"/" + std::u16string(60, static_cast<char16_t>(u'a' + i));
        fs::create_directory(fs::path(deep));
    }
    fs::copy_file(in("B.pdf"), fs::path(deep + u"/B.pdf"));
    std::u16string longPath = deep + u"/B.pdf";
    ASSERT_GT(longPath.size(), 300u);
    ASSERT_EQ(AddFileW(longPath.c_str(), "1", 0), 1);
    ASSERT_EQ(AddFileW(a.c_str(), "2", 0), 1);
    EXPECT_EQ(ColligoW(output.data(), 0, nullptr), 1);
    expectPagesMatch(dir.file("merged ✓.pdf"), { { in("B.pdf"), 1 }, { in("A.pdf"), 2 } });
    EXPECT_EQ(AddFileW(nullptr, "1", 0), 0);
}

// AddFile keeps the file it checked for the merge; a file changed on disk
// since (replaced by another file, or rewritten with another length) is read
// again: its new pages are merged, or the merge fails as for a file that no
// longer opens.
TEST_F(MergeTest, AFileChangedAfterListingIsReadAgain)
{
    struct Case
    {
        const char *name;
        std::function<void(const std::string &)> change;
        const char *newLabel; // the text of the new pages; null when the file no longer opens
    };
    const std::vector<Case> cases {
        { "replaced by another document", [&](const std::string &path) {
             writeTextDocument(in("new.pdf"), 2, "Delta");
             fs::rename(in("new.pdf"), path);
         }, "Delta" },
        { "rewritten in place, longer", [&](const std::string &path) { writeTextDocument(path, 2, "Delta and more"); }, "Delta and more" },
        { "rewritten in place as damage", [&](const std::string &path) { writeFile(path, "%PDF-1.4\nnot a document\n"); }, nullptr },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeTextDocument(in("B.pdf"), 1, "Beta");
        resetProgress();
        ASSERT_TRUE(add("A.pdf", "1"));
        ASSERT_TRUE(add("B.pdf", "1-2"));
        c.change(in("B.pdf"));
        EXPECT_EQ(Colligo(out().c_str(), 0, recordProgress), c.newLabel ? 1 : 0);
        if (c.newLabel) {
            writeTextDocument(in("expected.pdf"), 2, c.newLabel);
            expectPagesMatch(out(), { { in("A.pdf"), 1 }, { in("expected.pdf"), 1 }, { in("expected.pdf"), 2 } });
        } else {
            EXPECT_EQ(GetLastFailure(nullptr, 0), COLLIGO_FAILURE_SOURCE_UNREADABLE);
            EXPECT_EQ(progressCalls.size(), 1u);
            expectPagesMatch(out(), { { in("A.pdf"), 1 } });
        }
        // What the list learnt went with it: listing the changed file checks it again.
        EXPECT_EQ(add("B.pdf", "1"), c.newLabel != nullptr);
        ClearList();
    }
}

// The page count for "every page" comes from the list's own check: the same
// rules as AddFile, and listing the file afterwards reads nothing again. More
// files than the list keeps open still merge, each from its own pages.
TEST_F(MergeTest, CountingPagesChecksAsAddFileDoes)
{
    EXPECT_EQ(GetFilePageCount(in("A.pdf").c_str()), 3);
    EXPECT_EQ(GetFilePageCount(in("missing.pdf").c_str()), 0);
    EXPECT_EQ(GetLastFailure(nullptr, 0), COLLIGO_FAILURE_SOURCE_UNREADABLE);
    EXPECT_EQ(GetFilePageCount(nullptr), 0);
    EXPECT_EQ(GetLastFailure(nullptr, 0), COLLIGO_FAILURE_ARGUMENTS);
    std::u16string wide = fs::path(in("C.pdf")).u16string();
    EXPECT_EQ(GetFilePageCountW(wide.c_str()), 2);

    std::vector<SourcePage> expected;
    for (int i = 0; i < 20; ++i) {
        std::string name = "many" + std::to_string(i) + ".pdf";
        writeTextDocument(in(name), 1 + i % 3, "Many " + std::to_string(i));
        int pages = GetFilePageCount(in(name).c_str());
        ASSERT_EQ(pages, 1 + i % 3);
        ASSERT_TRUE(add(name, ("1-" + std::to_string(pages)).c_str()));
        for (int page = 1; page <= pages; ++page)
            expected.push_back({ in(name), page });
    }
    ASSERT_TRUE(add("many0.pdf", "1")); // the earliest file again, long closed
    expected.push_back({ in("many0.pdf"), 1 });
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    expectPagesMatch(out(), expected);
}

// A huge range ends at the file's last page and reports its full size.
TEST_F(MergeTest, HugeRangesStopAtTheLastPage)
{
    ASSERT_TRUE(add("A.pdf", "2-2000000000"));
    ASSERT_TRUE(add("B.pdf", "1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, recordProgress), 1);
    EXPECT_EQ(progressCalls.front(), Call(1, 1999999999, 2, 1));
    EXPECT_EQ(progressCalls.size(), 3u);
    expectPagesMatch(out(), { { in("A.pdf"), 2 }, { in("A.pdf"), 3 }, { in("B.pdf"), 1 } });
}

TEST_F(MergeTest, EveryMergeCreatesTheResourceFolders)
{
    fs::path data = fs::path(dir.path()) / "data";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    ASSERT_TRUE(add("A.pdf", "1"));
    ASSERT_TRUE(add("B.pdf", "1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    EXPECT_TRUE(fs::is_directory(data / "Ostrel" / "RC"));
    EXPECT_EQ(std::distance(fs::directory_iterator(data), fs::directory_iterator {}), 1);
    fs::remove_all(data / "Ostrel");
    ASSERT_TRUE(add("A.pdf", "1"));
    ASSERT_TRUE(add("B.pdf", "1"));
    EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    EXPECT_TRUE(fs::is_directory(data / "Ostrel" / "RC"));
    unsetenv("XDG_DATA_HOME");
}

} // namespace

namespace {

// Real manuals whose pages share document-wide resources (a ConTeXt manual,
// a PGF/beamer guide): merged whole, the output stays about the size of the
// sources; interleaved one page per listing, it stays the size of the
// sequential merge of the same pages.
TEST(MergeSharing, RealDocumentsStayTheirSize)
{
    TempDir dir;
    const std::string context = "/usr/share/doc/texlive-doc/luatex/base/luatex.pdf";
    const std::string pgf = "/usr/share/doc/texlive-doc/latex/beamer/beameruserguide.pdf";
    ASSERT_TRUE(std::filesystem::exists(context) && std::filesystem::exists(pgf)) << "installed by scripts/install-deps.sh";
    auto mergeInto = [&](const std::string &output, const std::vector<std::pair<std::string, std::string>> &entries) {
        ClearList();
        for (const auto &[file, range] : entries)
            EXPECT_EQ(AddFile(file.c_str(), range.c_str(), 0), 1);
        EXPECT_EQ(Colligo(output.c_str(), 0, nullptr), 1);
        return std::filesystem::file_size(output);
    };

    std::string whole = dir.file("whole.pdf");
    auto size = mergeInto(whole, { { context, "1-999" }, { context, "1-999" } });
    EXPECT_LT(size, std::filesystem::file_size(context) * 103 / 100); // the second listing shares everything
    std::vector<SourcePage> pages;
    for (int listing = 0; listing < 2; ++listing)
        for (int page = 1; page <= qpdfPageCount(context); ++page)
            pages.push_back({ context, page });
    expectPagesMatch(whole, pages);

    std::vector<std::pair<std::string, std::string>> interleaved, sequential { { context, "1-30" }, { pgf, "1-30" } };
    for (int page = 1; page <= 30; ++page) {
        interleaved.emplace_back(context, std::to_string(page));
        interleaved.emplace_back(pgf, std::to_string(page));
    }
    auto interleavedSize = mergeInto(dir.file("interleaved.pdf"), interleaved);
    auto sequentialSize = mergeInto(dir.file("sequential.pdf"), sequential);
    EXPECT_LT(interleavedSize, sequentialSize * 102 / 100);
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(dir.file("interleaved.pdf"), &report)) << report;
}

} // namespace
