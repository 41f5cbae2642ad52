// The readers that judge the whole document, judged themselves: on the fixtures
// of tests/fixtures/whole they must find nothing wrong, and on copies broken on
// purpose (with pikepdf, in a temporary folder) they must name the fault.
#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace testing_support;

namespace {

const char *const hershey = "/usr/share/doc/texlive-doc/metapost/hershey-mp/hershey.pdf"; // ConTeXt, PDF/A-3a, tagged

// Writes `target`: `source` after the Python statements `change`, run with
// `pdf` the open file and `root` its StructTreeRoot (None when it has none).
void brokenCopy(const std::string &source, const std::string &target, const std::string &change)
{
    std::string script = "import sys, pikepdf\n"
                         "from pikepdf import Array, Dictionary, Name, String\n"
                         "pdf = pikepdf.open(sys.argv[1])\n"
                         "root = pdf.Root.get('/StructTreeRoot')\n" +
                         change + "\npdf.save(sys.argv[2])\n";
    CommandResult result = runCommand("/usr/bin/python3 -c " + shellQuote(script) + " " + shellQuote(source) + " " + shellQuote(target));
    ASSERT_EQ(result.status, 0) << result.output;
}

bool hasLine(const std::vector<std::string> &lines, const std::string &line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool hasLineContaining(const std::vector<std::string> &lines, const std::string &part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string &line) { return line.find(part) != std::string::npos; });
}

std::string joined(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

} // namespace

// ---- the structure check ----------------------------------------------------------------------

class StructureCheckTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(StructureCheckTest, FindsNothingWrongInATaggedFixture)
{
    std::string path = GetParam().front() == '/' ? GetParam() : wholeFixture(GetParam());
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " (installed by scripts/install-deps.sh)";
    std::vector<std::string> lines = structureLines("check", path);
    EXPECT_EQ(lines, std::vector<std::string> { "ok" }) << joined(lines);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, StructureCheckTest,
                         ::testing::Values("tagged-en.pdf", "tagged-de.pdf", "pdfa1-en.pdf", "pdfa1-de.pdf", "pdfa2b-de.pdf",
                                           "pdfua-en.pdf", "tagged-ids.pdf", hershey));

TEST(StructureCheck, SaysWhenThereIsNoStructureTree)
{
    EXPECT_EQ(structureLines("check", wholeFixture("layers.pdf")), std::vector<std::string> { "no structure tree" });
}

struct Fault
{
    const char *name;
    const char *change;   // Python statements run on tagged-ids.pdf
    const char *expected; // a part of one line the check prints
};

class StructureFaultTest : public ::testing::TestWithParam<Fault>
{
};

TEST_P(StructureFaultTest, IsNamed)
{
    TempDir folder;
    std::string broken = folder.file("broken.pdf");
    brokenCopy(wholeFixture("tagged-ids.pdf"), broken, GetParam().change);
    std::vector<std::string> lines = structureLines("check", broken);
    EXPECT_FALSE(hasLine(lines, "ok")) << joined(lines);
    EXPECT_TRUE(hasLineContaining(lines, GetParam().expected)) << "expected \"" << GetParam().expected << "\" in:\n" << joined(lines);
}

