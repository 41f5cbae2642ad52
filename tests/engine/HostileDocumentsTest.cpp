// Hostile structures, each valid PDF syntax: chains deeper than any stack,
// graphs with more paths than atoms, loops in every tree. Every export ends
// with a clear result, and every file written passes qpdf.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

std::string ref(int number)
{
    return std::to_string(number) + " 0 R";
}

// One page showing "Hostile"; `resources` and `pageExtra` go into its
// dictionary, `catalogExtra` into the catalogue; `build` adds what they name.
std::string onePage(const std::function<void(PdfBuilder &, std::string &resources, std::string &pageExtra, std::string &catalogExtra)> &build,
                    bool crossReferenceStream = false)
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pages = pdf.reserve();
    int page = pdf.reserve();
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::string resources, pageExtra, catalogExtra;
    build(pdf, resources, pageExtra, catalogExtra);
    int contents = pdf.addStream("", "BT /F1 24 Tf 72 700 Td (Hostile) Tj ET");
    pdf.add("<< /Type /Page /Parent " + ref(pages) + " /MediaBox [0 0 612 792] /Resources << /Font << /F1 " + ref(font) + " >> " + resources +
                " >> /Contents " + ref(contents) + " " + pageExtra + " >>",
            page);
    pdf.add("<< /Type /Pages /Count 1 /Kids [" + ref(page) + "] >>", pages);
    pdf.add("<< /Type /Catalog /Pages " + ref(pages) + " " + catalogExtra + " >>", catalog);
    return crossReferenceStream ? pdf.buildWithXRefStream(catalog) : pdf.build(catalog);
}

// An object stream numbered `number` holding `objects` (number, text), its
// /Length given by `length` or, when empty, as a number.
void addObjectStream(PdfBuilder &pdf, int number, const std::vector<std::pair<int, std::string>> &objects, const std::string &length = "")
{
    std::string header, body;
    for (const auto &[object, text] : objects) {
        header += std::to_string(object) + " " + std::to_string(body.size()) + " ";
        body += text + " ";
    }
    std::string data = header + body;
    std::string entries = "/Type /ObjStm /N " + std::to_string(objects.size()) + " /First " + std::to_string(header.size());
    if (length.empty())
        pdf.addStream(entries, data, number);
    else
        pdf.add("<<" + entries + " /Length " + length + ">>\nstream\n" + data + "\nendstream", number);
}

// A page whose graphics state `state` is the first object of the object
// stream `stream`; `place` writes that stream and says where the
// cross-reference stream puts it.
std::string objectStreamPage(const std::function<void(PdfBuilder &, int stream, int state)> &place)
{
    return onePage(
        [&](PdfBuilder &pdf, std::string &resources, std::string &, std::string &) {
            int stream = pdf.reserve();
            int state = pdf.reserve();
            place(pdf, stream, state);
            pdf.placeInObjectStream(state, stream, 0);
            resources = "/ExtGState << /G1 " + ref(state) + " >>";
        },
        true);
}

// An outline of `depth` levels, each item the only child of the one before.
std::string deepOutline(int depth)
{
    return onePage([depth](PdfBuilder &pdf, std::string &, std::string &, std::string &catalog) {
        int outlines = pdf.reserve();
        int first = pdf.reserve();
        for (int level = 0; level < depth; ++level) {
            int item = first + level;
            if (level > 0)
                pdf.reserve();
            std::string child = level + 1 < depth ? " /First " + ref(item + 1) + " /Last " + ref(item + 1) + " /Count 1" : "";
            pdf.add("<< /Title (Level " + std::to_string(level + 1) + ") /Parent " + ref(level == 0 ? outlines : item - 1) + " /Dest [3 0 R /Fit]" +
                        child + " >>",
                    item);
        }
        pdf.add("<< /Type /Outlines /First " + ref(first) + " /Last " + ref(first) + " /Count 1 >>", outlines);
        catalog = "/Outlines " + ref(outlines);
    });
}

struct Case
{
    const char *name;
    std::function<std::string()> document;
};

