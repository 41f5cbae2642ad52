// Page copying and object serialisation, fed with exact fixtures so that each
// expectation can name the bytes the writer must produce.
#include "reading/SourceDocument.h"
#include "writer/PdfWriter.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <PDFDoc.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_support;
using colligo::PdfWriter;

namespace {

// "BT /F1 24 Tf 72 700 Td (Hello) Tj ET", deflated: 44 bytes.
std::string helloContent()
{
    const char *hex = "78da730a51d077335430325108495330375230373050084951d0f048cdc9c9d75408c952700d0100979708d1";
    std::string bytes;
    for (const char *p = hex; *p; p += 2)
        bytes += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
    return bytes;
}

// A one-page document whose page is given as the body of its page object; `extra`
// objects are added before the page (numbers from 3 on).
struct Fixture
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pages = pdf.reserve();

    void save(const std::string &path, const std::string &pageBody, const std::string &pagesExtra = "")
    {
        int page = pdf.add("<< /Type /Page /Parent 2 0 R " + pageBody + " >>");
        pdf.add("<< /Type /Pages /Count 1 /Kids [" + std::to_string(page) + " 0 R] " + pagesExtra + " >>", pages);
        pdf.add("<< /Type /Catalog /Pages 2 0 R >>", catalog);
        pdf.save(path, catalog);
    }
};

struct Copy
{
    std::string bytes;
    bool ok;
    int damaged;
};

// Copies the listed pages of each source, in order, into `out`. Each source
// stays open until the writer has released it.
Copy copyPages(const std::string &out, const std::vector<std::pair<std::string, std::vector<int>>> &sources)
{
    PdfWriter writer(out.c_str(), "Colligo");
    EXPECT_TRUE(writer.isOk());
    std::vector<std::unique_ptr<colligo::SourceDocument>> documents;
    for (const auto &[path, pages] : sources) {
        documents.push_back(colligo::SourceDocument::open(path));
        EXPECT_TRUE(documents.back()->isOk()) << path;
        writer.setSource(documents.back().get());
        for (int page : pages)
            writer.addPage(page);
    }
    bool ok = writer.isOk();
    writer.finish();
    return { readFile(out), ok, writer.damagedPageCount() };
}

Copy copyPages(const std::string &out, const std::string &source, const std::vector<int> &pages)
{
    return copyPages(out, { { source, pages } });
}

bool contains(const std::string &haystack, const std::string &needle)
{
    return haystack.find(needle) != std::string::npos;
}

class PageCopyTest : public ::testing::Test
{
protected:
    TempDir dir;
    std::string in(const std::string &name) const { return dir.file(name); }
    std::string out() const { return dir.file("out.pdf"); }
};

TEST_F(PageCopyTest, FirstPageComesOutExactlyAsLaidOut)
{
    Fixture f;
    int font = f.pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::string data = helloContent();
    int contents = f.pdf.add("<< /Length 44 /Filter /FlateDecode >>\nstream\n" + data + "\nendstream");
    f.save(in("hello.pdf"), "/MediaBox [0 0 612 792] /Resources << /Font << /F1 " + std::to_string(font) +
                                " 0 R >> /ProcSet [/PDF /Text] >> /Contents " + std::to_string(contents) + " 0 R");

    Copy copy = copyPages(out(), in("hello.pdf"), { 1 });
    ASSERT_TRUE(copy.ok);
    std::string expected = "4 0 obj\n<<\n/Type/Page\n/MediaBox[0 0 612 792]\n/Parent 3 0 R\n/Resources 5 0 R\n/Contents 6 0 R\n>>\nendobj\n"
                           "5 0 obj\n<<\n/Font 7 0 R\n/ProcSet[/PDF\n/Text\n]\n>>\nendobj\n"
                           "6 0 obj\n<<\n/Length  44/Filter /FlateDecode\n>>\nstream\n" +
                           data +
                           "endstream\nendobj\n"
                           "8 0 obj\n<<\n/Type /Font\n/Subtype /Type1\n/BaseFont /Helvetica\n>>\nendobj\n"
                           "7 0 obj\n<<\n/F1  8 0 R\n>>\nendobj\n";
    EXPECT_EQ(copy.bytes.substr(9, expected.size()), expected);
    EXPECT_EQ(copy.bytes.substr(9 + expected.size(), 8), "3 0 obj\n"); // the next object starts at 382
    EXPECT_EQ(9 + expected.size(), 382u);
    EXPECT_TRUE(contains(copy.bytes, "0000000009 00000 n \n0000000111 00000 n \n0000000166 00000 n \n0000000350 00000 n \n0000000280 00000 n \n"));
    expectPagesMatch(out(), { { in("hello.pdf"), 1 } });
}