// tagged-ids.pdf: Document > [Chapter chap1 > [Heading1 h1 (mcid 0, page 1), P (mcid 1) > Link (mcid 2, OBJR)],
// Chapter chap2 > [Heading1 (mcid 0, page 2), Figure (MCR in form Box), P (mcid 1)]]; ParentTree keys
// 0 (page 1), 1 (page 2) in its first kid, 2 (the form), 3 (the link annotation) in its second.
INSTANTIATE_TEST_SUITE_P(
    TaggedIds, StructureFaultTest,
    ::testing::Values(
        Fault { "EntryRemovedFromParentTree", "root.ParentTree.Kids[0].Nums[1][1] = pikepdf.Object.parse(b'null')",
                "page 1: ParentTree[0][1] names no element" },
        Fault { "ElementRemovedFromTree", "root.K.K[0].K[1].K = Array([1])", "page 1: mcid 2 is held by no structure element" },
        Fault { "ElementRemovedFromTreeStillInParentTree", "root.K.K[0].K[1].K = Array([1])",
                "page 1: ParentTree[0][2] is element Link" },
        Fault { "WrongParent", "root.K.K[0].K[0].P = root.K", "/P is not its parent" },
        Fault { "KeyUsedTwice", "pdf.pages[1].obj.StructParents = 0", "ParentTree key 0 is used by both page 1 and page 2" },
        Fault { "StructParentsNotInParentTree", "pdf.pages[1].obj.StructParents = 7", "page 2: /StructParents 7 is not a key of the ParentTree" },
        Fault { "ParentTreeEntryNamesAnotherElement", "root.ParentTree.Kids[0].Nums[1][0] = root.K.K[0].K[1]",
                "page 1: ParentTree[0][0] is element P" },
        Fault { "AnnotationNamesTheWrongElement", "root.ParentTree.Kids[1].Nums[3] = root.K.K[0]", "ParentTree[3] is element Chapter" },
        Fault { "AnnotationWithoutStructParent", "del pdf.pages[0].obj.Annots[0]['/StructParent']",
                "named by an OBJR but has no /StructParent" },
        Fault { "NextKeyTooSmall", "root.ParentTreeNextKey = 2", "ParentTreeNextKey 2 is not greater than every key" },
        Fault { "ParentTreeOutOfOrder", "root.ParentTree.Kids = Array([root.ParentTree.Kids[1], root.ParentTree.Kids[0]])",
                "ParentTree: keys are not in ascending order" },
        Fault { "IdChanged", "root.K.K[0].ID = String('other')", "IDTree chap1: element Chapter" },
        Fault { "IdMissingFromIdTree", "root.K.K[1].K[2].ID = String('para')", "/ID para is not in the IDTree" },
        Fault { "RoleMapCycle", "root.RoleMap.Sect = Name.Chapter", "RoleMap cycle: Chapter -> Sect -> Chapter" },
        Fault { "RoleMapEntryLost", "del root.RoleMap['/Heading1']", "structure type Heading1 maps to no standard type through the RoleMap" },
        Fault { "ElementReachedTwice", "root.K.K.append(root.K.K[0])", "reached twice in the structure tree" },
        Fault { "MarkInfoMissing", "del pdf.Root['/MarkInfo']", "/MarkInfo does not say /Marked true" },
        Fault { "ClassMissing", "del root['/ClassMap']", "class Important is not in the ClassMap" },
        Fault { "FormLosesStructParents", "del pdf.pages[1].obj.Resources.XObject.Box['/StructParents']",
                "lies in no page or structured form of the document" },
        Fault { "MarkedContentDuplicated",
                "pdf.pages[1].obj.Contents.write(pdf.pages[1].obj.Contents.read_bytes() + b'/P <</MCID 1>> BDC EMC\\n')",
                "page 2: mcid 1 is marked 2 times" }),
    [](const ::testing::TestParamInfo<Fault> &info) { return std::string(info.param.name); });

TEST(StructureCheck, NamesAnElementRemovedFromLibreOfficesParentTree)
{
    TempDir folder;
    std::string broken = folder.file("broken.pdf");
    brokenCopy(wholeFixture("tagged-en.pdf"), broken, "root.ParentTree.Nums[1][0] = pikepdf.Object.parse(b'null')");
    std::vector<std::string> lines = structureLines("check", broken);
    EXPECT_TRUE(hasLine(lines, "page 1: ParentTree[0][0] names no element")) << joined(lines);
}

// ---- the structure tree -----------------------------------------------------------------------

TEST(StructureTree, ListsElementsRolesAndContentInReadingOrder)
{
    std::vector<std::string> expected {
        "Document lang=en-GB",
        "  Chapter -> Sect id=chap1 class=Important",
        "    Heading1 -> H1 id=h1",
        "      mcid 0 on page 1",
        "    P",
        "      mcid 1 on page 1",
        "      Link",
        "        mcid 2 on page 1",
        "        objr Link on page 1",
        "  Chapter -> Sect id=chap2",
        "    Heading1 -> H1 lang=fr-FR",
        "      mcid 0 on page 2",
        "    Figure alt=\"A red box drawn by a form XObject\"",
        "      mcid 0 in stream on page 2",
        "    P lang=de-DE",
        "      mcid 1 on page 2",
    };
    EXPECT_EQ(structureLines("tree", wholeFixture("tagged-ids.pdf")), expected);
}

TEST(StructureTree, ReadsLibreOfficesTags)
{
    std::vector<std::string> lines = structureLines("tree", wholeFixture("tagged-en.pdf"));
    EXPECT_EQ(lines.front(), "Document");
    EXPECT_TRUE(hasLine(lines, "  Standard -> P")) << joined(lines);
    EXPECT_TRUE(hasLine(lines, "  Table")) << joined(lines);
    EXPECT_TRUE(hasLine(lines, "      objr Link on page 1")) << joined(lines);
    EXPECT_TRUE(hasLine(lines, "  Figure alt=\"Four squares - Four coloured squares: red and green above, blue and teal below.\""))
        << joined(lines);
    EXPECT_TRUE(hasLine(lines, "    mcid 0 on page 3")) << joined(lines);
}

TEST(StructureTree, PdfinfoReadsTheTagsWithTheirText)
{
    std::vector<std::string> lines = pdfinfoStructText(wholeFixture("tagged-de.pdf"));
    EXPECT_TRUE(hasLine(lines, "Document")) << joined(lines);
    EXPECT_TRUE(hasLineContaining(lines, "\"zusammenfügen\"")) << joined(lines);
    EXPECT_TRUE(hasLineContaining(lines, "Table")) << joined(lines);
}

// ---- pdf.js -----------------------------------------------------------------------------------

TEST(PdfJs, ReadsEachPagesStructure)
{
    std::vector<std::string> expected {
        "page 1",
        "  Document lang=en-GB",
        "    Sect",
        "      H1",
        "        content mcid 0",
        "      P",
        "        content mcid 1",
        "        Link",
        "          content mcid 2",
        "          object",
        "page 2",
        "  Document lang=en-GB",
        "    Sect",
        "      H1 lang=fr-FR",
        "        content mcid 0",
        "      P lang=de-DE",
        "        content mcid 1",
    };
    EXPECT_EQ(pdfjsStructureLines(wholeFixture("tagged-ids.pdf")), expected);
}

class PdfJsFixtureTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(PdfJsFixtureTest, ReadsItWithoutWarnings)
{
    std::string warnings;
    CommandResult result = pdfjsStructure(wholeFixture(GetParam()), true, &warnings);
    EXPECT_EQ(result.status, 0) << GetParam() << ": " << warnings;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PdfJsFixtureTest,
                         ::testing::Values("tagged-de.pdf", "pdfa1-en.pdf", "pdfa1-de.pdf", "pdfa2b-de.pdf", "pdfua-en.pdf", "form.pdf",
                                           "form-lo.pdf", "layers.pdf", "settings.pdf"));

TEST(PdfJs, ReadsLibreOfficesTags)
{
    std::vector<std::string> lines = pdfjsStructureLines(wholeFixture("tagged-en.pdf"));
    EXPECT_TRUE(hasLine(lines, "page 3")) << joined(lines);
    EXPECT_TRUE(hasLine(lines, "    Figure alt=\"Four squares - Four coloured squares: red and green above, blue and teal below.\""))
        << joined(lines);
}

TEST(PdfJs, FailsOnAFileItCannotRead)
{
    TempDir folder;
    std::string bytes = readFile(wholeFixture("tagged-en.pdf"));
    writeFile(folder.file("cut.pdf"), bytes.substr(0, 3000));
    writeFile(folder.file("text.pdf"), "this is no PDF file\n");
    EXPECT_NE(pdfjsStructure(folder.file("cut.pdf")).status, 0);
    EXPECT_NE(pdfjsStructure(folder.file("text.pdf")).status, 0);
}

// ---- PDFBox preflight -------------------------------------------------------------------------

TEST(Preflight, PassesThePdfA1Fixtures)
{
    for (const char *name : { "pdfa1-en.pdf", "pdfa1-de.pdf" }) {
        std::string report;
        EXPECT_TRUE(preflightPasses(wholeFixture(name), &report)) << name << ":\n" << report;
    }
}