const Case cases[] = {
    { "ChainOfTwoHundredThousandDictionaries", [] {
         return onePage([](PdfBuilder &pdf, std::string &resources, std::string &, std::string &) {
             const int length = 200000;
             int first = pdf.reserve();
             for (int i = 1; i < length; ++i)
                 pdf.reserve();
             for (int i = 0; i < length; ++i)
                 pdf.add(i + 1 < length ? "<< /Next " + ref(first + i + 1) + " >>" : "<< /End true >>", first + i);
             resources = "/Chain " + ref(first);
         });
     } },
    { "FortyDictionariesNamingTheNextTwice", [] { // 2^40 paths
         return onePage([](PdfBuilder &pdf, std::string &resources, std::string &, std::string &) {
             int first = pdf.reserve();
             for (int i = 1; i < 40; ++i)
                 pdf.reserve();
             for (int i = 0; i < 40; ++i)
                 pdf.add(i + 1 < 40 ? "<< /A " + ref(first + i + 1) + " /B " + ref(first + i + 1) + " >>" : "<< >>", first + i);
             resources = "/Paths " + ref(first);
         });
     } },
    { "NestedFormsWithBillionsOfPaths", [] { // each form draws the next one twice
         return onePage([](PdfBuilder &pdf, std::string &resources, std::string &, std::string &) {
             int first = pdf.reserve();
             for (int i = 1; i < 40; ++i)
                 pdf.reserve();
             for (int i = 0; i < 40; ++i) {
                 std::string next = i + 1 < 40 ? "/XObject << /Fa " + ref(first + i + 1) + " /Fb " + ref(first + i + 1) + " >>" : "";
                 pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 10 10] /Resources << " + next + " >>", i + 1 < 40 ? "/Fa Do /Fb Do" : "0 0 1 1 re f",
                               first + i);
             }
             resources = "/XObject << /Top " + ref(first) + " >>";
         });
     } },
    { "FormsWhoseResourcesNameEachOther", [] {
         return onePage([](PdfBuilder &pdf, std::string &resources, std::string &, std::string &) {
             int a = pdf.reserve();
             int b = pdf.reserve();
             pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 10 10] /Resources << /XObject << /B " + ref(b) + " >> >>", "/B Do", a);
             pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 10 10] /Resources << /XObject << /A " + ref(a) + " >> >>", "/A Do", b);
             resources = "/XObject << /A " + ref(a) + " >>";
         });
     } },
    { "AnnotationsPointingAtEachOtherAndOutside", [] {
         return onePage([](PdfBuilder &pdf, std::string &, std::string &page, std::string &) {
             int a = pdf.reserve();
             int b = pdf.reserve();
             pdf.add("<< /Type /Annot /Subtype /Text /Rect [0 0 10 10] /Popup " + ref(b) + " /IRT " + ref(b) + " /P 999 0 R >>", a);
             pdf.add("<< /Type /Annot /Subtype /Popup /Rect [0 0 10 10] /Parent " + ref(a) + " /P " + ref(a) + " >>", b);
             int link = pdf.add("<< /Type /Annot /Subtype /Link /Rect [0 0 10 10] /Dest [999 0 R /Fit] >>");
             page = "/Annots [" + ref(a) + " " + ref(b) + " " + ref(link) + "]";
         });
     } },
    { "OutlineHundredThousandLevelsDeep", [] { return deepOutline(100000); } },
    { "OutlineLoops", [] {
         return onePage([](PdfBuilder &pdf, std::string &, std::string &, std::string &catalog) {
             int outlines = pdf.reserve();
             int first = pdf.reserve();
             int second = pdf.reserve();
             // The second item's /Next leads back to the first; the first is its own child.
             pdf.add("<< /Title (First) /Parent " + ref(outlines) + " /Next " + ref(second) + " /First " + ref(first) + " /Last " + ref(first) +
                         " /Dest [3 0 R /Fit] >>",
                     first);
             pdf.add("<< /Title (Second) /Parent " + ref(outlines) + " /Prev " + ref(first) + " /Next " + ref(first) + " /Dest [3 0 R /Fit] >>", second);
             pdf.add("<< /Type /Outlines /First " + ref(first) + " /Last " + ref(second) + " /Count 2 >>", outlines);
             catalog = "/Outlines " + ref(outlines);
         });
     } },
    { "NameTreeThatContainsItself", [] {
         return onePage([](PdfBuilder &pdf, std::string &, std::string &, std::string &catalog) {
             int tree = pdf.reserve();
             pdf.add("<< /Kids [" + ref(tree) + "] /Names [(here) [3 0 R /Fit]] >>", tree);
             catalog = "/Names << /Dests " + ref(tree) + " >> /PageLabels << /Kids [" + ref(tree) + "] >>";
         });
     } },
    // The cross-reference stream says the object stream is its own second object.
    { "ObjectStreamThatContainsItself", [] {
         return objectStreamPage([](PdfBuilder &pdf, int stream, int state) {
             addObjectStream(pdf, stream, { { state, "<< /CA 1 >>" }, { stream, "<< /CA 0.5 >>" } });
             pdf.placeInObjectStream(stream, stream, 1);
         });
     } },
    { "ObjectStreamsInsideEachOther", [] {
         return objectStreamPage([](PdfBuilder &pdf, int stream, int state) {
             int other = pdf.reserve();
             addObjectStream(pdf, stream, { { state, "<< /CA 1 >>" }, { other, "<< /CA 0.5 >>" } });
             addObjectStream(pdf, other, { { stream, "<< /CA 0.5 >>" } });
             pdf.placeInObjectStream(stream, other, 0);
             pdf.placeInObjectStream(other, stream, 1);
         });
     } },
    // Reading the object stream needs its /Length, which lies inside it.
    { "ObjectStreamWhoseLengthIsInsideIt", [] {
         return objectStreamPage([](PdfBuilder &pdf, int stream, int state) {
             int length = pdf.reserve();
             addObjectStream(pdf, stream, { { state, "<< /CA 1 >>" }, { length, "32" } }, ref(length));
             pdf.placeInObjectStream(length, stream, 1);
         });
     } },
    { "PageTreeThatContainsItself", [] {
         PdfBuilder pdf;
         int catalog = pdf.reserve();
         int pages = pdf.reserve();
         int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
         int contents = pdf.addStream("", "BT /F1 24 Tf 72 700 Td (Hostile) Tj ET");
         int page = pdf.add("<< /Type /Page /Parent " + ref(pages) + " /MediaBox [0 0 612 792] /Resources << /Font << /F1 " + ref(font) +
                            " >> >> /Contents " + ref(contents) + " >>");
         pdf.add("<< /Type /Pages /Count 2147483647 /Kids [" + ref(pages) + " " + ref(page) + " " + ref(pages) + "] >>", pages);
         pdf.add("<< /Type /Catalog /Pages " + ref(pages) + " >>", catalog);
         return pdf.build(catalog);
     } },
};

