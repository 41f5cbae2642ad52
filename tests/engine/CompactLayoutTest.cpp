// The compact layout (object streams, a cross-reference stream, objects that
// several files hold written once) read back by readers that share no code
// with the engine: qpdf's check and its cross-reference listing, pikepdf for
// which objects the file holds, pdftotext for the text of every page, and
// poppler and MuPDF rendering the same pages as from the classic layout.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace testing_support;

namespace {

const char templateFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string ref(int number)
{
    return std::to_string(number) + " 0 R";
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A 32x32 grey logo; `variant` changes one byte of it.
std::string logoBytes(int variant)
{
    std::string pixels;
    for (int i = 0; i < 32 * 32; ++i)
        pixels.push_back(static_cast<char>((i * 7) % 256));
    if (variant)
        pixels[517] = static_cast<char>(pixels[517] ^ 0x40);
    return pixels;
}

// Two pages made from one template: the same embedded font and logo on each,
// different text. `logoVariant` changes one byte of the logo.
std::string templateDocument(const std::string &label, int logoVariant = 0)
{
    PdfBuilder pdf;
    std::string fontBytes = readFile(templateFont);
    int fontFile = pdf.addStream("/Length1 " + std::to_string(fontBytes.size()), fontBytes);
    int descriptor = pdf.add("<< /Type /FontDescriptor /FontName /DejaVuSans /Flags 32 /FontBBox [-1021 -463 1793 1232] /ItalicAngle 0"
                             " /Ascent 928 /Descent -236 /CapHeight 700 /StemV 80 /FontFile2 " + ref(fontFile) + " >>");
    std::string widths;
    for (int c = 32; c <= 126; ++c)
        widths += " 600";
    int font = pdf.add("<< /Type /Font /Subtype /TrueType /BaseFont /DejaVuSans /FirstChar 32 /LastChar 126 /Widths [" + widths +
                       " ] /Encoding /WinAnsiEncoding /FontDescriptor " + ref(descriptor) + " >>");
    int logo = pdf.addStream("/Type /XObject /Subtype /Image /Width 32 /Height 32 /ColorSpace /DeviceGray /BitsPerComponent 8",
                             logoBytes(logoVariant));
    int pages = pdf.reserve();
    std::string kids;
    for (int page = 1; page <= 2; ++page) {
        std::string content = "q 64 0 0 64 40 700 cm /Logo Do Q BT /F1 18 Tf 72 640 Td (" + label + " page " + std::to_string(page) + ") Tj ET";
        int contents = pdf.addStream("", content);
        kids += ref(pdf.add("<< /Type /Page /Parent " + ref(pages) + " /MediaBox [0 0 612 792] /Resources << /Font << /F1 " + ref(font) +
                            " >> /XObject << /Logo " + ref(logo) + " >> >> /Contents " + ref(contents) + " >>")) + " ";
    }
    pdf.add("<< /Type /Pages /Kids [" + kids + "] /Count 2 >>", pages);
    int catalog = pdf.add("<< /Type /Catalog /Pages " + ref(pages) + " >>");
    return pdf.build(catalog);
}

// A page whose form names itself among its resources: a cycle the copier
// meets while the form is being written.
std::string selfNamingForm(const std::string &label)
{
    PdfBuilder pdf;
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    int form = pdf.reserve();
    pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << /Font << /F1 " + ref(font) + " >> /XObject << /Self " +
                      ref(form) + " >> >>",
                  "BT /F1 14 Tf 72 700 Td (" + label + ") Tj ET", form);
    int pages = pdf.reserve();
    int contents = pdf.addStream("", "/Fm Do");
    int page = pdf.add("<< /Type /Page /Parent " + ref(pages) + " /MediaBox [0 0 612 792] /Resources << /XObject << /Fm " + ref(form) +
                       " >> >> /Contents " + ref(contents) + " >>");
    pdf.add("<< /Type /Pages /Kids [" + ref(page) + "] /Count 1 >>", pages);
    int catalog = pdf.add("<< /Type /Catalog /Pages " + ref(pages) + " >>");
    return pdf.build(catalog);
}

void writeFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

int mergeFiles(const std::vector<std::string> &files, const std::string &output, std::uint32_t keep)
{
    ClearList();
    for (const std::string &file : files)
        if (AddFile(file.c_str(), "1-99", 0) != 1)
            return 0;
    SetOutputOptions(keep, 0, nullptr, nullptr, nullptr, nullptr);
    return Colligo(output.c_str(), 0, nullptr);
}

// pikepdf's count of the file's objects of a kind: "font" (/Type /Font),
// "fontfile" (streams with /Length1), "image" (/Subtype /Image).
int objectsOfKind(const std::string &path, const std::string &kind)
{
    std::string script =
        "import pikepdf, sys\n"
        "pdf = pikepdf.open(sys.argv[1]); kind = sys.argv[2]\n"
        "def of(o):\n"
        "    d = o.stream_dict if isinstance(o, pikepdf.Stream) else o\n"
        "    if not isinstance(d, pikepdf.Dictionary): return False\n"
        "    if kind == 'font': return d.get('/Type') == '/Font'\n"
        "    if kind == 'fontfile': return '/Length1' in d\n"
        "    return d.get('/Subtype') == '/Image'\n"
        "print(sum(1 for o in pdf.objects if of(o)))\n";
    CommandResult result = runCommand("/usr/bin/python3 -c " + shellQuote(script) + " " + shellQuote(path) + " " + kind);
    EXPECT_EQ(result.status, 0) << result.output;
    return std::atoi(result.output.c_str());
}

// From qpdf's listing: how many objects lie in object streams, and whether
// the file has a cross-reference table.
struct Layout
{
    int packed = 0;
    bool table = false;
};

Layout layoutOf(const std::string &path)
{
    CommandResult xref = runCommand("qpdf --show-xref " + shellQuote(path));
    EXPECT_EQ(xref.status, 0) << xref.output;
    Layout layout;
    std::istringstream lines(xref.output);
    for (std::string line; std::getline(lines, line);)
        layout.packed += line.find("compressed; stream =") != std::string::npos;
    layout.table = readFile(path).find("\nxref\n") != std::string::npos;
    return layout;
}

class CompactLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(templateFont)) << templateFont << " (fonts-dejavu-core)";
        first = dir.file("first.pdf");
        second = dir.file("second.pdf");
        writeFile(first, templateDocument("First"));
        writeFile(second, templateDocument("Second"));
    }

    TempDir dir;
    std::string first, second;
};

