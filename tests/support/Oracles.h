// Independent readers that judge what the engine writes: qpdf's structural
// check, and poppler-utils' pdftotext for the text of each page; for the whole
// document (tags, layers, metadata, settings) pikepdf, poppler's pdfinfo, pdf.js,
// PDFBox preflight, and page images from poppler and MuPDF.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct CommandResult
{
    int status;
    std::string output; // standard output and standard error together
};

CommandResult runCommand(const std::string &command);
std::string shellQuote(const std::string &text);

// `qpdf --check`: true when it reports no errors or warnings.
bool qpdfCheckPasses(const std::string &path, std::string *report = nullptr);
int qpdfPageCount(const std::string &path);
// Text of one page (1-based) as pdftotext lays it out.
std::string pageText(const std::string &path, int page);
// Text of every page, in one pdftotext run (index 0 is page 1).
std::vector<std::string> allPageTexts(const std::string &path);

// What pikepdf (on qpdf) reads of the file's navigation, one line per item:
// `what` is links, outline, dests, fields or labels (see navigation_oracle.py).
std::vector<std::string> navigationLines(const std::string &what, const std::string &path);

// What pikepdf (on qpdf) reads of the whole document, one line per item:
// `what` is tree, check, layers, meta or settings (see structure_oracle.py).
// "check" prints "ok" alone for a consistent structure tree.
std::vector<std::string> structureLines(const std::string &what, const std::string &path);

// poppler's reading of the structure tree with each element's text (`pdfinfo -struct-text`).
std::vector<std::string> pdfinfoStructText(const std::string &path);

// pdf.js's page.getStructTree() of every page ("page N" lines, then the tree
// indented; see pdfjs_structure.mjs). pdfjsStructure gives its exit status
// (0 read, 1 pdf.js cannot read it, 3 with `strict` when pdf.js warned) and
// standard output; the warnings go to `warnings`. pdfjsStructureLines fails
// the test unless pdf.js reads the file.
CommandResult pdfjsStructure(const std::string &path, bool strict = false, std::string *warnings = nullptr);
std::vector<std::string> pdfjsStructureLines(const std::string &path);

// PDFBox preflight: true when the file is valid PDF/A-1b (PDF/A-1a files are
// too); `report` gets its findings.
bool preflightPasses(const std::string &path, std::string *report = nullptr);

// Renders page `pageA` of `a` and page `pageB` of `b` (1-based) at `dpi` with
// `renderer` "poppler" (pdftoppm) or "mupdf" (mutool draw) and returns the
// share of pixels that differ by more than 32 (of 255) in any colour: 0 for
// the same page, 1 when the page sizes differ. Fails the test (and returns 1)
// when a page cannot be rendered.
double renderedDifference(const std::string &a, int pageA, const std::string &b, int pageB, const std::string &renderer,
                          int dpi = 36);

// A fixture of tests/fixtures/whole (see make-fixtures.sh there).
std::string wholeFixture(const std::string &name);

// Encrypts `in` into `out` with qpdf (`restrictions` are extra qpdf options such
// as "--print=none"); an empty user password lets anyone open the file.
void encryptWithQpdf(const std::string &in, const std::string &out, const std::string &userPassword,
                     const std::string &ownerPassword, const std::string &restrictions = "", int keyBits = 128);

// Checks that every page of `output` holds the text of the listed source page
// (file, page) in order, and that qpdf finds the file sound. Fails the test
// with a clear message otherwise.
struct SourcePage
{
    std::string file;
    int page;
};
void expectPagesMatch(const std::string &output, const std::vector<SourcePage> &expected);

} // namespace testing_support