class HostileDocumentsTest : public ::testing::TestWithParam<Case>
{
protected:
    TempDir dir;
};

// Opening, merging the file with itself (keeping everything), splitting, and
// listing and splitting the outline all end, and the one page comes through.
TEST_P(HostileDocumentsTest, EveryExportEndsWithAClearResult)
{
    std::string source = dir.file("hostile.pdf");
    writeFile(source, GetParam().document());
    DocumentHandle handle = OpenPDF(source.c_str(), nullptr);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(GetPageCount(handle), 1);
    int depth = GetOutline(handle, nullptr, 0);
    EXPECT_TRUE(depth == COLLIGO_RESTRICTED || depth >= 1) << depth;
    ClosePDF(handle);

    std::string merged = dir.file("merged.pdf");
    ClearList();
    ASSERT_EQ(AddFile(source.c_str(), "1", 0), 1);
    ASSERT_EQ(AddFile(source.c_str(), "1", 0), 1);
    SetOutputOptions(COLLIGO_KEEP_ALL, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Colligo(merged.c_str(), 0, nullptr), 1);
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(merged, &report)) << report;
    EXPECT_EQ(allPageTexts(merged), (std::vector<std::string> { "Hostile\n", "Hostile\n" }));

    // The same merge in the compact layout.
    std::string compact = dir.file("compact.pdf");
    ClearList();
    ASSERT_EQ(AddFile(source.c_str(), "1", 0), 1);
    ASSERT_EQ(AddFile(source.c_str(), "1", 0), 1);
    SetOutputOptions(COLLIGO_KEEP_ALL | COLLIGO_OUTPUT_COMPACT, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Colligo(compact.c_str(), 0, nullptr), 1);
    EXPECT_TRUE(qpdfCheckPasses(compact, &report)) << report;
    EXPECT_EQ(allPageTexts(compact), (std::vector<std::string> { "Hostile\n", "Hostile\n" }));

    std::string split = dir.file("split.pdf");
    SetOutputOptions(COLLIGO_KEEP_ALL, 0, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SplitPDF(source.c_str(), "1", split.c_str(), 0, nullptr), 1);
    EXPECT_TRUE(qpdfCheckPasses(split, &report)) << report;

    std::string folder = dir.file("sections");
    std::filesystem::create_directory(folder);
    int sections = SplitWithOutline(source.c_str(), folder.c_str(), 1, 0, nullptr);
    EXPECT_TRUE(sections == 1 || sections == COLLIGO_RESTRICTED) << sections;
    for (const auto &file : std::filesystem::directory_iterator(folder))
        EXPECT_TRUE(qpdfCheckPasses(file.path().string(), &report)) << file.path() << report;
}

INSTANTIATE_TEST_SUITE_P(Structures, HostileDocumentsTest, ::testing::ValuesIn(cases), [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// Inputs the fuzzers found crashing the engine, kept as they were found: each
// merges with itself (keeping everything) without a crash, and qpdf reads the
// pages written (their content streams are the fuzzer's own, damage and all).
TEST(FuzzFindings, EachMergesWithItselfWithoutACrash)
{
    TempDir dir;
    for (const auto &finding : std::filesystem::directory_iterator(FUZZ_FINDINGS)) {
        const std::string source = finding.path().string();
        const std::string merged = dir.file("merged.pdf");
        ClearList();
        if (AddFile(source.c_str(), "1-99", 0) != 1 || AddFile(source.c_str(), "1-99", 0) != 1)
            continue; // refused with a reason: also a clear result
        SetOutputOptions(COLLIGO_KEEP_ALL, 1, nullptr, nullptr, nullptr, nullptr);
        if (Colligo(merged.c_str(), 0, nullptr) == 1) {
            EXPECT_GT(qpdfPageCount(merged), 0) << finding.path();
        }
    }
}

} // namespace