struct Flavour
{
    const char *name;
    std::uint32_t keep;
};

const Flavour flavours[] = {
    { "Compact", COLLIGO_OUTPUT_COMPACT },
    { "CompactKeepingAll", COLLIGO_OUTPUT_COMPACT | COLLIGO_KEEP_ALL },
    { "CompactNoDedupe", COLLIGO_OUTPUT_COMPACT | COLLIGO_OUTPUT_NO_DEDUPE },
    { "CompactCompressed", COLLIGO_OUTPUT_COMPACT | COLLIGO_OUTPUT_COMPRESS },
    { "ClassicCompressed", COLLIGO_OUTPUT_COMPRESS },
};

class CompactFlavourTest : public CompactLayoutTest, public ::testing::WithParamInterface<Flavour>
{
};

// Every flavour reads as the classic layout does: qpdf finds it sound, every
// page holds its text, and both renderers draw the same pages.
TEST_P(CompactFlavourTest, ReadsAsTheClassicLayout)
{
    const Flavour &flavour = GetParam();
    std::string classic = dir.file("classic.pdf"), output = dir.file("output.pdf");
    ASSERT_EQ(mergeFiles({ first, second }, classic, 0), 1);
    ASSERT_EQ(mergeFiles({ first, second }, output, flavour.keep), 1);
    expectPagesMatch(output, { { first, 1 }, { first, 2 }, { second, 1 }, { second, 2 } });
    for (int page = 1; page <= 4; ++page)
        for (const char *renderer : { "poppler", "mupdf" })
            EXPECT_EQ(renderedDifference(classic, page, output, page, renderer), 0.0) << renderer << " page " << page;

    Layout layout = layoutOf(output);
    bool compact = (flavour.keep & COLLIGO_OUTPUT_COMPACT) != 0;
    EXPECT_EQ(layout.table, !compact);
    if (compact)
        EXPECT_GT(layout.packed, 10);
    else
        EXPECT_EQ(layout.packed, 0);
    EXPECT_LT(std::filesystem::file_size(output), std::filesystem::file_size(classic));
}

INSTANTIATE_TEST_SUITE_P(Flavours, CompactFlavourTest, ::testing::ValuesIn(flavours), [](const auto &info) { return std::string(info.param.name); });

