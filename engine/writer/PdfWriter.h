// PdfWriter writes one new PDF file, front to back in a single pass, from pages
// of source documents. Each object is appended once its text is complete and
// its offset is recorded as it is written; finish() appends what the pages
// need around them (bookmarks, destinations, the form, page labels), the page
// tree, the information dictionary, the catalogue, the cross-reference table
// and the trailer.
//
// Each attached source document has one object map for the whole output:
// whatever it shares between pages is copied once, also across repeated
// listings of the document and across switches between documents. The caller
// attaches a document, adds its pages, may switch to other documents and
// back, and releases it after its last page; only then does the writer write
// what the document contributes besides its pages, and drop its map.
//
// The writer is an output device of poppler so that it can stand wherever a
// device is expected, but poppler never drives it: the engine calls it.
#pragma once

#include "OutputFile.h"
#include "OutputOptions.h"

#include <OutputDev.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace colligo {

class SourceDocument;
class SourceState;
class OutputNavigation;
class OutputStructure;
class OutputDocumentParts;

// What the caller knows of a document before its pages are copied.
struct SourcePlan
{
    // The pages (0-based) that the output will hold, in any order, repeats
    // allowed: links and bookmarks may point at pages copied later.
    std::vector<int> pages;
    // A name for the document's own bookmark (its file name).
    std::string label;
};

class PdfWriter : public OutputDev
{
public:
    // Creates (or truncates) the file at a UTF-8 path and writes the header.
    PdfWriter(const char *outputPath, const char *title, OutputOptions options = {});
    // The same for a UTF-16 path. When the first attempt fails, the characters of
    // the file-name part that are not letters, digits or '.' are replaced by
    // spaces in the caller's own text, and the open is tried once more.
    PdfWriter(char16_t *outputPath, const char *title, OutputOptions options = {});
    // Closes the file if finish() never ran, keeping what was written so far.
    ~PdfWriter() override;

    PdfWriter(const PdfWriter &) = delete;
    PdfWriter &operator=(const PdfWriter &) = delete;

    // OutputDev's queries; the writer never draws.
    bool upsideDown() override { return false; }
    bool useDrawChar() override { return false; }
    bool interpretType3Chars() override { return false; }
    void startPage(int pageNum, GfxState *state, XRef *) override { addPage(pageNum, state); }

    virtual bool isOk() const { return ok; }
    virtual void finish();

    // Attaches the document that addPage() copies from; 0 for null. The plan
    // counts only when the document is attached for the first time.
    int setSource(SourceDocument *document, const SourcePlan &plan = {});
    // Copies page `pageNumber` (1-based) of the source as a new page object.
    void addPage(int pageNumber, GfxState *unused = nullptr);
    // The document will not be attached again: writes what it adds besides
    // its pages and forgets it. The caller may close it afterwards.
    void releaseSource(SourceDocument *document);

    // Pages whose objects could not all be written (the file stays well formed,
    // but such a page may be missing content).
    int damagedPageCount() const { return damagedPages; }
    int pageCount() const { return static_cast<int>(pageObjects.size()); }
    // Whether finish() wrote the whole file (every write succeeded).
    bool completed() const { return finishedWell; }

private:
    bool createOutput(const std::string &utf8Path);
    SourceState *stateOf(SourceDocument *document);

    // The page object and its parts (PageCopy.cpp).
    void writePageObject(SourceState &source, int index, const Object &pageDict, int pageNumber);
    void writeBox(const char *key, const Object &box);
    void writeResources(SourceState &source, const Object &resources, int resourcesNumber);
    void writePageEntries(SourceState &source, int index, const Object &pageDict, int pageNumber);

    void chooseLayout(SourceDocument &first);
    void attachParts(SourceState &state);
    std::string writeCatalogParts();
    void writePageTree();
    void writeInformation();

    OutputOptions options;
    std::array<char, 512> title {};
    OutputFile output;
    TextBuffer lineBuffer { 10240 };
    std::vector<int> pageObjects;
    std::vector<std::unique_ptr<SourceState>> sources;
    SourceState *current = nullptr;
    std::unique_ptr<OutputNavigation> navigation;
    std::unique_ptr<OutputStructure> structure;
    std::unique_ptr<OutputDocumentParts> parts;
    int attachedDocuments = 0;
    bool ok = true;
    bool finishedWell = false;
    int damagedPages = 0;
};

} // namespace colligo
