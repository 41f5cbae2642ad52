// Outline listing and splitting at outline entries, on exact fixtures with
// every kind of item and on a real manual with a deep outline.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "ProgressRecorder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// An outline item as a test states it: the title as a PDF string token, and the
// item's destination entries with "@N" standing for page N's reference.
struct Item
{
    std::string title;
    std::string target;
    std::vector<Item> kids = {};
};

// A document of `pageCount` text pages with an outline of `items`. `catalogExtra`
// and named destinations may refer to pages with "@N" too.
void writeOutlineDocument(const std::string &path, int pageCount, const std::vector<Item> &items, const std::string &catalogExtra = "",
                          const std::map<std::string, int> &nameTreeDestinations = {})
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pagesNode = pdf.reserve();
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::vector<int> pages;
    std::string kids;
    for (int k = 1; k <= pageCount; ++k) {
        int contents = pdf.addStream("", "BT /F1 24 Tf 72 700 Td (Outline page " + std::to_string(k) + ") Tj ET");
        pages.push_back(pdf.add("<< /Type /Page /Parent 2 0 R /Resources << /Font << /F1 " + std::to_string(font) + " 0 R >> >> /Contents " +
                                std::to_string(contents) + " 0 R >>"));
        kids += std::to_string(pages.back()) + " 0 R ";
    }
    auto resolvePages = [&](std::string text) {
        for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@')) {
            std::size_t end = at + 1;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
                ++end;
            int page = std::stoi(text.substr(at + 1, end - at - 1));
            text.replace(at, end - at, std::to_string(pages[static_cast<std::size_t>(page) - 1]) + " 0 R");
        }
        return text;
    };

    int outlines = pdf.reserve();
    std::function<std::pair<int, int>(const std::vector<Item> &, int)> addList = [&](const std::vector<Item> &list, int parent) {
        std::vector<int> numbers;
        for (std::size_t i = 0; i < list.size(); ++i)
            numbers.push_back(pdf.reserve());
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::string body = "<< /Title " + list[i].title + " /Parent " + std::to_string(parent) + " 0 R " + resolvePages(list[i].target);
            if (i > 0)
                body += " /Prev " + std::to_string(numbers[i - 1]) + " 0 R";
            if (i + 1 < list.size())
                body += " /Next " + std::to_string(numbers[i + 1]) + " 0 R";
            if (!list[i].kids.empty()) {
                auto [first, last] = addList(list[i].kids, numbers[i]);
                body += " /First " + std::to_string(first) + " 0 R /Last " + std::to_string(last) + " 0 R /Count -" +
                        std::to_string(list[i].kids.size()); // closed: the walk must open it anyway
            }
            pdf.add(body + " >>", numbers[i]);
        }
        return std::make_pair(numbers.front(), numbers.back());
    };
    auto [first, last] = addList(items, outlines);
    pdf.add("<< /Type /Outlines /First " + std::to_string(first) + " 0 R /Last " + std::to_string(last) + " 0 R /Count " +
                std::to_string(items.size()) + " >>",
            outlines);

    std::string names;
    if (!nameTreeDestinations.empty()) {
        std::string pairs;
        for (const auto &[name, page] : nameTreeDestinations)
            pairs += "(" + name + ") [@" + std::to_string(page) + " /Fit] ";
        names = " /Names << /Dests << /Names [" + resolvePages(pairs) + "] >> >>";
    }
    pdf.add("<< /Type /Pages /MediaBox [0 0 612 792] /Count " + std::to_string(pageCount) + " /Kids [" + kids + "] >>", pagesNode);
    pdf.add("<< /Type /Catalog /Pages 2 0 R /Outlines " + std::to_string(outlines) + " 0 R" + names + " " + resolvePages(catalogExtra) + " >>",
            catalog);
    pdf.save(path, catalog);
}

std::string at(int page)
{
    return "/Dest [@" + std::to_string(page) + " /XYZ null null null]";
}

