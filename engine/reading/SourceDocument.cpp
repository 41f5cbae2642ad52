#include "SourceDocument.h"

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
    document = std::make_unique<PDFDoc>(std::make_unique<GooString>(path), owner);
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
        rawFile = GooFile::open(filePath);
    }
    return rawFile.get();
}

bool allowsCopyPrintChange(PDFDoc &document)
{
    return document.okToCopy() && document.okToPrint() && document.okToChange();
}

} // namespace colligo
