#include "SourceDocument.h"

#include "platform/FileSystem.h"
#include "platform/Jobs.h"

#include <goo/GooString.h>
#include <goo/gfile.h>
#include <PDFDoc.h>
#include <Stream.h>

#include <algorithm>
#include <optional>

namespace colligo {

std::unique_ptr<SourceDocument> SourceDocument::open(const std::string &path, const char *ownerPassword)
{
    return std::unique_ptr<SourceDocument>(new SourceDocument(path, ownerPassword));
}

namespace {

// Files up to this size are read into memory at once: poppler reads a file
// 256 bytes at a time, which makes every object fetched a few system calls.
constexpr Goffset wholeFileLimit = Goffset(64) << 20;

std::unique_ptr<PDFDoc> openFile(const std::string &path, const std::optional<GooString> &owner)
{
#ifdef _WIN32
    // poppler's narrow constructor would read the path in the ANSI code page.
    std::wstring wide = windowsPath(path);
    return std::make_unique<PDFDoc>(wide.data(), static_cast<int>(wide.size()), owner);
#else
    return std::make_unique<PDFDoc>(std::make_unique<GooString>(path), owner);
#endif
}

} // namespace

// The whole file in memory: read once, so that a file changed on disk later
// cannot pull the bytes from under the parser.
bool SourceDocument::readWholeFile()
{
    if (!isRegularFile(filePath))
        return false; // a named pipe opens once: leave it to the parser
    GooFile *source = file();
    Goffset size = source ? source->size() : -1;
    if (size <= 0 || size > wholeFileLimit) {
        rawFile.reset();
        rawFileTried = false;
        return false;
    }
    contents.resize(static_cast<std::size_t>(size));
    for (Goffset done = 0; done < size;) {
        int got = source->read(contents.data() + done, static_cast<int>(std::min<Goffset>(size - done, 1 << 20)), done);
        if (got <= 0) {
            contents.clear();
            rawFile.reset();
            rawFileTried = false;
            return false;
        }
        done += got;
    }
    // No handle stays open on a file that a list merely holds (on Windows it
    // would keep the user from deleting or renaming the file); the writer
    // opens it again when it copies stream bytes.
    rawFile.reset();
    rawFileTried = false;
    return true;
}

SourceDocument::SourceDocument(const std::string &path, const char *ownerPassword) : filePath(path)
{
    std::optional<GooString> owner;
    if (ownerPassword)
        owner.emplace(ownerPassword);
    if (readWholeFile())
        document = std::make_unique<PDFDoc>(new MemStream(contents.data(), 0, static_cast<Goffset>(contents.size()), Object(objNull)), owner);
    else
        document = openFile(filePath, owner);
    if (document->isOk()) {
        objectReader = std::make_unique<ObjectReader>(*document->getXRef());
        pageTree = std::make_unique<PageTree>(*objectReader);
    }
}

// A second poppler document over the same bytes, for a read-ahead thread.
std::unique_ptr<PDFDoc> SourceDocument::openCopy() const
{
    if (!contents.empty())
        return std::make_unique<PDFDoc>(new MemStream(contents.data(), 0, static_cast<Goffset>(contents.size()), Object(objNull)));
    return openFile(filePath, std::nullopt);
}

void SourceDocument::readAhead(bool on)
{
    if (!objectReader)
        return;
    int jobs = on ? jobCount() : 1;
    if (jobs > 1)
        objectReader->readAhead([this] { return openCopy(); }, jobs - 1);
    else
        objectReader->stopReadingAhead();
}

SourceDocument::~SourceDocument() = default;

bool SourceDocument::parsed() const
{
    return document->isOk() && pageTree;
}

int SourceDocument::errorCode() const
{
    return document->isOk() ? 0 : document->getErrorCode();
}

const NamedDestinations &SourceDocument::destinations()
{
    if (!namedDestinations)
        namedDestinations = std::make_unique<NamedDestinations>(*objectReader);
    return *namedDestinations;
}

GooFile *SourceDocument::file()
{
    if (!rawFileTried) {
        rawFileTried = true;
#ifdef _WIN32
        rawFile = GooFile::open(windowsPath(filePath).c_str());
#else
        rawFile = GooFile::open(filePath);
#endif
    }
    return rawFile.get();
}

bool allowsCopyPrintChange(PDFDoc &document)
{
    return document.okToCopy() && document.okToPrint() && document.okToChange();
}

} // namespace colligo
