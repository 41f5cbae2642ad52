#include "SourceDocument.h"

#include "api/FileSystem.h"

#include <goo/GooString.h>
#include <goo/gfile.h>
#include <PDFDoc.h>

#include <optional>

namespace colligo {

std::unique_ptr<SourceDocument> SourceDocument::open(const std::string &path, const char *ownerPassword)
{
    return std::unique_ptr<SourceDocument>(new SourceDocument(path, ownerPassword));
}

SourceDocument::SourceDocument(const std::string &path, const char *ownerPassword) : filePath(path)
{
    std::optional<GooString> owner;
    if (ownerPassword)
        owner.emplace(ownerPassword);
#ifdef _WIN32
    // poppler's narrow constructor would read the path in the ANSI code page.
    std::wstring wide = windowsPath(path);
    document = std::make_unique<PDFDoc>(wide.data(), static_cast<int>(wide.size()), owner);
#else
    document = std::make_unique<PDFDoc>(std::make_unique<GooString>(path), owner);
#endif
    if (document->isOk()) {
        objectReader = std::make_unique<ObjectReader>(*document->getXRef());
        pageTree = std::make_unique<PageTree>(*objectReader);
    }
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