// Files from one template share their font, font file and logo: one object
// each; without deduplication, one per file.
TEST_F(CompactLayoutTest, WhatFilesShareIsWrittenOnce)
{
    std::string shared = dir.file("shared.pdf"), separate = dir.file("separate.pdf");
    ASSERT_EQ(mergeFiles({ first, second }, shared, COLLIGO_OUTPUT_COMPACT), 1);
    ASSERT_EQ(mergeFiles({ first, second }, separate, COLLIGO_OUTPUT_COMPACT | COLLIGO_OUTPUT_NO_DEDUPE), 1);
    for (const char *kind : { "font", "fontfile", "image" }) {
        EXPECT_EQ(objectsOfKind(shared, kind), 1) << kind;
        EXPECT_EQ(objectsOfKind(separate, kind), 2) << kind;
    }
    EXPECT_LT(std::filesystem::file_size(shared) + 500000, std::filesystem::file_size(separate));
}

// Logos that differ in one byte stay two images, each drawn on its own pages.
TEST_F(CompactLayoutTest, StreamsThatDifferInOneByteStayApart)
{
    std::string changed = dir.file("changed.pdf"), output = dir.file("output.pdf"), classic = dir.file("classic.pdf");
    writeFile(changed, templateDocument("Second", 1));
    ASSERT_EQ(mergeFiles({ first, changed }, output, COLLIGO_OUTPUT_COMPACT), 1);
    ASSERT_EQ(mergeFiles({ first, changed }, classic, 0), 1);
    EXPECT_EQ(objectsOfKind(output, "image"), 2);
    EXPECT_EQ(objectsOfKind(output, "fontfile"), 1);
    expectPagesMatch(output, { { first, 1 }, { first, 2 }, { changed, 1 }, { changed, 2 } });
    EXPECT_EQ(renderedDifference(classic, 3, output, 3, "poppler", 72), 0.0);
}

// A form that names itself is written under the number the cycle gave it, in
// each file (its content is not complete when the cycle meets it), and still
// names itself.
TEST_F(CompactLayoutTest, CyclesKeepTheirReferences)
{
    std::string one = dir.file("one.pdf"), two = dir.file("two.pdf"), output = dir.file("output.pdf");
    writeFile(one, selfNamingForm("One"));
    writeFile(two, selfNamingForm("Two"));
    ASSERT_EQ(mergeFiles({ one, two, one }, output, COLLIGO_OUTPUT_COMPACT | COLLIGO_KEEP_ALL), 1);
    expectPagesMatch(output, { { one, 1 }, { two, 1 }, { one, 1 } });
    std::string script = "import pikepdf, sys\n"
                         "pdf = pikepdf.open(sys.argv[1])\n"
                         "for page in pdf.pages:\n"
                         "    form = page.Resources.XObject.Fm\n"
                         "    print(form.Resources.XObject.Self.objgen == form.objgen, form.objgen[0])\n";
    CommandResult result = runCommand("/usr/bin/python3 -c " + shellQuote(script) + " " + shellQuote(output));
    ASSERT_EQ(result.status, 0) << result.output;
    std::istringstream lines(result.output);
    std::vector<std::string> self, number;
    for (std::string is, n; lines >> is >> n;) {
        self.push_back(is);
        number.push_back(n);
    }
    EXPECT_EQ(self, (std::vector<std::string> { "True", "True", "True" }));
    ASSERT_EQ(number.size(), 3u);
    EXPECT_NE(number[0], number[1]);
    EXPECT_EQ(number[0], number[2]); // the second listing of a file shares its copy
}

// Encrypted sources come out decrypted and readable in the compact layout.
TEST_F(CompactLayoutTest, EncryptedSourcesComeThrough)
{
    std::string locked = dir.file("locked.pdf"), output = dir.file("output.pdf");
    encryptWithQpdf(first, locked, "", "owner", "", 256);
    ASSERT_EQ(mergeFiles({ locked, second }, output, COLLIGO_OUTPUT_COMPACT | COLLIGO_KEEP_ALL), 1);
    expectPagesMatch(output, { { first, 1 }, { first, 2 }, { second, 1 }, { second, 2 } });
    EXPECT_GT(layoutOf(output).packed, 10);
}

