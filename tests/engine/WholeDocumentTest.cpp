// The whole document survives merges and splits: tagged structure, layers,
// metadata and conformance, viewer settings, attachments, filled forms as
// they look. Judged by independent readers: poppler's pdfinfo -struct-text,
// pdf.js, pikepdf (tests/support/structure_oracle.py), PDFBox preflight and
// page images from poppler and MuPDF.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

using namespace testing_support;

namespace {

using Lines = std::vector<std::string>;

const char realTaggedDocument[] = "/usr/share/doc/texlive-doc/metapost/hershey-mp/hershey.pdf";

bool contains(const Lines &lines, const std::string &line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// pdfinfo's structure with its text, without the object numbers that a
// copy renumbers.
Lines structureText(const std::string &path)
{
    Lines lines;
    for (const std::string &line : pdfinfoStructText(path))
        if (line.find("Object ") == std::string::npos)
            lines.push_back(line);
    return lines;
}

// pdf.js's view of every page, pages shifted by `offset`.
Lines pdfjsPages(const std::string &path, int offset = 0)
{
    Lines lines;
    static const std::regex page("^page ([0-9]+)$");
    std::smatch match;
    for (const std::string &line : pdfjsStructureLines(path))
        lines.push_back(std::regex_match(line, match, page) ? "page " + std::to_string(std::stoi(match[1]) + offset) : line);
    return lines;
}

Lines joined(Lines a, const Lines &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

int pageCount(const std::string &path)
{
    DocumentHandle handle = OpenPDF(path.c_str(), nullptr);
    int pages = handle > 0 ? GetPageCount(handle) : -1;
    if (handle > 0)
        ClosePDF(handle);
    return pages;
}

class WholeDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearList();
        setenv("SOURCE_DATE_EPOCH", "1765400000", 1);
    }

    std::string out(const std::string &name = "out.pdf") const { return dir.file(name); }

    // Merges the entries keeping `keep`, checks the result with qpdf.
    std::string merge(const std::vector<std::pair<std::string, std::string>> &entries, uint32_t keep = COLLIGO_KEEP_ALL)
    {
        for (const auto &[file, range] : entries)
            EXPECT_EQ(AddFile(file.c_str(), range.c_str(), 0), 1) << file;
        SetOutputOptions(keep, 0, nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(Colligo(out().c_str(), 0, nullptr), 1);
        std::string report;
        EXPECT_TRUE(qpdfCheckPasses(out(), &report)) << report;
        return out();
    }

    // The whole file through SplitPDF, the most faithful copy there is.
    std::string copyWhole(const std::string &source, uint32_t keep = COLLIGO_KEEP_ALL)
    {
        std::string copy = out("copy.pdf");
        SetOutputOptions(keep, 0, nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(SplitPDF(source.c_str(), ("1-" + std::to_string(pageCount(source))).c_str(), copy.c_str(), 0, nullptr), 1);
        std::string report;
        EXPECT_TRUE(qpdfCheckPasses(copy, &report)) << report;
        return copy;
    }

    TempDir dir;
};

// ---- Tagged structure -------------------------------------------------------

class TaggedCopyTest : public WholeDocumentTest, public ::testing::WithParamInterface<std::string>
{
};

// Copied whole, a tagged document reads the same to poppler and pdf.js, and
// its marked content, parent tree, IDs and role map stay consistent.
TEST_P(TaggedCopyTest, ReadsTheSameToEveryReader)
{
    std::string source = GetParam().front() == '/' ? GetParam() : wholeFixture(GetParam());
    std::string copy = copyWhole(source);
    EXPECT_EQ(structureText(copy), structureText(source));
    EXPECT_EQ(pdfjsPages(copy), pdfjsPages(source));
    EXPECT_EQ(structureLines("check", copy), Lines { "ok" });
    EXPECT_EQ(structureLines("tree", copy), structureLines("tree", source));
}

INSTANTIATE_TEST_SUITE_P(Producers, TaggedCopyTest,
                         ::testing::Values("tagged-en.pdf", "tagged-de.pdf", "pdfa1-en.pdf", "pdfua-en.pdf", "tagged-ids.pdf",
                                           realTaggedDocument),
                         [](const auto &info) {
                             std::string name = info.param.substr(info.param.rfind('/') + 1);
                             name = name.substr(0, name.find('.'));
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });

// Two tagged files: one tree, a part per file under the document element,
// each part in its file's language, each file's elements as they were.
TEST_F(WholeDocumentTest, TwoTaggedFilesBecomeOneTreeWithAPartEach)
{
    std::string en = wholeFixture("tagged-en.pdf"), de = wholeFixture("tagged-de.pdf");
    std::string merged = merge({ { en, "1-3" }, { de, "1-2" } });
    EXPECT_EQ(structureLines("check", merged), Lines { "ok" });
    Lines tree = structureLines("tree", merged);
    ASSERT_GE(tree.size(), 3u);
    EXPECT_EQ(tree[0], "Document");
    EXPECT_EQ(tree[1], "  Part lang=en-US");
    EXPECT_TRUE(contains(tree, "  Part lang=de-DE"));
    // Below the parts, each file's text and structure as poppler reads them.
    Lines expected = joined(structureText(en), structureText(de));
    Lines got = structureText(merged);
    got.erase(std::remove_if(got.begin(), got.end(), [](const std::string &l) { return l == "Document" || l == "  Part"; }), got.end());
    auto unindented = [](Lines lines) {
        for (std::string &line : lines)
            line.erase(0, line.find_first_not_of(' '));
        lines.erase(std::remove(lines.begin(), lines.end(), "Document"), lines.end());
        return lines;
    };
    EXPECT_EQ(unindented(got), unindented(expected));
    // pdf.js reads each page's elements as in its source, one level deeper.
    auto flattened = [](Lines lines) {
        Lines kept;
        for (std::string &line : lines) {
            std::string bare = line.substr(line.find_first_not_of(' '));
            if (bare != "Document" && bare.rfind("Part", 0) != 0)
                kept.push_back(bare);
        }
        return kept;
    };
    EXPECT_EQ(flattened(pdfjsPages(merged)), flattened(joined(pdfjsPages(en), pdfjsPages(de, 3))));
}

// Part of a file: only the elements holding content of its copied pages; a
// page listed twice gets its own elements, so that every marked content of
// every page copy is reachable once; untagged files stay untagged.
TEST_F(WholeDocumentTest, PartsRepeatsAndUntaggedFilesStayConsistent)
{
    std::string en = wholeFixture("tagged-en.pdf"), de = wholeFixture("tagged-de.pdf"), form = wholeFixture("form.pdf");
    std::string merged = merge({ { en, "2,2" }, { form, "1" }, { de, "2" }, { en, "2" } });
    EXPECT_EQ(structureLines("check", merged), Lines { "ok" });
    Lines tree = structureLines("tree", merged);
    for (const std::string &line : tree)
        EXPECT_EQ(line.find("on page 3"), std::string::npos) << "the untagged form's page holds no tagged content: " << line;
    // Every copy of the English page 2 (pages 1, 2 and 5) is reachable through its own elements.
    for (int page : { 1, 2, 4, 5 })
        EXPECT_TRUE(std::any_of(tree.begin(), tree.end(), [&](const std::string &l) { return l.find("on page " + std::to_string(page)) != std::string::npos; }))
            << "page " << page;
    Lines source = structureLines("tree", en);
    EXPECT_FALSE(std::any_of(tree.begin(), tree.end(), [](const std::string &l) { return l.find("Merging tagged documents") != std::string::npos; }));
    expectPagesMatch(merged, { { en, 2 }, { en, 2 }, { form, 1 }, { de, 2 }, { en, 2 } });
}

// Documents built for the case: two files that give one custom type and
// one class different meanings and use the same element ID.
std::string taggedDocument(const std::string &label, const std::string &role, const std::string &classDefinition,
                           const std::string &extraStructure = "")
{
    PdfBuilder pdf;
    int catalog = pdf.reserve(), pages = pdf.reserve(), page = pdf.reserve(), root = pdf.reserve(), document = pdf.reserve();
    int paragraph = pdf.reserve();
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    int contents = pdf.addStream("", "/Custom <</MCID 0>> BDC BT /F1 24 Tf 72 700 Td (" + label + " page 1) Tj ET EMC");
    pdf.add("<< /Type /Page /Parent " + std::to_string(pages) + " 0 R /MediaBox [0 0 612 792] /StructParents 0 /Resources << /Font << /F1 " +
                std::to_string(font) + " 0 R >> >> /Contents " + std::to_string(contents) + " 0 R >>",
            page);
    pdf.add("<< /Type /Pages /Count 1 /Kids [" + std::to_string(page) + " 0 R] >>", pages);
    std::string p = std::to_string(paragraph) + " 0 R";
    pdf.add("<< /Type /StructElem /S /Custom /C /Emphasis /ID (shared) /P " + std::to_string(document) + " 0 R /Pg " + std::to_string(page) +
                " 0 R /K 0 >>",
            paragraph);
    pdf.add("<< /Type /StructElem /S /Document /P " + std::to_string(root) + " 0 R /K [" + p + "] >>", document);
    int ids = pdf.add("<< /Names [(shared) " + p + "] >>");
    int parentTree = pdf.add("<< /Nums [0 [" + p + "]] >>");
    pdf.add("<< /Type /StructTreeRoot /K " + std::to_string(document) + " 0 R /ParentTree " + std::to_string(parentTree) +
                " 0 R /ParentTreeNextKey 1 /IDTree " + std::to_string(ids) + " 0 R /RoleMap << /Custom /" + role +
                " >> /ClassMap << /Emphasis " + classDefinition + " >> " + extraStructure + ">>",
            root);
    pdf.add("<< /Type /Catalog /Pages " + std::to_string(pages) + " 0 R /StructTreeRoot " + std::to_string(root) +
                " 0 R /MarkInfo << /Marked true >> >>",
            catalog);
    return pdf.build(catalog);
}

TEST_F(WholeDocumentTest, ClashingRolesClassesAndIdsAreRenamedInTheLaterFile)
{
    writeFile(dir.file("a.pdf"), taggedDocument("Alpha", "P", "<< /O /Layout /TextDecorationType /Underline >>"));
    writeFile(dir.file("b.pdf"), taggedDocument("Beta", "H1", "<< /O /Layout /TextDecorationType /LineThrough >>"));
    writeFile(dir.file("c.pdf"), taggedDocument("Gamma", "P", "<< /O /Layout /TextDecorationType /Underline >>"));
    std::string merged = merge({ { dir.file("a.pdf"), "1" }, { dir.file("b.pdf"), "1" }, { dir.file("c.pdf"), "1" } });
    EXPECT_EQ(structureLines("check", merged), Lines { "ok" });
    // The first file keeps its names; the second, which means something else
    // by them, gets new ones; the third agrees with the first and shares them.
    // Every ID stays unique.
    EXPECT_EQ(structureLines("tree", merged),
              (Lines { "Document", "  Part", "    Custom -> P id=shared class=Emphasis", "      mcid 0 on page 1", "  Part",
                       "    Custom_2 -> H1 id=shared-2 class=Emphasis_2", "      mcid 0 on page 2", "  Part",
                       "    Custom -> P id=shared-3 class=Emphasis", "      mcid 0 on page 3" }));
}

// ---- Damaged structure trees ------------------------------------------------

struct DamagedTree
{
    const char *name;
    std::string rootExtra; // entries added to the structure tree root
    std::string replacement; // the paragraph's /K, replaced
};

class DamagedStructureTest : public WholeDocumentTest, public ::testing::WithParamInterface<DamagedTree>
{
};

// What cannot be mapped is left out; the merge succeeds and its tree is consistent.
TEST_P(DamagedStructureTest, MergesIntoAConsistentTree)
{
    const DamagedTree &c = GetParam();
    std::string bytes = taggedDocument("Damaged", "P", "<< /O /Layout >>", c.rootExtra);
    if (!c.replacement.empty())
        bytes = std::regex_replace(bytes, std::regex("/K 0 >>"), c.replacement);
    // The replacement moved objects: qpdf writes the file again with a true table.
    writeFile(dir.file("raw.pdf"), bytes);
    runCommand("qpdf " + shellQuote(dir.file("raw.pdf")) + " " + shellQuote(dir.file("damaged.pdf")));
    std::string damaged = dir.file("damaged.pdf");
    std::string merged = merge({ { damaged, "1" }, { damaged, "1" }, { wholeFixture("tagged-en.pdf"), "1" } });
    Lines check = structureLines("check", merged);
    EXPECT_EQ(check, Lines { "ok" }) << c.name;
    expectPagesMatch(merged, { { damaged, 1 }, { damaged, 1 }, { wholeFixture("tagged-en.pdf"), 1 } });
}

INSTANTIATE_TEST_SUITE_P(Classes, DamagedStructureTest,
                         ::testing::Values(DamagedTree { "KidsLoopBack", "", "/K [0 1 0 R 6 0 R] >>" },
                                           DamagedTree { "PageOutsideTheDocument", "", "/K [<< /Type /MCR /Pg 999 0 R /MCID 0 >> 0] >>" },
                                           DamagedTree { "HugeAndNegativeIds", "", "/K [0 -4 2147483647] >>" },
                                           DamagedTree { "RoleMapInACircle", "/RoleMap << /Custom /Other /Other /Custom >>", "" },
                                           DamagedTree { "ParentTreeWithNegativeKeys", "/ParentTree << /Nums [-5 null] >>", "" },
                                           DamagedTree { "DebrisAmongKids", "", "/K [null (text) /Name 0 << /S 3 >>] >>" }),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- Layers -----------------------------------------------------------------

// Copied whole, the layers read the same; with part of the pages, only the
// groups those pages use stay, with the configuration limited to them.
TEST_F(WholeDocumentTest, LayersKeepTheirGroupsAndConfigurations)
{
    std::string layers = wholeFixture("layers.pdf");
    Lines whole = structureLines("layers", copyWhole(layers));
    EXPECT_EQ(whole, structureLines("layers", layers)) << ::testing::PrintToString(whole);

    std::string part = merge({ { layers, "1" }, { wholeFixture("tagged-en.pdf"), "1" } });
    Lines lines = structureLines("layers", part);
    EXPECT_EQ(lines.front(), "ocg \"English\"") << ::testing::PrintToString(lines);
    EXPECT_FALSE(contains(lines, "ocg \"Notes\"")) << "page 1 does not use the notes layer";
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [](const std::string &l) { return l.find("not in /OCGs") != std::string::npos; }));
}

// ---- Metadata and conformance -------------------------------------------------

TEST_F(WholeDocumentTest, PdfAIsDeclaredOnlyWhereItHolds)
{
    std::string en = wholeFixture("pdfa1-en.pdf"), de = wholeFixture("pdfa1-de.pdf");
    std::string report;
    std::string both = merge({ { en, "1-2" }, { de, "1" } });
    EXPECT_TRUE(preflightPasses(both, &report)) << report;
    Lines meta = structureLines("meta", both);
    EXPECT_TRUE(contains(meta, "xmp pdfaid:part: 1")) << ::testing::PrintToString(meta);
    EXPECT_TRUE(contains(meta, "info and xmp agree")) << ::testing::PrintToString(meta);

    ClearList();
    Lines mixed = structureLines("meta", merge({ { en, "1" }, { wholeFixture("tagged-de.pdf"), "1" } }));
    EXPECT_FALSE(std::any_of(mixed.begin(), mixed.end(), [](const std::string &l) { return l.find("pdfaid") != std::string::npos; }));
    EXPECT_TRUE(contains(mixed, "info and xmp agree")) << ::testing::PrintToString(mixed);

    ClearList();
    std::string ua = wholeFixture("pdfua-en.pdf");
    auto declaresUa = [](const Lines &lines) {
        return std::any_of(lines.begin(), lines.end(), [](const std::string &l) { return l.find("pdfuaid:part: 1") != std::string::npos; });
    };
    EXPECT_TRUE(declaresUa(structureLines("meta", copyWhole(ua))));
    EXPECT_FALSE(declaresUa(structureLines("meta", copyWhole(ua, COLLIGO_KEEP_ALL & ~COLLIGO_KEEP_STRUCTURE))))
        << "without its structure the copy is no PDF/UA";
}

// ---- Settings, attachments, threads -------------------------------------------

TEST_F(WholeDocumentTest, SettingsAttachmentsAndThreadsComeAlong)
{
    std::string settings = wholeFixture("settings.pdf");
    EXPECT_EQ(structureLines("settings", copyWhole(settings)), structureLines("settings", settings));

    // Pages 1 and 3: the open action's page 2 is gone, and so is its bead.
    SetOutputOptions(COLLIGO_KEEP_ALL, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(SplitPDF(settings.c_str(), "1,3", out().c_str(), 0, nullptr), 1);
    Lines lines = structureLines("settings", out());
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [](const std::string &l) { return l.find("open action") != std::string::npos; }));
    EXPECT_TRUE(contains(lines, "thread 1 \"The story\": beads on pages 1 2")) << ::testing::PrintToString(lines);
    EXPECT_TRUE(contains(lines, "embedded file \"notes.txt\": \"notes.txt\" 40 bytes")) << ::testing::PrintToString(lines);
}

// ---- Forms --------------------------------------------------------------------

// A filled check box and radio button look filled in every reader, as in
// the source: their appearance states stay direct dictionaries.
TEST_F(WholeDocumentTest, FilledFormsLookFilledInPopplerAndMupdf)
{
    std::string form = wholeFixture("form.pdf");
    std::string copy = copyWhole(form);
    for (const char *renderer : { "poppler", "mupdf" })
        EXPECT_EQ(renderedDifference(form, 1, copy, 1, renderer, 72), 0.0) << renderer;
}

// ---- Pages only -----------------------------------------------------------------

TEST_F(WholeDocumentTest, PagesOnlyKeepsNothingElse)
{
    std::string merged = merge({ { wholeFixture("tagged-en.pdf"), "1" }, { wholeFixture("layers.pdf"), "1" } }, 0);
    EXPECT_EQ(structureLines("check", merged), Lines { "no structure tree" });
    EXPECT_EQ(readFile(merged).find("/OCProperties"), std::string::npos);
    EXPECT_EQ(readFile(merged).find("/Metadata"), std::string::npos);
}

} // namespace
