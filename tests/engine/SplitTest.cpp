// Splitting by page ranges through the public exports.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "ProgressRecorder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

class SplitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetProgress();
        writeTextDocument(in("five.pdf"), 5, "Five");
    }
    std::string in(const std::string &name) const { return dir.file(name); }
    std::vector<SourcePage> pagesOfFive(std::initializer_list<int> pages) const
    {
        std::vector<SourcePage> expected;
        for (int page : pages)
            expected.push_back({ in("five.pdf"), page });
        return expected;
    }

    TempDir dir;
};

TEST_F(SplitTest, SelectionAndRest)
{
    EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), "2,4", in("part.pdf").c_str(), 1, recordProgress), 1);
    EXPECT_EQ(progressCalls, (std::vector<Call> { { 1, 2, 2, 1 }, { 1, 2, 4, 2 }, { 1, 5, 1, 1 }, { 1, 5, 2, 3 }, { 1, 5, 3, 5 } }));
    expectPagesMatch(in("part.pdf"), pagesOfFive({ 2, 4 }));
    expectPagesMatch(in("part-2.PDF"), pagesOfFive({ 1, 3, 5 }));
}

TEST_F(SplitTest, SelectionWalkStopsBeyondTheLastPage)
{
    const std::tuple<const char *, std::vector<int>, std::vector<int>> cases[] = {
        { "1,9,2", { 1 }, { 3, 4, 5 } },
        { "3,3", { 3, 3 }, { 1, 2, 4, 5 } },
        { "5-1", { 5, 4, 3, 2, 1 }, {} },
    };
    for (const auto &[expression, selected, rest] : cases) {
        SCOPED_TRACE(expression);
        EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), expression, in("out.pdf").c_str(), 1, nullptr), 1);
        std::vector<SourcePage> expectedSelection, expectedRest;
        for (int page : selected)
            expectedSelection.push_back({ in("five.pdf"), page });
        for (int page : rest)
            expectedRest.push_back({ in("five.pdf"), page });
        expectPagesMatch(in("out.pdf"), expectedSelection);
        if (rest.empty())
            EXPECT_TRUE(qpdfCheckPasses(in("out-2.PDF"))); // a complete file without pages
        else
            expectPagesMatch(in("out-2.PDF"), expectedRest);
    }
}

TEST_F(SplitTest, AStopKeepsTheAnnouncedPageAndTheRestPassStillRuns)
{
    stopProgressAt = 1;
    EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), "2-4", in("stop.pdf").c_str(), 0, recordProgress), 0);
    expectPagesMatch(in("stop.pdf"), pagesOfFive({ 2 }));

    progressCalls.clear();
    EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), "2-4", in("stop.pdf").c_str(), 1, recordProgress), 1);
    EXPECT_EQ(progressCalls.size(), 3u); // one selection call, then the two rest pages
    expectPagesMatch(in("stop-2.PDF"), pagesOfFive({ 1, 5 }));
}

TEST_F(SplitTest, RestFileNames)
{
    fs::path cwd = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(SplitPDF("five.pdf", "1", "a.pdf", 1, nullptr), 1);
    EXPECT_TRUE(fs::exists("a-2.PDF"));
    EXPECT_EQ(SplitPDF("five.pdf", "1", "ab", 1, nullptr), 1);
    EXPECT_TRUE(fs::exists("-2.PDF"));
    fs::current_path(cwd);

    std::u16string source = fs::path(in("five.pdf")).u16string();
    std::u16string output = fs::path(dir.file("Teil ✓.pdf")).u16string();
    EXPECT_EQ(SplitPDFW(source.c_str(), "4", output.data(), 1, nullptr), 1);
    expectPagesMatch(dir.file("Teil ✓.pdf"), pagesOfFive({ 4 }));
    expectPagesMatch(dir.file("Teil ✓-2.PDF"), pagesOfFive({ 1, 2, 3, 5 }));
}

TEST_F(SplitTest, RefusalsAndUnusableSources)
{
    encryptWithQpdf(in("five.pdf"), in("no-change.pdf"), "", "owner", "--modify=none");
    std::string out = in("out.pdf");
    // Preconditions: nothing is created.
    EXPECT_EQ(SplitPDF(nullptr, "1", out.c_str(), 0, recordProgress), 0);
    EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), "", out.c_str(), 0, recordProgress), 0);
    EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), nullptr, out.c_str(), 0, recordProgress), 0);
    EXPECT_EQ(SplitPDF(in("missing.pdf").c_str(), "1", out.c_str(), 0, recordProgress), 0);
    EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), "1", nullptr, 0, recordProgress), 0);
    EXPECT_FALSE(fs::exists(out));

    // An unusable source leaves the output holding only its header line.
    EXPECT_EQ(SplitPDF(in("no-change.pdf").c_str(), "1", out.c_str(), 0, recordProgress), 0);
    EXPECT_EQ(readFile(out), "%PDF-1.5\n");
    std::u16string missing = fs::path(in("missing.pdf")).u16string();
    std::u16string wideOut = fs::path(dir.file("wide.pdf")).u16string();
    EXPECT_EQ(SplitPDFW(missing.c_str(), "1", wideOut.data(), 0, recordProgress), 0);
    EXPECT_EQ(readFile(dir.file("wide.pdf")), "%PDF-1.5\n");
    EXPECT_TRUE(progressCalls.empty());
}

// Writing over the source would destroy it: refused before anything is written.
TEST_F(SplitTest, NoOutputMayBeTheSource)
{
    std::string before = readFile(in("five.pdf"));
    EXPECT_EQ(SplitPDF(in("five.pdf").c_str(), "1", (dir.path() + "/./five.pdf").c_str(), 0, nullptr), 0);
    fs::copy_file(in("five.pdf"), in("x.pdf"));
    fs::rename(in("five.pdf"), in("x-2.PDF"));
    EXPECT_EQ(SplitPDF(in("x-2.PDF").c_str(), "1", in("x.pdf").c_str(), 1, nullptr), 0); // the rest file would be the source
    EXPECT_EQ(readFile(in("x-2.PDF")), before);
}

} // namespace