TEST_F(PageCopyTest, ValuesAreWrittenInTheirOwnForms)
{
    Fixture f;
    std::string array200, array201;
    for (int i = 0; i < 200; ++i)
        array200 += std::to_string(i) + " ";
    array201 = array200 + "200";
    int real = f.pdf.add("1.5");
    f.save(in("values.pdf"), "/MediaBox [0 0 200 200] /Resources << /Values << "
                             "/Plain (a\\\\b\\(c\\)) /Binary <410A42> /High <41FF> /Name /A#23B /Spaced /A#20B /Delims /A#2FB#28 "
                             "/Real " + std::to_string(real) + " 0 R /Negative -3 /Yes true /Nothing null "
                             "/Short [" + array200 + "] /Long [" + array201 + "] /Inner << /Deep 1 >> >> >>");
    Copy copy = copyPages(out(), in("values.pdf"), { 1 });
    ASSERT_TRUE(copy.ok);
    const char *expectations[] = {
        "/Plain  (a\\\\b\\(c\\)) ",
        "/Binary  <410A42> ",
        "/High  <41FF> ",
        "/Name /A#23B\n",
        "/Spaced /A#20B\n",
        "/Delims /A#2FB#28\n",
        "/Real  1.5/",
        "/Negative  -3",
        "/Yes  true",
        "/Nothing  null",
        "/Short [ 0 1 2",
        " 199]\n",
        "/Long  ",
        "obj\n[\n 0 1 2",
        " 200]\nendobj\n",
        "/Inner  ",
        "/Deep  1>>\nendobj\n",
    };
    for (const char *text : expectations)
        EXPECT_TRUE(contains(copy.bytes, text)) << "missing: " << text;
    EXPECT_TRUE(qpdfCheckPasses(out()));
}

TEST_F(PageCopyTest, StreamsAreCopiedRawWithTheirDictionary)
{
    Fixture f;
    // Length 0; an ID entry (dropped); an upper-case LENGTH; CR LF after the keyword;
    // and a dictionary holding the word "stream" before the real keyword.
    int empty = f.pdf.add("<< /Length 0 >>\nstream\n\nendstream");
    int withId = f.pdf.add("<< /ID [<01> <02>] /LENGTH 5 >>\nstream\nHELLO\nendstream");
    int crlf = f.pdf.add("<< /Length 4 >>\nstream\r\nq Q \nendstream");
    int decoy = f.pdf.add("<< /Note (stream here) /Length 8 >>\nstream\nBT ET q \nendstream");
    f.save(in("streams.pdf"), "/MediaBox [0 0 200 200] /Resources << /Empty " + std::to_string(empty) + " 0 R /WithId " +
                                  std::to_string(withId) + " 0 R >> /Contents [" + std::to_string(crlf) + " 0 R " + std::to_string(decoy) + " 0 R]");
    Copy copy = copyPages(out(), in("streams.pdf"), { 1 });
    ASSERT_TRUE(copy.ok);
    EXPECT_TRUE(contains(copy.bytes, "/Contents[ 6 0 R\n 7 0 R\n]\n"));
    EXPECT_TRUE(contains(copy.bytes, "6 0 obj\n<<\n/Length  4>>\nstream\nq Q endstream\nendobj\n"));
    EXPECT_TRUE(contains(copy.bytes, "/Note  (stream here) /Length  8>>\nstream\nBT ET q endstream\n"));
    EXPECT_TRUE(contains(copy.bytes, "<<\n/Length  0>>\nstream\nendstream\nendobj\n"));
    // Readers know only /Length: the upper-case key is kept, and /Length added.
    EXPECT_TRUE(contains(copy.bytes, "<<\n/LENGTH  5/Length  5>>\nstream\nHELLOendstream\n"));
    EXPECT_FALSE(contains(copy.bytes, "/ID"));
    EXPECT_TRUE(qpdfCheckPasses(out()));
}

