// Every page of real documents from several producers, copied into a new file
// and judged by qpdf and by the text of each page.
#include "reading/SourceDocument.h"
#include "writer/PdfWriter.h"

#include "Oracles.h"
#include "TempDir.h"

#include <PDFDoc.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_support;

namespace {

const char *const pdfTeXManual = "/usr/share/R/doc/manual/R-FAQ.pdf";     // PDF 1.5, object streams
const char *const pdfTeXRefcard = "/usr/share/doc/octave/refcard-a4.pdf"; // dense Type 1 fonts
const char *const pdfTeXLarge = "/usr/share/doc/gnuplot/gnuplot.pdf";     // 311 pages, figures
const char *const pgfSlides = "/usr/share/doc/texlive-doc/latex/beamer/beameruserguide.pdf"; // PGF shadings and patterns
const char *const contextManual = "/usr/share/doc/texlive-doc/luatex/base/luatex.pdf";       // ConTeXt, document-wide resources
const char *const asymptote = "/usr/share/doc/asymptote/asymptote.pdf";                      // figures from Asymptote
const char *const metapost = "/usr/share/doc/texlive-doc/metapost/fiziko/fiziko.pdf";        // MetaPost drawings

class RealDocumentsTest : public ::testing::TestWithParam<std::string>
{
protected:
    static void SetUpTestSuite()
    {
        folder = new TempDir;
        // Other producers: Ghostscript, cairo, and qpdf writing classic PDF 1.4 tables.
        runCommand("gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -sOutputFile=" + shellQuote(folder->file("ghostscript.pdf")) + " " +
                   pdfTeXRefcard);
        runCommand("pdftocairo -pdf -f 1 -l 12 " + std::string(pdfTeXManual) + " " + shellQuote(folder->file("cairo.pdf")));
        runCommand("qpdf --object-streams=disable --force-version=1.4 " + std::string(pdfTeXManual) + " " +
                   shellQuote(folder->file("classic-1.4.pdf")));
        runCommand("gzip -dc /usr/share/doc/ruby-prawn/manual.pdf.gz > " + shellQuote(folder->file("prawn.pdf")));
    }
    static void TearDownTestSuite() { delete folder; }

    static TempDir *folder;
};

TempDir *RealDocumentsTest::folder = nullptr;

TEST_P(RealDocumentsTest, EveryPageCopiesFaithfully)
{
    std::string source = GetParam().front() == '/' ? GetParam() : folder->file(GetParam());
    ASSERT_TRUE(std::filesystem::exists(source)) << source << " (installed by scripts/install-deps.sh)";
    std::string output = folder->file("copy.pdf");

    std::unique_ptr<colligo::SourceDocument> document = colligo::SourceDocument::open(source);
    ASSERT_TRUE(document->isOk());
    int pages = document->pages().count();
    {
        colligo::PdfWriter writer(output.c_str(), "Colligo");
        writer.setSource(document.get());
        for (int page = 1; page <= pages; ++page)
            writer.addPage(page);
        EXPECT_TRUE(writer.isOk());
        writer.finish();
        EXPECT_TRUE(writer.completed());
    }

    std::vector<SourcePage> expected;
    for (int page = 1; page <= pages; ++page)
        expected.push_back({ source, page });
    expectPagesMatch(output, expected);
    EXPECT_EQ(navigationLines("boxes", output), navigationLines("boxes", source)); // every box exactly as in the source
    // Whatever the pages share is copied once: never much larger than the source.
    EXPECT_LT(std::filesystem::file_size(output), std::filesystem::file_size(source) * 13 / 10);
}

INSTANTIATE_TEST_SUITE_P(Producers, RealDocumentsTest,
                         ::testing::Values(pdfTeXManual, pdfTeXRefcard, pdfTeXLarge, pgfSlides, contextManual, asymptote, metapost, "ghostscript.pdf",
                                           "cairo.pdf", "classic-1.4.pdf", "prawn.pdf"),
                         [](const auto &info) {
                             std::string name = std::filesystem::path(info.param).stem().string();
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace
