#include "SourceDocument.h"

#include "api/FileSystem.h"

#include <goo/GooString.h>
#include <PDFDoc.h>

#include <optional>

namespace colligo {

std::unique_ptr<PDFDoc> openSourceDocument(const std::string &path, const char *ownerPassword)
{
    std::optional<GooString> owner;
    if (ownerPassword)
        owner.emplace(ownerPassword);
#ifdef _WIN32
    // poppler's narrow constructor would read the path in the ANSI code page.
    std::wstring wide = windowsPath(path);
    return std::make_unique<PDFDoc>(wide.data(), static_cast<int>(wide.size()), owner);
#else
    return std::make_unique<PDFDoc>(std::make_unique<GooString>(path), owner);
#endif
}

bool allowsCopyPrintChange(PDFDoc &document)
{
    return document.okToCopy() && document.okToPrint() && document.okToChange();
}

} // namespace colligo