// The host's tree: each inserted item records its parent's index and title.
struct TreeRecorder
{
    struct Node
    {
        int parent; // -1 for the root
        std::string title;
        int image, selectedImage;
    };
    std::vector<Node> nodes;

    static void *insert(void *context, void *parentItem, const char *title, int image, int selectedImage)
    {
        auto *tree = static_cast<TreeRecorder *>(context);
        int parent = parentItem ? static_cast<int>(reinterpret_cast<intptr_t>(parentItem)) - 1 : -1;
        tree->nodes.push_back({ parent, title, image, selectedImage });
        return reinterpret_cast<void *>(static_cast<intptr_t>(tree->nodes.size())); // index + 1, never null
    }
    OutlineTreeSink sink() { return { this, &TreeRecorder::insert }; }
};


class OutlineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetProgress();
        fs::create_directories(dir.file("out"));
    }
    std::string in(const std::string &name) const { return dir.file(name); }
    std::string out(const std::string &name = "") const { return dir.file("out/" + name); }
    std::string folder() const { return dir.file("out"); } // no trailing separator
    std::vector<std::string> written() const
    {
        std::vector<std::string> names;
        for (const auto &file : fs::directory_iterator(out()))
            names.push_back(file.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<SourcePage> pages(const std::string &source, int first, int last) const
    {
        std::vector<SourcePage> list;
        for (int p = first; p <= last; ++p)
            list.push_back({ source, p });
        return list;
    }

    TempDir dir;
};

TEST_F(OutlineTest, ListingWalksItemsInOrderIntoTheTree)
{
    // Named destinations in the name tree and in the catalogue's /Dests, explicit
    // destinations, a go-to action, and items that are skipped with their children.
    writeOutlineDocument(in("doc.pdf"), 9,
                         { { "(Intro)", at(1), { { "(Scope)", "/Dest (scope)" }, { "(Terms)", "/Dest /terms", { { "(Deep)", at(3) } } } } },
                           { "(No action)", "", { { "(Hidden child)", at(2) } } },
                           { "(Website)", "/A << /S /URI /URI (https://example.org) >>" },
                           { "(Launch)", "/A << /S /Launch /F (x.pdf) >>" },
                           { "<FEFF00DC00620065007200730069006300680074>", "/A << /S /GoTo /D [@5 /Fit] >>" },
                           { "(Caf\\351)", "/Dest (nowhere)" } },
                         "/Dests << /terms [@3 /Fit] >>", { { "scope", 2 } });
    DocumentHandle document = OpenPDF(in("doc.pdf").c_str(), nullptr);
    ASSERT_GT(document, 0);
    TreeRecorder tree;
    OutlineTreeSink sink = tree.sink();
    EXPECT_EQ(GetOutline(document, &sink, 0), 4);
    const std::vector<std::pair<int, std::string>> expected = {
        { -1, "Intro" }, { 0, "Scope" }, { 0, "Terms" }, { 2, "Deep" }, { -1, "Übersicht" }, { -1, "Café" },
    };
    ASSERT_EQ(tree.nodes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(tree.nodes[i].parent, expected[i].first) << i;
        EXPECT_EQ(tree.nodes[i].title, expected[i].second) << i;
        EXPECT_EQ(tree.nodes[i].image, 0);
        EXPECT_EQ(tree.nodes[i].selectedImage, 1);
    }
    const int expectedPages[] = { 1, 2, 3, 3, 5, 0 }; // "Café" names an undefined destination
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(GetOutlineEntryPage(document, i), expectedPages[i]) << i;
    EXPECT_EQ(GetOutlineEntryPage(document, 6), -1);
    EXPECT_EQ(GetOutlineEntryPage(0, 0), -1);

    // A second call adds a second copy; without a sink nothing is inserted.
    EXPECT_EQ(GetOutline(document, &sink, 0), 4);
    EXPECT_EQ(tree.nodes.size(), 2 * expected.size());
    EXPECT_EQ(GetOutline(document, nullptr, 0), 4);
    ClosePDF(document);

    EXPECT_EQ(GetOutline(0, nullptr, 0), 0);
    EXPECT_EQ(GetOutline(-2, nullptr, 0), 0); // an open's error code is not a document

    writeTextDocument(in("plain.pdf"), 2);
    DocumentHandle plain = OpenPDF(in("plain.pdf").c_str(), nullptr);
    EXPECT_EQ(GetOutline(plain, &sink, 0), -3);
    ClosePDF(plain);
}

TEST_F(OutlineTest, TitlesLongerThanTheirFieldsAreCut)
{
    std::string longAscii(200, 'x');
    std::string wideHex = "<FEFF";
    for (int i = 0; i < 130; ++i)
        wideHex += "00E9"; // é: two bytes in UTF-8, one UTF-16 unit
    wideHex += ">";
    writeOutlineDocument(in("long.pdf"), 2, { { "(" + longAscii + ")", at(1) }, { wideHex, at(2) } });
    DocumentHandle document = OpenPDF(in("long.pdf").c_str(), nullptr);
    TreeRecorder tree;
    OutlineTreeSink sink = tree.sink();
    EXPECT_EQ(GetOutline(document, &sink, 0), 2);
    ClosePDF(document);
    ASSERT_EQ(tree.nodes.size(), 2u);
    EXPECT_EQ(tree.nodes[0].title, std::string(127, 'x'));
    std::string e63;
    for (int i = 0; i < 63; ++i)
        e63 += "é";
    EXPECT_EQ(tree.nodes[1].title, e63); // 126 bytes: the 64th "é" would split
}

TEST_F(OutlineTest, SplitAtTopLevelEntries)
{
    struct Case
    {
        int firstPage;
        bool trailingSeparator;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        { 1, false, { "A-B.PDF", "B-C.PDF", "C-end.PDF" } },
        { 3, false, { "A-B.PDF", "B-C.PDF", "C-end.PDF", "start-A.PDF" } },
        { 3, true, { "-A.PDF", "A-B.PDF", "B-C.PDF", "C-.PDF" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.firstPage) + (c.trailingSeparator ? " with /" : ""));
        fs::remove_all(out());
        fs::create_directories(out());
        writeOutlineDocument(in("abc.pdf"), 9, { { "(A)", at(c.firstPage) }, { "(B)", "/Dest (b)" }, { "(C)", at(7) } }, "", { { "b", 4 } });
        std::string folder = c.trailingSeparator ? out() : out().substr(0, out().size() - 1);
        progressCalls.clear();
        EXPECT_EQ(SplitWithOutline(in("abc.pdf").c_str(), folder.c_str(), 1, 0, recordProgress), 1);
        EXPECT_EQ(written(), c.files);
        std::string leading = c.trailingSeparator ? "-A.PDF" : "start-A.PDF";
        if (c.firstPage > 1)
            expectPagesMatch(out(leading), pages(in("abc.pdf"), 1, c.firstPage - 1));
        expectPagesMatch(out("A-B.PDF"), pages(in("abc.pdf"), c.firstPage, 3));
        expectPagesMatch(out("B-C.PDF"), pages(in("abc.pdf"), 4, 6));
        expectPagesMatch(out(c.trailingSeparator ? "C-.PDF" : "C-end.PDF"), pages(in("abc.pdf"), 7, 9));
        ASSERT_FALSE(progressCalls.empty());
        EXPECT_EQ(progressCalls.front(), Call(1, 9, 1, 1));
        EXPECT_EQ(progressCalls.back(), Call(1, 9, 9, 3));
    }
}

TEST_F(OutlineTest, LevelsAndSelection)
{
    writeOutlineDocument(in("flat.pdf"), 4, { { "(One)", at(1) }, { "(Two)", at(3) } });
    DocumentHandle document = OpenPDF(in("flat.pdf").c_str(), nullptr);
    EXPECT_EQ(GetOutline(document, nullptr, 0), 2);
    ClosePDF(document);
    EXPECT_EQ(SplitWithOutline(in("flat.pdf").c_str(), folder().c_str(), 2, 0, nullptr), 1); // selects nothing
    EXPECT_EQ(SplitWithOutline(in("flat.pdf").c_str(), folder().c_str(), 0, 0, nullptr), 1);
    EXPECT_EQ(SplitWithOutline(in("flat.pdf").c_str(), folder().c_str(), 3, 0, nullptr), 0);
    EXPECT_TRUE(written().empty());

    writeTextDocument(in("plain.pdf"), 2);
    encryptWithQpdf(in("flat.pdf"), in("locked.pdf"), "user", "owner");
    EXPECT_EQ(SplitWithOutline(in("plain.pdf").c_str(), folder().c_str(), 1, 0, nullptr), -3);
    EXPECT_EQ(SplitWithOutline(in("locked.pdf").c_str(), folder().c_str(), 1, 0, nullptr), 0);
    EXPECT_EQ(SplitWithOutline(in("missing.pdf").c_str(), folder().c_str(), 1, 0, nullptr), 0);
    EXPECT_EQ(SplitWithOutline(in("flat.pdf").c_str(), "", 1, 0, nullptr), 0);
    EXPECT_EQ(SplitWithOutline(nullptr, folder().c_str(), 1, 0, nullptr), 0);
    EXPECT_TRUE(written().empty());

    // Entries whose destination names no page give no file, nor does the one before.
    writeOutlineDocument(in("gap.pdf"), 6, { { "(P)", at(1) }, { "(Q)", "/Dest (undefined)" }, { "(R)", at(4) } });
    EXPECT_EQ(SplitWithOutline(in("gap.pdf").c_str(), folder().c_str(), 1, 0, nullptr), 1);
    EXPECT_EQ(written(), std::vector<std::string>({ "R-end.PDF" }));
}

// Two entries on the same page: the narrow form writes an empty file for the
// first, the wide form that one page.
TEST_F(OutlineTest, EntriesSharingAPageAndWideTitles)
{
    writeOutlineDocument(in("same.pdf"), 5, { { "(X)", at(2) }, { "<FEFF00DC>", at(2) }, { "(Z)", at(4) } });
    EXPECT_EQ(SplitWithOutline(in("same.pdf").c_str(), folder().c_str(), 1, 0, nullptr), 1);
    EXPECT_EQ(written(), std::vector<std::string>({ "X-Ü.PDF", "Z-end.PDF", "start-X.PDF", "Ü-Z.PDF" }));
    EXPECT_EQ(qpdfPageCount(out("X-Ü.PDF")), 0);
    EXPECT_TRUE(qpdfCheckPasses(out("X-Ü.PDF")));

    fs::remove_all(out());
    fs::create_directories(out());
    std::u16string source = fs::path(in("same.pdf")).u16string();
    std::u16string folder = fs::path(out()).u16string();
    folder.pop_back(); // no trailing separator
    EXPECT_EQ(SplitWithOutlineW(source.c_str(), folder.c_str(), 1, 0, recordProgress), 1);
    expectPagesMatch(out("X-Ü.PDF"), pages(in("same.pdf"), 2, 2));
    expectPagesMatch(out("Ü-Z.PDF"), pages(in("same.pdf"), 2, 3));
    expectPagesMatch(out("start-X.PDF"), pages(in("same.pdf"), 1, 1));
}

// Titles are file names: separators and control characters never place a file
// outside the folder, and no section may be the source itself.
TEST_F(OutlineTest, TitlesCannotEscapeTheFolderOrOverwriteTheSource)
{
    writeOutlineDocument(in("escape.pdf"), 4, { { "(../../evil)", at(1) }, { "(a/b\\011c)", at(2) }, { "(..)", at(3) } });
    EXPECT_EQ(SplitWithOutline(in("escape.pdf").c_str(), folder().c_str(), 1, 0, nullptr), 1);
    EXPECT_EQ(written(), std::vector<std::string>({ "..-end.PDF", ".._.._evil-a_b_c.PDF", "a_b_c-...PDF" }));
    EXPECT_FALSE(fs::exists(dir.file("evil-a")));

    // A section named like the source file: that file is skipped, the source kept.
    writeOutlineDocument(in("self.pdf"), 3, { { "(self)", at(1) }, { "(x)", at(2) } });
    fs::copy_file(in("self.pdf"), out("self-x.PDF"));
    std::string before = readFile(out("self-x.PDF"));
    EXPECT_EQ(SplitWithOutline(out("self-x.PDF").c_str(), folder().c_str(), 1, 0, nullptr), 1);
    EXPECT_EQ(readFile(out("self-x.PDF")), before);
    expectPagesMatch(out("x-end.PDF"), pages(in("self.pdf"), 2, 3));
}

TEST_F(OutlineTest, AStopEndsTheSplitAfterTheAnnouncedPage)
{
    writeOutlineDocument(in("abc.pdf"), 9, { { "(A)", at(3) }, { "(B)", at(4) }, { "(C)", at(7) } });
    stopProgressAt = 1;
    EXPECT_EQ(SplitWithOutline(in("abc.pdf").c_str(), folder().c_str(), 1, 0, recordProgress), 0);
    // The leading file stops after page 1; the first section's file is still created, empty.
    EXPECT_EQ(written(), std::vector<std::string>({ "A-B.PDF", "start-A.PDF" }));
    expectPagesMatch(out("start-A.PDF"), pages(in("abc.pdf"), 1, 1));
    EXPECT_EQ(qpdfPageCount(out("A-B.PDF")), 0);
}

// A real manual: pdfTeX bookmarks with named destinations in a name tree.
TEST_F(OutlineTest, RealManualSplitsIntoChapters)
{
    const std::string manual = "/usr/share/R/doc/manual/R-intro.pdf";
    ASSERT_TRUE(fs::exists(manual));
    DocumentHandle document = OpenPDF(manual.c_str(), nullptr);
    ASSERT_GT(document, 0);
    TreeRecorder tree;
    OutlineTreeSink sink = tree.sink();
    int depth = GetOutline(document, &sink, 0);
    int pageCount = GetPageCount(document);
    ClosePDF(document);
    EXPECT_GE(depth, 3);
    EXPECT_GT(tree.nodes.size(), 20u);

    EXPECT_EQ(SplitWithOutline(manual.c_str(), folder().c_str(), 1, 0, nullptr), 1);
    std::vector<std::string> files = written();
    EXPECT_GT(files.size(), 5u);
    int total = 0;
    for (const std::string &file : files) {
        std::string report;
        EXPECT_TRUE(qpdfCheckPasses(out(file), &report)) << file << report;
        total += qpdfPageCount(out(file));
    }
    EXPECT_EQ(total, pageCount); // every page lands in exactly one file

    // Each file holds consecutive source pages, text for text, and together
    // they hold every page once: find each file's first page by its text.
    std::vector<std::string> sourceTexts = allPageTexts(manual);
    std::vector<bool> covered(sourceTexts.size(), false);
    for (const std::string &file : files) {
        std::vector<std::string> texts = allPageTexts(out(file));
        if (texts.empty())
            continue;
        std::size_t first = 0;
        while (first < sourceTexts.size() && (covered[first] || sourceTexts[first] != texts[0]))
            ++first;
        ASSERT_LT(first, sourceTexts.size()) << file;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            ASSERT_LT(first + i, sourceTexts.size()) << file;
            EXPECT_EQ(texts[i], sourceTexts[first + i]) << file << " page " << i + 1;
            covered[first + i] = true;
        }
    }
    EXPECT_EQ(std::count(covered.begin(), covered.end(), true), pageCount);
}

} // namespace
