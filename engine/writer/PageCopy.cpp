// Page copying: each source page becomes a new page object under the output's
// single page-tree node, followed by its own resources object. Only what is
// needed to display the page is kept: boxes, rotation, resources, contents.
#include "PdfWriter.h"

#include <Dict.h>
#include <PDFDoc.h>
#include <Page.h>
#include <XRef.h>

namespace colligo {

int PdfWriter::setSource(PDFDoc *document)
{
    if (!document)
        return 0;
    source = document;
    fontMap.clear();
    xobjectMap.clear();
    return 1;
}

void PdfWriter::addPage(int pageNumber, GfxState *)
{
    Page *page = (source && outputFile) ? source->getPage(pageNumber) : nullptr;
    if (!page) {
        ok = false;
        return;
    }

    int pageObjectNumber = newObjectNumber();
    startObject(pageObjectNumber);
    pageObjects.push_back({ pageObjectNumber, 0 });

    writeText("/Type/Page\n");
    const PDFRectangle *media = page->getMediaBox();
    writeText("/MediaBox[%d %d %d %d]\n", static_cast<int>(media->x1), static_cast<int>(media->y1), static_cast<int>(media->x2),
              static_cast<int>(media->y2));
    writeText("/Parent %d %d R\n", 3, 0);
    int resourcesNumber = newObjectNumber();
    writeText("/Resources %d %d R\n", resourcesNumber, 0);

    // The page's own dictionary, for the entries poppler resolves away.
    Object pageObject = source->getXRef()->fetch(page->getRef());
    const Dict *pageDict = pageObject.isDict() ? pageObject.getDict() : nullptr;
    bool complete = writePageContents(pageDict);
    if (page->getRotate() != 0)
        writeText("/Rotate %d\n", page->getRotate());
    if (page->isCropped()) {
        const PDFRectangle *crop = page->getCropBox();
        writeText("/CropBox[%d %d %d %d]\n", static_cast<int>(crop->x1), static_cast<int>(crop->y1), static_cast<int>(crop->x2),
                  static_cast<int>(crop->y2));
    }
    endObject();

    complete = writeResourcesObject(page, pageDict, resourcesNumber) && complete;
    if (!complete) {
        ok = false;
        ++damagedPages;
    }
    if (!pendingObjects.empty())
        writePendingObjects();
}

// The Contents entry as the page's own dictionary holds it (a reference to a
// stream, an array of references, or nothing), so that each stream is found
// in the source file through its own reference.
bool PdfWriter::writePageContents(const Dict *pageDict)
{
    writeText("/Contents");
    const Object null(objNull);
    const Object &contents = pageDict ? pageDict->lookupNF("Contents") : null;
    if (writeReachedValue(contents, true, lineBuffer)) {
        writeBuffer(lineBuffer);
        return true;
    }
    // A half-written value could leave an array open; the page goes without contents.
    lineBuffer.clear();
    writeText(" null\n");
    return false;
}

bool PdfWriter::writeResourcesObject(Page *page, const Dict *pageDict, int resourcesNumber)
{
    startObject(resourcesNumber);
    bool written = true;
    if (Dict *resources = page->getResourceDict()) {
        // A form that names the page's own resources refers to this object.
        Ref resourcesRef = Ref::INVALID();
        if (pageDict && pageDict->lookupNF("Resources").isRef())
            resourcesRef = pageDict->lookupNF("Resources").getRef();
        if (resourcesRef != Ref::INVALID())
            chain.push_back({ resourcesRef, resourcesNumber });
        written = writeResources(resources);
        if (resourcesRef != Ref::INVALID())
            chain.pop_back();
    }
    endObject();
    return written;
}

} // namespace colligo
