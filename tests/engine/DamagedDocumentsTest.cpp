// Damaged and unusual documents: every page a reader shows is copied with its
// text, or the engine fails cleanly; a wrong result is never a success.
// Each class of damage is one small file made by the builder.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

// A builder of documents whose pages each show "<name> k".
struct Pages
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int root = pdf.reserve();
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    int count = 0;

    std::string contentsOf(const std::string &text) { return "BT /F1 24 Tf 72 700 Td (" + text + ") Tj ET"; }
    // The body of a page dictionary showing `text` under `parent`.
    std::string page(int parent, const std::string &text)
    {
        int contents = pdf.addStream("", contentsOf(text));
        return "<< /Type /Page /Parent " + std::to_string(parent) + " 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 " +
               std::to_string(font) + " 0 R >> >> /Contents " + std::to_string(contents) + " 0 R >>";
    }
    int addPage(int parent, const std::string &text) { return pdf.add(page(parent, text)); }
    std::string ref(int number) const { return std::to_string(number) + " 0 R"; }
    std::string build(const std::string &rootBody, const std::string &catalogExtra = "")
    {
        pdf.add(rootBody, root);
        pdf.add("<< /Type /Catalog /Pages " + ref(root) + " " + catalogExtra + " >>", catalog);
        return pdf.build(catalog);
    }
};

struct Case
{
    const char *name;
    std::function<std::string()> document;
    std::vector<std::string> texts; // the page texts a reader shows, in order ("" for a blank page)
};

// A stream whose dictionary entries are `entries` (a faulty /Length) and
// whose data shows `text`.
std::string faultyStreamPage(const std::string &entries, const std::string &text, const std::string &afterData = "\nendstream")
{
    Pages p;
    std::string data = p.contentsOf(text);
    int contents = p.pdf.add("<< " + entries + " >>\nstream\n" + data + afterData);
    int page = p.pdf.add("<< /Type /Page /Parent " + p.ref(p.root) + " /MediaBox [0 0 612 792] /Resources << /Font << /F1 " + p.ref(p.font) +
                         " >> >> /Contents " + p.ref(contents) + " >>");
    return p.build("<< /Type /Pages /Count 1 /Kids [" + p.ref(page) + "] >>");
}

const Case cases[] = {
    { "DirectPageDictionaries", [] {
         Pages p;
         return p.build("<< /Type /Pages /Count 2 /Kids [" + p.page(p.root, "Direct 1") + " " + p.page(p.root, "Direct 2") + "] >>");
     }, { "Direct 1", "Direct 2" } },
    { "TreeTwoHundredLevelsDeep", [] {
         Pages p;
         int parent = p.root;
         std::string top;
         for (int level = 0; level < 200; ++level) {
             int node = p.pdf.reserve();
             std::string kids = level == 199 ? p.ref(p.addPage(node, "Deep 1")) : p.ref(node + 1);
             p.pdf.add("<< /Type /Pages /Parent " + p.ref(parent) + " /Count 1 /Kids [" + kids + "] >>", node);
             if (level == 0)
                 top = p.ref(node);
             parent = node;
         }
         return p.build("<< /Type /Pages /Count 1 /Kids [" + top + "] >>");
     }, { "Deep 1" } },
    { "CountThatLies", [] {
         Pages p;
         return p.build("<< /Type /Pages /Count 9999999999 /Kids [" + p.ref(p.addPage(p.root, "Lie 1")) + " " + p.ref(p.addPage(p.root, "Lie 2")) +
                        "] >>");
     }, { "Lie 1", "Lie 2" } },
    { "CountOfZero", [] {
         Pages p;
         return p.build("<< /Type /Pages /Count 0 /Kids [" + p.ref(p.addPage(p.root, "Zero 1")) + "] >>");
     }, { "Zero 1" } },
    { "DebrisAmongKids", [] {
         Pages p;
         int page = p.addPage(p.root, "Debris 1");
         return p.build("<< /Type /Pages /Count 5 /Kids [null 42 (text) " + p.ref(page) + " 999 0 R /Name " + p.ref(p.addPage(p.root, "Debris 2")) +
                        "] >>");
     }, { "Debris 1", "Debris 2" } },
    { "PageNodeLoop", [] {
         Pages p;
         int node = p.pdf.reserve();
         int page = p.addPage(node, "Loop 1");
         // The node lists the root (its own ancestor: the loop is cut) and the
         // same page twice: readers show that page twice, and so do we.
         p.pdf.add("<< /Type /Pages /Parent " + p.ref(p.root) + " /Count 3 /Kids [" + p.ref(page) + " " + p.ref(p.root) + " " + p.ref(page) + "] >>",
                   node);
         return p.build("<< /Type /Pages /Count 4 /Kids [" + p.ref(node) + " " + p.ref(p.addPage(p.root, "Loop 2")) + "] >>");
     }, { "Loop 1", "Loop 1", "Loop 2" } },
    { "DuplicatedKeys", [] { // readers take the last occurrence; the copy keeps only that one
         Pages p;
         int contents = p.pdf.addStream("", p.contentsOf("Duplicated keys"));
         int page = p.pdf.add("<< /Type /Page /Parent " + p.ref(p.root) + " /MediaBox [0 0 612 792] /Resources << /Font << /F1 999 0 R /F1 " +
                              p.ref(p.font) + " >> /ProcSet [/PDF] /ProcSet [/PDF /Text] >> /Contents " + p.ref(contents) + " >>");
         return p.build("<< /Type /Pages /Count 1 /Count 1 /Kids [" + p.ref(page) + "] >>");
     }, { "Duplicated keys" } },
    { "LengthMissing", [] { return faultyStreamPage("", "Length missing"); }, { "Length missing" } },
    { "LengthMisspelt", [] { return faultyStreamPage("/Lenght 44", "Length misspelt"); }, { "Length misspelt" } },
    { "LengthNotANumber", [] { return faultyStreamPage("/Length ()", "Length not a number"); }, { "Length not a number" } },
    { "LengthTooShort", [] { return faultyStreamPage("/Length 12", "Length too short"); }, { "Length too short" } },
    { "LengthTooLong", [] { return faultyStreamPage("/Length 90", "Length too long"); }, { "Length too long" } },
    { "LengthPastTheEnd", [] { return faultyStreamPage("/Length 999999", "Length past the end"); }, { "Length past the end" } },
    // poppler cannot parse a stream of negative length, or one whose end lies
    // beyond any file, at all: the reader shows a blank page, and so does the copy.
    { "LengthNegative", [] { return faultyStreamPage("/Length -4", "Length negative"); }, { "" } },
    { "LengthHuge", [] { return faultyStreamPage("/Length 9223372036854775807", "Length huge"); }, { "" } },
    { "LengthCarriageReturns", [] { return faultyStreamPage("", "Length CR LF", "\r\nendstream"); }, { "Length CR LF" } },
};

