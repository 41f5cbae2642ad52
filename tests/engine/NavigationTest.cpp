// What readers navigate by survives merges and splits: bookmarks, links,
// named destinations, annotations, form fields, page labels, document
// information. Judged by pikepdf (on qpdf), an independent reader.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

using namespace testing_support;

namespace {

using Lines = std::vector<std::string>;

// The lines of a source as they read when its pages stand `offset` pages later
// in the output: "page N" becomes "page N+offset" throughout.
Lines shifted(const Lines &lines, int offset)
{
    Lines result;
    static const std::regex page("page ([0-9]+)");
    for (const std::string &line : lines) {
        std::string out;
        auto last = line.cbegin();
        for (std::sregex_iterator match(line.begin(), line.end(), page), end; match != end; ++match) {
            out.append(last, line.cbegin() + match->position());
            out += "page " + std::to_string(std::stoi((*match)[1]) + offset);
            last = line.cbegin() + match->position() + match->length();
        }
        out.append(last, line.cend());
        result.push_back(out);
    }
    return result;
}

Lines joined(Lines a, const Lines &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool contains(const Lines &lines, const std::string &line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class NavigationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearList();
        writeFile(in("A.pdf"), navigationDocument(3, "Alpha", "alpha"));
        writeFile(in("B.pdf"), navigationDocument(4, "Beta", "beta"));
    }
    std::string in(const std::string &name) const { return dir.file(name); }
    std::string out() const { return dir.file("out.pdf"); }

    int merge(const std::vector<std::pair<std::string, std::string>> &entries, uint32_t keep = COLLIGO_KEEP_ALL, int bookmarkPerFile = 0)
    {
        for (const auto &[file, range] : entries)
            EXPECT_EQ(AddFile(in(file).c_str(), range.c_str(), 0), 1) << file;
        SetOutputOptions(keep, bookmarkPerFile, nullptr, nullptr, nullptr, nullptr);
        int result = Colligo(out().c_str(), 0, nullptr);
        std::string report;
        EXPECT_TRUE(qpdfCheckPasses(out(), &report)) << report;
        return result;
    }

    TempDir dir;
};

// Two whole files that use one destination name and one field name: each
// keeps its bookmarks, links, labels and values, and every link lands in its
// own file.
TEST_F(NavigationTest, TwoWholeFilesKeepEverythingApart)
{
    ASSERT_EQ(merge({ { "A.pdf", "1-3" }, { "B.pdf", "1-4" } }), 1);
    expectPagesMatch(out(), { { in("A.pdf"), 1 }, { in("A.pdf"), 2 }, { in("A.pdf"), 3 }, { in("B.pdf"), 1 }, { in("B.pdf"), 2 },
                              { in("B.pdf"), 3 }, { in("B.pdf"), 4 } });
    for (const char *what : { "links", "outline", "labels" }) {
        SCOPED_TRACE(what);
        Lines expected = joined(navigationLines(what, in("A.pdf")), shifted(navigationLines(what, in("B.pdf")), 3));
        EXPECT_EQ(navigationLines(what, out()), expected);
    }
    // B's names that A uses too are renamed; its own "p4" is not.
    EXPECT_EQ(navigationLines("dests", out()), (Lines { "p1 -> page 1", "p1-2 -> page 4", "p2 -> page 2", "p2-2 -> page 5", "p3 -> page 3",
                                                        "p3-2 -> page 6", "p4 -> page 7", "shared -> page 2", "shared-2 -> page 5" }));
    EXPECT_EQ(navigationLines("fields", out()),
              (Lines { "name = alpha", "choice = alpha choice", "name_2 = beta", "choice_2 = beta choice" }));
}

// Pages left out take their links and bookmarks along; an item whose own
// page is gone stays when a descendant's page is copied.
TEST_F(NavigationTest, PartOfAFileDropsWhatLeadsNowhere)
{
    ASSERT_EQ(merge({ { "A.pdf", "1,3" }, { "B.pdf", "2" } }), 1);
    Lines links = navigationLines("links", out());
    EXPECT_EQ(links, (Lines { "page 1: link -> page 1", "page 1: link -> page 2", "page 1: link -> uri https://example.org/Alpha" }));
    EXPECT_EQ(navigationLines("outline", out()),
              (Lines { "Alpha chapter 1 -> page 1", "Alpha chapter 2 -> none", ".Alpha section 2.1 -> page 2", "Alpha chapter 3 -> page 2",
                       "Alpha on the web -> uri https://example.org/", "Beta chapter 2 -> page 3", "Beta on the web -> uri https://example.org/" }));
    // The field on A's pages 1 and 3 keeps both widgets; B's fields are not on page 2.
    EXPECT_EQ(navigationLines("fields", out()), (Lines { "name = alpha", "choice = alpha choice" }));
    EXPECT_EQ(navigationLines("labels", out()), (Lines { "page 1: i", "page 2: A-1", "page 3: ii" }));
}

// A page listed twice: each copy has annotations of its own, and links and
// bookmarks go to the first copy.
TEST_F(NavigationTest, APageListedTwiceGetsItsOwnAnnotations)
{
    ASSERT_EQ(merge({ { "A.pdf", "2,1,2" }, { "B.pdf", "1" } }), 1);
    Lines links = navigationLines("links", out());
    // A1 (now page 2) links to A2 twice (by page and by name): to its first copy, page 1.
    EXPECT_EQ(std::count(links.begin(), links.end(), "page 2: link -> page 1"), 2);
    EXPECT_FALSE(contains(links, "page 2: link -> page 3"));
    std::string bytes = readFile(out());
    std::size_t notes = 0;
    for (std::size_t at = bytes.find("/Subtype /Text"); at != std::string::npos; at = bytes.find("/Subtype /Text", at + 1))
        ++notes;
    EXPECT_EQ(notes, 2u); // the note on A's page 2, once per copy
    Lines outline = navigationLines("outline", out());
    EXPECT_TRUE(contains(outline, "Alpha chapter 2 -> page 1"));
}

// The bookmark per file holds that file's bookmarks; without a title the
// file's name stands for it.
TEST_F(NavigationTest, ABookmarkPerFile)
{
    ASSERT_EQ(merge({ { "A.pdf", "1-3" }, { "B.pdf", "1" } }, COLLIGO_KEEP_ALL, 1), 1);
    Lines outline = navigationLines("outline", out());
    ASSERT_FALSE(outline.empty());
    EXPECT_EQ(outline.front(), "A.pdf -> page 1");
    EXPECT_TRUE(contains(outline, ".Alpha chapter 3 -> page 3"));
    EXPECT_TRUE(contains(outline, "B.pdf -> page 4"));
    EXPECT_TRUE(contains(outline, ".Beta chapter 1 -> page 4"));
    // The bookmarks alone, without anything else kept.
    ASSERT_EQ(merge({ { "A.pdf", "1" }, { "B.pdf", "1" } }, 0, 1), 1);
    EXPECT_EQ(navigationLines("outline", out()), (Lines { "A.pdf -> page 1", "B.pdf -> page 2" }));
    EXPECT_TRUE(navigationLines("links", out()).empty());
}

// Without options, or with nothing to keep, the output is pages only, byte
// for byte the same.
TEST_F(NavigationTest, PlainOutputIsUnchanged)
{
    ASSERT_TRUE(AddFile(in("A.pdf").c_str(), "1-3", 0));
    ASSERT_TRUE(AddFile(in("B.pdf").c_str(), "2", 0));
    ASSERT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    std::string plain = readFile(out());
    EXPECT_EQ(plain.find("/Annots"), std::string::npos);
    EXPECT_EQ(plain.find("/Outlines"), std::string::npos);
    ASSERT_EQ(merge({ { "A.pdf", "1-3" }, { "B.pdf", "2" } }, 0), 1);
    EXPECT_EQ(readFile(out()), plain);
    // Options last for one call only.
    ASSERT_EQ(merge({ { "A.pdf", "1-3" }, { "B.pdf", "2" } }), 1);
    ASSERT_TRUE(AddFile(in("A.pdf").c_str(), "1-3", 0));
    ASSERT_TRUE(AddFile(in("B.pdf").c_str(), "2", 0));
    ASSERT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    EXPECT_EQ(readFile(out()), plain);
}

TEST_F(NavigationTest, DocumentInformationFromTheCaller)
{
    ASSERT_TRUE(AddFile(in("A.pdf").c_str(), "1", 0));
    ASSERT_TRUE(AddFile(in("B.pdf").c_str(), "1", 0));
    SetOutputOptions(COLLIGO_KEEP_ALL, 0, "Bücher – 文档", "A (subject)", "Ann Author", nullptr);
    ASSERT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
    CommandResult info = runCommand("pdfinfo -enc UTF-8 " + shellQuote(out()));
    for (const char *entry : { "Title: +Bücher – 文档\n", "Subject: +A \\(subject\\)\n", "Author: +Ann Author\n" })
        EXPECT_TRUE(std::regex_search(info.output, std::regex(entry))) << entry << " in\n" << info.output;
    EXPECT_EQ(info.output.find("Keywords:"), std::string::npos) << info.output;
}

// Splits keep the navigation of their own pages.
TEST_F(NavigationTest, SplitsKeepTheirPagesNavigation)
{
    SetOutputOptions(COLLIGO_KEEP_ALL, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(SplitPDF(in("B.pdf").c_str(), "3-4", out().c_str(), 1, nullptr), 1);
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(out(), &report)) << report;
    EXPECT_EQ(navigationLines("outline", out()), (Lines { "Beta chapter 2 -> none", ".Beta section 2.1 -> page 1", "Beta chapter 3 -> page 1",
                                                          "Beta chapter 4 -> page 2", "Beta on the web -> uri https://example.org/" }));
    EXPECT_EQ(navigationLines("labels", out()), (Lines { "page 1: A-1", "page 2: A-2" }));
    std::string rest = out().substr(0, out().size() - 4) + "-2.PDF";
    EXPECT_EQ(navigationLines("links", rest).size(), 4u); // page 1's links to pages 1 and 2, the named one (page 2), the web
    EXPECT_TRUE(qpdfCheckPasses(rest, &report)) << report;
}

int32_t COLLIGO_CALL stopAtSecondPage(int32_t, int32_t, int32_t, int32_t position)
{
    return position < 2 ? 1 : 0;
}

// After a stop, bookmarks and names lead only to pages that were written.
TEST_F(NavigationTest, AStopLeavesNoBookmarkLeadingNowhere)
{
    ASSERT_EQ(AddFile(in("A.pdf").c_str(), "1-3", 0), 1);
    ASSERT_EQ(AddFile(in("B.pdf").c_str(), "1-4", 0), 1);
    SetOutputOptions(COLLIGO_KEEP_ALL, 0, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Colligo(out().c_str(), 0, stopAtSecondPage), 0);
    EXPECT_EQ(GetLastFailure(nullptr, 0), COLLIGO_FAILURE_STOPPED);
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(out(), &report)) << report;
    EXPECT_EQ(qpdfPageCount(out()), 2);
    for (const char *what : { "outline", "dests" })
        for (const std::string &line : navigationLines(what, out()))
            EXPECT_EQ(line.find("nowhere"), std::string::npos) << line;
    EXPECT_TRUE(contains(navigationLines("outline", out()), "Alpha chapter 2 -> page 2"));
}