TEST_F(PageCopyTest, BoxesRotationAndMissingParts)
{
    struct Case
    {
        const char *page;
        const char *pagesExtra;
        std::vector<const char *> expected;
    };
    const Case cases[] = {
        // Every number reads back exactly as the source states it.
        { "/MediaBox [0 0 595.276 841.89] /Contents 3 0 R", "", { "/MediaBox[0 0 595.276 841.89]\n" } },
        { "/MediaBox [-0.5 0 100 100] /CropBox [10 10.9 90 90] /Contents 3 0 R", "", { "/MediaBox[-0.5 0 100 100]\n", "/CropBox[10 10.9 90 90]\n" } },
        { "/MediaBox [0.0 0 1000.25 792.000] /Contents 3 0 R", "", { "/MediaBox[0.0 0 1000.25 792.0]\n" } },
        { "/MediaBox [0 0 612 792] /TrimBox [9 9 603 783] /BleedBox [3 3 609 789] /ArtBox [20 20 590 770] /UserUnit 2.5 /Contents 3 0 R",
          "", { "/BleedBox[3 3 609 789]\n/TrimBox[9 9 603 783]\n/ArtBox[20 20 590 770]\n/UserUnit 2.5\n" } },
        { "/Contents 3 0 R", "/MediaBox [0 0 300.5 400] /CropBox [1 2 3 4]", { "/MediaBox[0 0 300.5 400]\n", "/CropBox[1 2 3 4]\n" } },
        { "/MediaBox [0 0 0 0] /Contents 3 0 R", "", { "/MediaBox[0 0 612 792]\n" } },
        { "/MediaBox [0 0 300 400] /Rotate -90 /Contents 3 0 R", "", { "/Rotate 270\n" } },
        { "/Contents 3 0 R", "/MediaBox [0 0 300 400] /Rotate 90", { "/MediaBox[0 0 300 400]\n", "/Contents 6 0 R\n/Rotate 90\n>>" } },
        { "/MediaBox [0 0 300 400] /Rotate 0 /Contents 3 0 R", "", { "/Contents 6 0 R\n>>" } },
        { "/MediaBox [0 0 300 400] /Resources << /ProcSet [/PDF] >>", "", { "/Contents null>>\n", "5 0 obj\n<<\n/ProcSet[/PDF\n]\n>>" } },
        { "/MediaBox [0 0 300 400] /Contents 3 0 R", "", { "5 0 obj\n<<\n>>\nendobj\n" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        Fixture f;
        f.pdf.addStream("", "0 0 m 10 10 l S");
        f.save(in("boxes.pdf"), c.page, c.pagesExtra);
        Copy copy = copyPages(out(), in("boxes.pdf"), { 1 });
        EXPECT_TRUE(copy.ok);
        for (const char *text : c.expected)
            EXPECT_TRUE(contains(copy.bytes, text)) << "missing: " << text << "\nin:\n" << copy.bytes;
        EXPECT_TRUE(qpdfCheckPasses(out()));
    }
}

TEST_F(PageCopyTest, SharedObjectsAreCopiedOncePerSourceDocument)
{
    writeTextDocument(in("a.pdf"), 3, "Alpha");
    writeTextDocument(in("b.pdf"), 2, "Beta"); // the same object numbers as a.pdf
    Copy copy = copyPages(out(), { { in("a.pdf"), { 1, 2, 2 } }, { in("b.pdf"), { 1 } } });
    ASSERT_TRUE(copy.ok);
    auto count = [&](const std::string &text) {
        std::size_t n = 0;
        for (std::size_t at = copy.bytes.find(text); at != std::string::npos; at = copy.bytes.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("/BaseFont /Helvetica"), 2u); // one copy per source document
    EXPECT_EQ(count("/Type/Page\n"), 4u);        // a repeated page is a page of its own...
    EXPECT_EQ(count("stream\nBT /F1"), 3u);      // ...sharing its contents with the first copy
    // Later pages refer to the first copy with no line feed after it.
    EXPECT_TRUE(contains(copy.bytes, "/F1  8 0 R\n>>"));
    EXPECT_TRUE(contains(copy.bytes, "/F1  8 0 R>>"));
    expectPagesMatch(out(), { { in("a.pdf"), 1 }, { in("a.pdf"), 2 }, { in("a.pdf"), 2 }, { in("b.pdf"), 1 } });
}

TEST_F(PageCopyTest, MissingPagesWriteNothing)
{
    writeTextDocument(in("a.pdf"), 2);
    PdfWriter writer(out().c_str(), "Colligo");
    std::unique_ptr<colligo::SourceDocument> document = colligo::SourceDocument::open(in("a.pdf"));
    writer.setSource(document.get());
    EXPECT_EQ(writer.setSource(nullptr), 0);
    writer.addPage(0);
    writer.addPage(3);
    EXPECT_FALSE(writer.isOk());
    writer.addPage(2);
    writer.finish();
    EXPECT_EQ(writer.pageCount(), 1);
    EXPECT_EQ(writer.damagedPageCount(), 0);
    expectPagesMatch(out(), { { in("a.pdf"), 2 } });
}

// A form whose resources are the page's own resources, which list the form:
// the copy refers back instead of recursing forever.
TEST_F(PageCopyTest, ReferenceCyclesEndInReferences)
{
    Fixture f;
    int resources = f.pdf.reserve();
    int font = f.pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    int form = f.pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 300 300] /Resources " + std::to_string(resources) + " 0 R",
                               "BT /F1 18 Tf 20 20 Td (Inside the form) Tj ET");
    f.pdf.add("<< /Font << /F1 " + std::to_string(font) + " 0 R >> /XObject << /Fm1 " + std::to_string(form) + " 0 R /Self " +
                  std::to_string(form) + " 0 R >> >>",
              resources);
    int contents = f.pdf.addStream("", "/Fm1 Do");
    f.save(in("cycle.pdf"), "/MediaBox [0 0 300 300] /Resources " + std::to_string(resources) + " 0 R /Contents " + std::to_string(contents) + " 0 R");
    Copy copy = copyPages(out(), in("cycle.pdf"), { 1 });
    ASSERT_TRUE(copy.ok);
    EXPECT_TRUE(contains(copy.bytes, "/Resources 5 0 R\n"));  // the page's resources, shared...
    EXPECT_TRUE(contains(copy.bytes, "/Resources  5 0 R/"));  // ...with the form that names them
    EXPECT_TRUE(contains(copy.bytes, "/Fm1  9 0 R\n/Self  9 0 R>>")) << copy.bytes; // the second name shares the form's copy
    expectPagesMatch(out(), { { in("cycle.pdf"), 1 } });
}

// Encrypted sources are written decrypted, with the Length of the bytes written.
TEST_F(PageCopyTest, EncryptedSourcesAreWrittenDecrypted)
{
    writeTextDocument(in("plain.pdf"), 2, "Secret");
    const std::pair<const char *, int> ciphers[] = { { "rc4-40.pdf", 40 }, { "rc4-128.pdf", 128 }, { "aes-256.pdf", 256 } };
    for (const auto &[name, bits] : ciphers) {
        SCOPED_TRACE(name);
        std::string extra = bits == 128 ? "--use-aes=y" : "";
        encryptWithQpdf(in("plain.pdf"), in(name), "", "owner", extra, bits);
        Copy copy = copyPages(out(), in(name), { 2, 1 });
        EXPECT_TRUE(copy.ok);
        EXPECT_FALSE(contains(copy.bytes, "/Encrypt"));
        expectPagesMatch(out(), { { in("plain.pdf"), 2 }, { in("plain.pdf"), 1 } });
    }
}

} // namespace
