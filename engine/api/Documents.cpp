// Document handles: open a file, count its pages, close it. A handle is the
// address of the poppler document, owned by the caller until ClosePDF.
#include "colligo.h"

#include "ExportGuard.h"
#include "WideText.h"
#include "reading/SourceDocument.h"

#include <ErrorCodes.h>
#include <PDFDoc.h>

using namespace colligo;

namespace {

constexpr int parserEncryptedError = errEncrypted; // 4: password missing or wrong

DocumentHandle openDocument(const std::string &path, const char *password)
{
    std::unique_ptr<PDFDoc> document = openSourceDocument(path, password);
    if (!document->isOk())
        return document->getErrorCode() == parserEncryptedError ? COLLIGO_NEEDS_PASSWORD : COLLIGO_UNREADABLE;
    if (!allowsCopyPrintChange(*document))
        return COLLIGO_RESTRICTED;
    return reinterpret_cast<DocumentHandle>(document.release());
}

PDFDoc *documentOf(DocumentHandle handle)
{
    return reinterpret_cast<PDFDoc *>(handle);
}

} // namespace

extern "C" {

DocumentHandle COLLIGO_CALL OpenPDF(const char *path, const char *password)
{
    return guarded<DocumentHandle>(COLLIGO_UNREADABLE, [&] {
        if (!path || !*path)
            return DocumentHandle { COLLIGO_UNREADABLE };
        return openDocument(path, password);
    });
}

DocumentHandle COLLIGO_CALL OpenPDFW(const ColligoWideChar *path, const char *password)
{
    return guarded<DocumentHandle>(COLLIGO_UNREADABLE, [&] {
        if (!path || !*path)
            return DocumentHandle { COLLIGO_UNREADABLE };
        auto narrow = utf16ToUtf8(path);
        if (!narrow) // an unpaired surrogate names no file
            return DocumentHandle { COLLIGO_UNREADABLE };
        return openDocument(*narrow, password);
    });
}

int32_t COLLIGO_CALL GetPageCount(DocumentHandle handle)
{
    return guarded<int32_t>(-1, [&] {
        if (handle == 0)
            return -1;
        return documentOf(handle)->getNumPages();
    });
}

int32_t COLLIGO_CALL ClosePDF(DocumentHandle handle)
{
    return guarded<int32_t>(-1, [&] {
        if (handle == 0)
            return -1;
        delete documentOf(handle);
        return 0;
    });
}

} // extern "C"
