// A source document: poppler's parsed file, the list of its pages as a reader
// shows them, and the file itself for copying stream bytes as they are
// stored. Every export opens its sources this one way.
#pragma once

#include "Destinations.h"
#include "PageTree.h"

#include <memory>
#include <string>
#include <vector>

class PDFDoc;
class GooFile;

namespace colligo {

class SourceDocument
{
public:
    // Opens a UTF-8 path; `ownerPassword` (or null) is tried as the owner
    // password, and no user password is ever given.
    static std::unique_ptr<SourceDocument> open(const std::string &path, const char *ownerPassword = nullptr);
    ~SourceDocument();

    SourceDocument(const SourceDocument &) = delete;
    SourceDocument &operator=(const SourceDocument &) = delete;

    // Parsed, and holding at least one page: a document without pages has
    // nothing a reader could show.
    bool isOk() const { return parsed() && !pageTree->empty(); }
    bool parsed() const;
    // poppler's error code when the file was not parsed (4: password missing
    // or wrong); 0 otherwise.
    int errorCode() const;

    PDFDoc &pdf() const { return *document; }
    const PageTree &pages() const { return *pageTree; }
    // Fetches objects by reference, faster than poppler alone on documents
    // with many object streams.
    ObjectReader &objects() const { return *objectReader; }
    const std::string &path() const { return filePath; }
    // The named destinations, read on first use.
    const NamedDestinations &destinations();

    // The source file for reading stored bytes by offset; null when it cannot
    // be opened again.
    GooFile *file();

    // Worker threads parse object streams ahead of the caller while this is
    // on (jobCount() - 1 of them). Threads belong to one export call: the
    // engine turns this off before a document outlives its call.
    void readAhead(bool on);

private:
    SourceDocument(const std::string &path, const char *ownerPassword);
    bool readWholeFile();
    std::unique_ptr<PDFDoc> openCopy() const;

    std::string filePath;
    std::vector<char> contents; // the file, when it is read whole; outlives the parser
    std::unique_ptr<PDFDoc> document;
    std::unique_ptr<ObjectReader> objectReader;
    std::unique_ptr<PageTree> pageTree;
    std::unique_ptr<NamedDestinations> namedDestinations;
    std::unique_ptr<GooFile> rawFile;
    bool rawFileTried = false;
};

// Reads ahead on worker threads for as long as it lives (within one call).
class ReadingAhead
{
public:
    explicit ReadingAhead(SourceDocument &document) : document(document) { document.readAhead(true); }
    ~ReadingAhead() { document.readAhead(false); }
    ReadingAhead(const ReadingAhead &) = delete;
    ReadingAhead &operator=(const ReadingAhead &) = delete;

private:
    SourceDocument &document;
};

// Whether the document allows copying, printing and changing, tested in that
// order; an accepted owner password counts as full permission.
bool allowsCopyPrintChange(PDFDoc &document);

} // namespace colligo