// A LaTeX manual made with hyperref: thousands of internal links and a deep
// outline. Every link of the copied pages lands on the copy of its target,
// links to pages left out are gone, and bookmarks follow their pages.
TEST_F(NavigationTest, RealManualKeepsItsLinksAndOutline)
{
    const std::string manual = "/usr/share/R/doc/manual/R-intro.pdf";
    const std::string faq = "/usr/share/R/doc/manual/R-FAQ.pdf";
    ASSERT_TRUE(std::filesystem::exists(manual)) << "installed by scripts/install-deps.sh";
    std::filesystem::copy_file(manual, in("intro.pdf"));
    std::filesystem::copy_file(faq, in("faq.pdf"));
    ASSERT_EQ(merge({ { "intro.pdf", "1-60" }, { "faq.pdf", "1-999" } }), 1);

    Lines sourceLinks = navigationLines("links", in("intro.pdf"));
    Lines expected;
    static const std::regex link("page ([0-9]+): link -> page ([0-9]+)");
    for (const std::string &line : sourceLinks) {
        std::smatch match;
        if (std::regex_match(line, match, link) && std::stoi(match[1]) <= 60 && std::stoi(match[2]) > 60)
            continue; // its target page is not in the output
        std::smatch from;
        if (std::regex_search(line, from, std::regex("^page ([0-9]+)")) && std::stoi(from[1]) > 60)
            continue;
        expected.push_back(line);
    }
    ASSERT_GT(expected.size(), 100u);
    Lines faqLinks = navigationLines("links", in("faq.pdf"));
    EXPECT_EQ(navigationLines("links", out()), joined(expected, shifted(faqLinks, 60)));

    Lines outline = navigationLines("outline", out());
    Lines faqOutline = shifted(navigationLines("outline", in("faq.pdf")), 60);
    ASSERT_GE(outline.size(), faqOutline.size());
    EXPECT_TRUE(std::equal(faqOutline.begin(), faqOutline.end(), outline.end() - static_cast<std::ptrdiff_t>(faqOutline.size())));
    for (const std::string &line : outline)
        EXPECT_EQ(line.find("-> nowhere"), std::string::npos) << line;
}

} // namespace
