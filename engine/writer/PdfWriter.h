// PdfWriter writes one new PDF file, front to back in a single pass, from pages
// of source documents opened with poppler. Each object is appended once its text
// is complete and its offset is recorded as it is written; finish() appends the
// page tree, the information dictionary, the catalogue, the cross-reference
// table and the trailer.
//
// The writer is an output device of poppler so that it can stand wherever a
// device is expected, but poppler never drives it: the engine calls it.
#pragma once

#include "TextBuffer.h"

#include <Object.h>
#include <OutputDev.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class PDFDoc;
class Dict;
class Array;
class Stream;
class Page;

namespace colligo {

// A source object whose copy is being assembled further up the current chain.
struct ChainLink
{
    Ref source;
    int outputNumber;
};

class PdfWriter : public OutputDev
{
public:
    // Creates (or truncates) the file at a UTF-8 path and writes the header.
    PdfWriter(const char *outputPath, const char *title);
    // The same for a UTF-16 path. When the first attempt fails, the characters of
    // the file-name part that are not letters, digits or '.' are replaced by
    // spaces in the caller's own text, and the open is tried once more.
    PdfWriter(char16_t *outputPath, const char *title);
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

    // Attaches the document that addPage() copies from; 0 for null.
    int setSource(PDFDoc *document);
    // Copies page `pageNumber` (1-based) of the source as a new page object.
    void addPage(int pageNumber, GfxState *unused = nullptr);

    // Pages whose objects could not all be written (the file stays well formed,
    // but such a page may be missing content).
    int damagedPageCount() const { return damagedPages; }
    int pageCount() const { return static_cast<int>(pageObjects.size()); }

private:
    struct PendingObject
    {
        std::string text; // "n 0 obj" ... "endobj\n"
        int number;
    };
    struct XrefRecord
    {
        std::uint32_t number;
        std::int64_t offset;
    };
    struct PageRecord
    {
        int number;
        int generation;
    };
    struct SharedObjectEntry
    {
        int sourceNumber;
        int outputNumber;
    };
    using SharedObjectMap = std::vector<SharedObjectEntry>;

    // Output primitives.
    void openOutput(const std::string &path);
    void writeHeader();
    void writeBytes(const char *bytes, std::size_t length);
    void writeText(const char *format, ...) __attribute__((format(printf, 2, 3)));
    void startObject(int number);
    void endObject();
    void writeBuffer(TextBuffer &buffer);
    void queueObject(std::string text, int number);
    void writePendingObjects();
    void writeXrefTable();
    int newObjectNumber() { return ++lastObjectNumber; }

    // Object serialisation (values are read resolved; `reachedVia` is the
    // reference through which the value was reached, or Ref::INVALID()).
    bool writeValue(const Object &value, Ref reachedVia, bool inObject, TextBuffer &buffer);
    bool writeReachedValue(const Object &unresolved, bool inObject, TextBuffer &buffer);
    bool writeArrayElements(const Array *array, TextBuffer &buffer);
    bool writeArrayObject(const Array *array, Ref reachedVia, TextBuffer &buffer);
    bool writeDictionaryObject(const Dict *dict, Ref reachedVia, TextBuffer &buffer);
    bool writeStreamObject(Stream *stream, Ref reachedVia, TextBuffer &buffer);
    bool readStreamData(Stream *stream, int declaredLength, std::string &data, bool &lengthChanged);
    bool writeResources(const Dict *resources);
    bool writeSharedDictionary(const Object &dictionary, SharedObjectMap &map, TextBuffer &buffer);
    bool referToChainLink(const Object &unresolved, TextBuffer &buffer);

    bool writePageContents(const Dict *pageDict);
    bool writeResourcesObject(Page *page, const Dict *pageDict, int resourcesNumber);

    std::array<char, 512> title {};
    std::int64_t xrefOffset = 0;
    int lastObjectNumber = 3;
    TextBuffer lineBuffer { 10240 };
    std::FILE *outputFile = nullptr;
    std::int64_t outputOffset = 0; // bytes written so far: the file position
    std::vector<PendingObject> pendingObjects;
    std::vector<XrefRecord> xrefRecords;
    std::vector<PageRecord> pageObjects;
    SharedObjectMap fontMap;
    SharedObjectMap xobjectMap;
    bool ok = true;
    PDFDoc *source = nullptr;
    std::vector<ChainLink> chain;
    int damagedPages = 0;
};

} // namespace colligo