class DamagedDocumentsTest : public ::testing::TestWithParam<Case>
{
protected:
    TempDir dir;
};

// The page count, a merge of the file with itself, and a split agree on the
// pages a reader shows, with their text; each output passes qpdf.
TEST_P(DamagedDocumentsTest, ReadersPagesComeThrough)
{
    const Case &c = GetParam();
    std::string source = dir.file("source.pdf");
    writeFile(source, c.document());
    const int pages = static_cast<int>(c.texts.size());

    DocumentHandle handle = OpenPDF(source.c_str(), nullptr);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(GetPageCount(handle), pages);
    ClosePDF(handle);

    std::string merged = dir.file("merged.pdf");
    ClearList();
    ASSERT_EQ(AddFile(source.c_str(), "1-99", 0), 1);
    ASSERT_EQ(AddFile(source.c_str(), "1-99", 0), 1);
    SetOutputOptions(COLLIGO_KEEP_ALL, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Colligo(merged.c_str(), 0, nullptr), 1);
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(merged, &report)) << report;
    std::vector<std::string> texts = allPageTexts(merged);
    ASSERT_EQ(texts.size(), 2u * c.texts.size());
    auto shown = [&](std::size_t i) { return c.texts[i].empty() ? std::string() : c.texts[i] + "\n"; };
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i], shown(i % c.texts.size())) << "page " << i + 1;

    // The same merge in the compact layout, written and read alike.
    std::string compact = dir.file("compact.pdf");
    ClearList();
    ASSERT_EQ(AddFile(source.c_str(), "1-99", 0), 1);
    ASSERT_EQ(AddFile(source.c_str(), "1-99", 0), 1);
    SetOutputOptions(COLLIGO_KEEP_ALL | COLLIGO_OUTPUT_COMPACT, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Colligo(compact.c_str(), 0, nullptr), 1);
    EXPECT_TRUE(qpdfCheckPasses(compact, &report)) << report;
    EXPECT_EQ(allPageTexts(compact), texts);

    std::string split = dir.file("split.pdf");
    EXPECT_EQ(SplitPDF(source.c_str(), "1", split.c_str(), 1, nullptr), 1);
    EXPECT_TRUE(qpdfCheckPasses(split, &report)) << report;
    EXPECT_EQ(allPageTexts(split).front(), shown(0));
    EXPECT_EQ(qpdfPageCount(dir.file("split-2.PDF")), pages - 1);
}

INSTANTIATE_TEST_SUITE_P(Classes, DamagedDocumentsTest, ::testing::ValuesIn(cases), [](const auto &info) { return std::string(info.param.name); });

// A document in which no page can be found is refused, never merged into an
// empty success.
TEST(DamagedDocuments, NoPageAtAllIsAClearFailure)
{
    TempDir dir;
    Pages p;
    std::string source = dir.file("none.pdf");
    writeFile(source, p.build("<< /Type /Pages /Count 3 /Kids [null 7 0 R] >>"));
    EXPECT_EQ(OpenPDF(source.c_str(), nullptr), COLLIGO_UNREADABLE);
    EXPECT_EQ(AddFile(source.c_str(), "1", 0), 0);
    EXPECT_EQ(GetLastFailure(nullptr, 0), COLLIGO_FAILURE_SOURCE_UNREADABLE);
    EXPECT_EQ(SplitPDF(source.c_str(), "1", dir.file("out.pdf").c_str(), 0, nullptr), 0);
}

} // namespace