TEST(Preflight, FailsWhatIsNoPdfA1)
{
    TempDir folder;
    std::string report;
    EXPECT_FALSE(preflightPasses(wholeFixture("tagged-en.pdf"), &report));
    EXPECT_NE(report.find("not a valid PDF/A-1b"), std::string::npos) << report;
    brokenCopy(wholeFixture("pdfa1-en.pdf"), folder.file("no-xmp.pdf"), "del pdf.Root['/Metadata']");
    EXPECT_FALSE(preflightPasses(folder.file("no-xmp.pdf"), &report)) << report;
    brokenCopy(wholeFixture("pdfa1-de.pdf"), folder.file("no-intent.pdf"), "del pdf.Root['/OutputIntents']");
    EXPECT_FALSE(preflightPasses(folder.file("no-intent.pdf"), &report)) << report;
}

// ---- page images ------------------------------------------------------------------------------

class RenderingTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(RenderingTest, SamePageIsIdenticalAndOtherPagesDiffer)
{
    std::string tagged = wholeFixture("tagged-en.pdf");
    EXPECT_EQ(renderedDifference(tagged, 2, tagged, 2, GetParam()), 0.0);
    EXPECT_GT(renderedDifference(tagged, 1, tagged, 2, GetParam()), 0.02);
    TempDir folder;
    writeTextDocument(folder.file("letter.pdf"), 1);
    EXPECT_EQ(renderedDifference(tagged, 1, folder.file("letter.pdf"), 1, GetParam()), 1.0); // A5 against US Letter
}

