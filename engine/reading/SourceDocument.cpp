#include "SourceDocument.h"

#include <goo/GooString.h>
#include <PDFDoc.h>

#include <optional>

namespace colligo {

std::unique_ptr<PDFDoc> openSourceDocument(const std::string &path, const char *ownerPassword)
{
    std::optional<GooString> owner;
    if (ownerPassword)
        owner.emplace(ownerPassword);
    return std::make_unique<PDFDoc>(std::make_unique<GooString>(path), owner);
}

bool allowsCopyPrintChange(PDFDoc &document)
{
    return document.okToCopy() && document.okToPrint() && document.okToChange();
}

} // namespace colligo
