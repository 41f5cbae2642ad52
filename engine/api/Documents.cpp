// Document handles: open a file, count its pages, close it. A handle is the
// address of the engine's open document, owned by the caller until ClosePDF.
#include "colligo.h"

#include "ExportGuard.h"
#include "platform/WideText.h"
#include "reading/Conformance.h"
#include "reading/SourceDocument.h"

#include <algorithm>
#include <cstring>

#include <ErrorCodes.h>
#include <PDFDoc.h>
#include <XRef.h>

using namespace colligo;

namespace {

constexpr int parserEncryptedError = errEncrypted; // 4: password missing or wrong

DocumentHandle openDocument(const std::string &path, const char *password)
{
    std::unique_ptr<SourceDocument> document = SourceDocument::open(path, password);
    if (!document->isOk())
        return document->errorCode() == parserEncryptedError ? COLLIGO_NEEDS_PASSWORD : COLLIGO_UNREADABLE;
    if (!allowsCopyPrintChange(document->pdf()))
        return COLLIGO_RESTRICTED;
    return reinterpret_cast<DocumentHandle>(document.release());
}

SourceDocument *documentOf(DocumentHandle handle)
{
    return reinterpret_cast<SourceDocument *>(handle);
}

// Links and other annotations need a look at every page; the look ends once
// both are found.
int32_t navigationOf(SourceDocument &document)
{
    XRef &xref = *document.pdf().getXRef();
    Object catalog = xref.getCatalog();
    if (!catalog.isDict())
        return 0;
    int32_t found = 0;
    Object outline = catalog.dictLookup("Outlines");
    if (outline.isDict() && outline.dictLookupNF("First").isRef())
        found |= COLLIGO_KEEP_OUTLINE;
    Object form = catalog.dictLookup("AcroForm");
    Object fields = form.isDict() ? form.dictLookup("Fields") : Object(objNull);
    if (fields.isArray() && fields.arrayGetLength() > 0)
        found |= COLLIGO_KEEP_FORMS;
    if (!catalog.dictLookup("PageLabels").isNull())
        found |= COLLIGO_KEEP_PAGE_LABELS;
    if (catalog.dictLookup("StructTreeRoot").isDict())
        found |= COLLIGO_KEEP_STRUCTURE;
    if (catalog.dictLookup("OCProperties").isDict())
        found |= COLLIGO_KEEP_LAYERS;
    if (catalog.dictLookup("Metadata").isStream())
        found |= COLLIGO_KEEP_METADATA;
    for (const char *setting : { "Lang", "ViewerPreferences", "PageLayout", "PageMode", "OpenAction", "Threads" })
        if (!catalog.dictLookup(setting).isNull())
            found |= COLLIGO_KEEP_SETTINGS;
    Object names = catalog.dictLookup("Names");
    for (const char *tree : { "EmbeddedFiles", "JavaScript" })
        if (names.isDict() && names.dictLookup(tree).isDict())
            found |= COLLIGO_KEEP_ATTACHMENTS;
    const PageTree &pages = document.pages();
    for (int i = 0; i < pages.count() && (found & (COLLIGO_KEEP_LINKS | COLLIGO_KEEP_ANNOTATIONS)) != (COLLIGO_KEEP_LINKS | COLLIGO_KEEP_ANNOTATIONS); ++i) {
        // Through the engine's reader, which keeps the object streams it parsed.
        Object annots = document.objects().resolve(pages.pageDictionary(i).dictLookupNF("Annots"));
        for (int j = 0; annots.isArray() && j < annots.arrayGetLength(); ++j) {
            Object annotation = document.objects().resolve(annots.arrayGetNF(j));
            Object subtype = annotation.isDict() ? annotation.dictLookup("Subtype") : Object(objNull);
            if (subtype.isName("Link"))
                found |= COLLIGO_KEEP_LINKS;
            else if (subtype.isName() && !subtype.isName("Widget") && !subtype.isName("Popup"))
                found |= COLLIGO_KEEP_ANNOTATIONS;
        }
    }
    return found;
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
        return documentOf(handle)->pages().count();
    });
}

int32_t COLLIGO_CALL GetNavigation(DocumentHandle handle)
{
    return guarded<int32_t>(-1, [&] {
        if (handle <= 0)
            return -1;
        return navigationOf(*documentOf(handle));
    });
}

int32_t COLLIGO_CALL GetConformance(DocumentHandle handle, char *text, int32_t capacity)
{
    return guarded<int32_t>(-1, [&] {
        if (handle <= 0)
            return -1;
        std::string declared = conformanceOf(metadataPacket(documentOf(handle)->objects())).text();
        if (text && capacity > 0) {
            std::size_t length = std::min(declared.size(), static_cast<std::size_t>(capacity) - 1);
            std::memcpy(text, declared.data(), length);
            text[length] = '\0';
        }
        return static_cast<int32_t>(declared.size());
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