TEST_P(RenderingTest, SeesACheckBoxThatIsNoLongerChecked)
{
    TempDir folder;
    std::string form = wholeFixture("form.pdf");
    brokenCopy(form, folder.file("unchecked.pdf"),
               "for annot in pdf.pages[0].obj.Annots:\n"
               "    if annot.get('/T') == 'agree': annot.AS = Name.Off; annot.V = Name.Off");
    EXPECT_EQ(renderedDifference(form, 1, form, 1, GetParam(), 72), 0.0);
    EXPECT_GT(renderedDifference(form, 1, folder.file("unchecked.pdf"), 1, GetParam(), 72), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Renderers, RenderingTest, ::testing::Values("poppler", "mupdf"));

// ---- layers, metadata, settings ---------------------------------------------------------------

TEST(Layers, ListsGroupsConfigurationsAndPages)
{
    std::vector<std::string> expected {
        "ocg \"Notes\"",
        "ocg \"English\"",
        "ocg \"German\"",
        "default configuration \"Screen\"",
        "  base state ON",
        "  on \"English\"",
        "  off \"Notes\", \"German\"",
        "  order \"Notes\"",
        "  order label \"Languages\"",
        "    order \"English\"",
        "    order \"German\"",
        "  rbgroup \"English\", \"German\"",
        "  locked (none)",
        "  as Print category Print ocgs \"Notes\"",
        "configuration \"German reader\"",
        "  base state OFF",
        "  on \"German\", \"Notes\"",
        "  order label \"Sprachen\"",
        "    order \"German\"",
        "    order \"English\"",
        "  order \"Notes\"",
        "  rbgroup \"English\", \"German\"",
        "  locked \"Notes\"",
        "page 1: \"English\", \"German\"",
        "page 2: \"Notes\", \"English\"",
        "page 3: \"Notes\", \"German\"",
    };
    EXPECT_EQ(structureLines("layers", wholeFixture("layers.pdf")), expected);
}

TEST(Layers, FlagsAGroupMissingFromTheList)
{
    TempDir folder;
    brokenCopy(wholeFixture("layers.pdf"), folder.file("broken.pdf"),
               "oc = pdf.Root.OCProperties\noc.OCGs = Array([oc.OCGs[0], oc.OCGs[1]])");
    std::vector<std::string> lines = structureLines("layers", folder.file("broken.pdf"));
    EXPECT_TRUE(hasLine(lines, "page 1: \"German\" is not in /OCProperties /OCGs")) << joined(lines);
    EXPECT_TRUE(hasLine(lines, "page 3: \"German\" is not in /OCProperties /OCGs")) << joined(lines);
}

TEST(Metadata, ReadsPdfAAndPdfUaIdentification)
{
    std::vector<std::string> a1 = structureLines("meta", wholeFixture("pdfa1-en.pdf"));
    EXPECT_TRUE(hasLine(a1, "xmp pdfaid:part: 1")) << joined(a1);
    EXPECT_TRUE(hasLine(a1, "xmp dc:title: Tagged English Sample")) << joined(a1);
    EXPECT_TRUE(hasLine(a1, "info Title: Tagged English Sample")) << joined(a1);
    EXPECT_TRUE(hasLine(a1, "info and xmp agree")) << joined(a1);
    EXPECT_TRUE(hasLineContaining(a1, "output intent GTS_PDFA1 \"sRGB IEC61966-2.1\" profile")) << joined(a1);
    std::vector<std::string> a2 = structureLines("meta", wholeFixture("pdfa2b-de.pdf"));
    EXPECT_TRUE(hasLine(a2, "xmp pdfaid:part: 2")) << joined(a2);
    EXPECT_TRUE(hasLine(a2, "xmp pdfaid:conformance: B")) << joined(a2);
    std::vector<std::string> ua = structureLines("meta", wholeFixture("pdfua-en.pdf"));
    EXPECT_TRUE(hasLine(ua, "xmp pdfuaid:part: 1")) << joined(ua);
    EXPECT_TRUE(hasLine(structureLines("meta", wholeFixture("tagged-en.pdf")), "xmp none"));
}

TEST(Metadata, FlagsInformationThatDisagreesWithXmp)
{
    TempDir folder;
    brokenCopy(wholeFixture("pdfa1-en.pdf"), folder.file("broken.pdf"), "pdf.docinfo['/Title'] = String('Changed')");
    std::vector<std::string> lines = structureLines("meta", folder.file("broken.pdf"));
    EXPECT_TRUE(hasLine(lines, "disagree Title \"Changed\" dc:title \"Tagged English Sample\"")) << joined(lines);
    EXPECT_FALSE(hasLine(lines, "info and xmp agree")) << joined(lines);
}

TEST(Settings, ListsDocumentAndPageSettings)
{
    std::vector<std::string> expected {
        "lang: fr-FR",
        "page mode: UseAttachments",
        "page layout: TwoPageLeft",
        "viewer preference Direction: /L2R",
        "viewer preference DisplayDocTitle: true",
        "viewer preference HideToolbar: true",
        "viewer preference NumCopies: 2",
        "viewer preference PrintScaling: /None",
        "open action: page 2 /FitH 500",
        "document actions: WC",
        "embedded file \"notes.txt\": \"notes.txt\" 40 bytes",
        "javascript \"greeting\"",
        "thread 1 \"The story\": beads on pages 1 2 3",
        "page 1: trans <</D 1.5 /Di 90 /S /Wipe /Type /Trans>> dur 3",
        "page 2: tabs S aa C O",
        "page 3: trans <</S /Dissolve /Type /Trans>> pz 1.5",
    };
    EXPECT_EQ(structureLines("settings", wholeFixture("settings.pdf")), expected);
    std::vector<std::string> german = structureLines("settings", wholeFixture("tagged-de.pdf"));
    EXPECT_TRUE(hasLine(german, "lang: de-DE")) << joined(german);
    EXPECT_TRUE(hasLine(german, "open action: page 2 /FitH 842")) << joined(german);
}

TEST(Settings, FollowsAThreadThatLostAPage)
{
    TempDir folder;
    brokenCopy(wholeFixture("settings.pdf"), folder.file("broken.pdf"), "del pdf.pages[1]");
    std::vector<std::string> lines = structureLines("settings", folder.file("broken.pdf"));
    EXPECT_TRUE(hasLine(lines, "thread 1 \"The story\": beads on pages 1 ? 2")) << joined(lines);
    EXPECT_TRUE(hasLine(lines, "open action: page (not in the document) /FitH 500")) << joined(lines);
}

TEST(Forms, TheFilledFormKeepsItsValues)
{
    std::vector<std::string> expected { "name = Ada Lovelace", "agree = /Yes", "size = /large" };
    EXPECT_EQ(navigationLines("fields", wholeFixture("form.pdf")), expected);
    EXPECT_EQ(navigationLines("fields", wholeFixture("form-lo.pdf")), expected);
}