// Tagged documents keeping everything: the structure tree is as sound as in
// the classic layout and reads the same.
TEST(CompactLayout, TaggedDocumentsKeepTheirStructure)
{
    TempDir dir;
    std::string en = wholeFixture("tagged-en.pdf"), de = wholeFixture("tagged-de.pdf");
    std::string compact = dir.file("compact.pdf"), classic = dir.file("classic.pdf");
    ASSERT_EQ(mergeFiles({ en, de }, compact, COLLIGO_OUTPUT_COMPACT | COLLIGO_KEEP_ALL), 1);
    ASSERT_EQ(mergeFiles({ en, de }, classic, COLLIGO_KEEP_ALL), 1);
    std::vector<std::string> check = structureLines("check", compact);
    EXPECT_EQ(check, std::vector<std::string> { "ok" });
    EXPECT_EQ(structureLines("tree", compact), structureLines("tree", classic));
    EXPECT_GT(layoutOf(compact).packed, 10);
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(compact, &report)) << report;
}

// PDF/A-1 forbids object and cross-reference streams: a merge that keeps
// the metadata of a first file declaring it is written in the classic layout.
TEST(CompactLayout, PdfA1SourcesKeepTheClassicLayout)
{
    TempDir dir;
    std::string output = dir.file("output.pdf");
    ASSERT_EQ(mergeFiles({ wholeFixture("pdfa1-en.pdf"), wholeFixture("pdfa1-de.pdf") }, output, COLLIGO_OUTPUT_COMPACT | COLLIGO_KEEP_ALL), 1);
    Layout layout = layoutOf(output);
    EXPECT_TRUE(layout.table);
    EXPECT_EQ(layout.packed, 0);
    EXPECT_NE(readFile(output).find("pdfaid:part>1<"), std::string::npos);
}

// Without a layout flag the output keeps the classic table, whatever is kept.
TEST(CompactLayout, NoLayoutFlagMeansTheClassicTable)
{
    TempDir dir;
    std::string source = wholeFixture("tagged-en.pdf"), output = dir.file("output.pdf");
    ASSERT_EQ(mergeFiles({ source, source }, output, COLLIGO_KEEP_ALL), 1);
    Layout layout = layoutOf(output);
    EXPECT_TRUE(layout.table);
    EXPECT_EQ(layout.packed, 0);
}

} // namespace

// The exports with 1, 2 and 8 threads in all (COLLIGO_JOBS): a merge that
// alternates two real manuals page by page, keeping everything, and a split
// of one of them, write the same bytes each time; the C API reads the
// variable at each call, as a host program sets it.
TEST(WorkerThreads, MergesAndSplitsWriteTheSameBytesWithAnyNumber)
{
    const std::string manuals[] = { "/usr/share/R/doc/manual/R-intro.pdf", "/usr/share/R/doc/manual/R-exts.pdf" };
    for (const std::string &manual : manuals)
        ASSERT_TRUE(std::filesystem::exists(manual)) << "installed by scripts/install-deps.sh";
    TempDir dir;
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    std::string mergedFirst, splitFirst;
    for (const char *jobs : { "1", "2", "8" }) {
        setenv("COLLIGO_JOBS", jobs, 1);
        ClearList();
        for (int page = 1; page <= 40; ++page)
            for (const std::string &manual : manuals)
                ASSERT_EQ(AddFile(manual.c_str(), std::to_string(page).c_str(), 0), 1);
        SetOutputOptions(COLLIGO_KEEP_ALL | COLLIGO_OUTPUT_COMPACT, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_EQ(Colligo(dir.file("merged.pdf").c_str(), 0, nullptr), 1) << jobs << " threads";
        SetOutputOptions(COLLIGO_KEEP_ALL | COLLIGO_OUTPUT_COMPACT, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_EQ(SplitPDF(manuals[1].c_str(), "3-60,2", dir.file("part.pdf").c_str(), 0, nullptr), 1) << jobs << " threads";
        std::string merged = testing_support::readFile(dir.file("merged.pdf"));
        std::string split = testing_support::readFile(dir.file("part.pdf"));
        if (mergedFirst.empty()) {
            mergedFirst = merged;
            splitFirst = split;
            std::string report;
            EXPECT_TRUE(qpdfCheckPasses(dir.file("merged.pdf"), &report)) << report;
            continue;
        }
        EXPECT_TRUE(merged == mergedFirst) << jobs << " threads: the merges differ";
        EXPECT_TRUE(split == splitFirst) << jobs << " threads: the splits differ";
    }
    unsetenv("COLLIGO_JOBS");
}
