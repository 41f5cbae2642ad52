// GetOutline: the document's outline, walked in order, into the entry list
// and the host's tree.
#include "OutlineList.h"

#include "ExportGuard.h"
#include "platform/WideText.h"
#include "reading/Destinations.h"
#include "reading/ObjectTrees.h"
#include "reading/SourceDocument.h"

#include <PDFDoc.h>
#include <UTF.h>
#include <XRef.h>
#include <goo/GooString.h>
#include <goo/gmem.h>

#include <algorithm>

namespace colligo {

namespace {

std::vector<OutlineEntry> entries;

// A go-to within the document with something to go to: an explicit array, or
// a name to look up. Remote go-to, launch, URI, named, JavaScript and other
// actions lead out of the document.
bool hasDestination(const Object &target)
{
    return isUsableDestination(target) || target.isName() || target.isString();
}

void setTitles(OutlineEntry &entry, const Object &item)
{
    Object title = item.dictLookup("Title");
    std::u16string text;
    if (title.isString()) {
        Unicode *codePoints = nullptr;
        int count = TextStringToUCS4(title.getString()->toStr(), &codePoints);
        text = codePointsToUtf16(codePoints, count);
        gfree(codePoints);
    }
    std::u16string wide = cutUtf16(text, OutlineEntry::titleCapacity - 1);
    std::copy(wide.begin(), wide.end(), entry.wideTitle.begin());
    std::string narrow = cutUtf8(utf16ToUtf8(text).value_or(std::string()), OutlineEntry::titleCapacity - 1);
    std::copy(narrow.begin(), narrow.end(), entry.narrowTitle.begin());
}

} // namespace

// Every listed item's children are entered, even an empty list, so the
// greatest depth is one more than the deepest listed level. An item left out
// takes its descendants with it; each listed item's tree item is the parent
// of its children's.
int listOutline(SourceDocument &document, const OutlineTreeSink *sink)
{
    entries.clear();
    XRef &xref = *document.pdf().getXRef();
    Object catalog = xref.getCatalog();
    Object outline = catalog.isDict() ? catalog.dictLookup("Outlines") : Object(objNull);
    if (!outline.isDict() || !outline.dictLookupNF("First").isRef())
        return COLLIGO_RESTRICTED; // -3: no outline
    std::vector<void *> treeItems { nullptr }; // the tree item of each open level's parent
    int greatestDepth = 1;
    forEachOutlineItem(document.objects(), outline, [&](const OutlineVisit &item) {
        treeItems.resize(static_cast<std::size_t>(item.level));
        Object target = goToTarget(item.dict, document.objects());
        if (!hasDestination(target))
            return false;
        OutlineEntry entry;
        entry.destination = std::move(target);
        entry.level = item.level;
        setTitles(entry, item.dict);
        if (sink && sink->insertItem)
            entry.treeItem = sink->insertItem(sink->context, treeItems.back(), entry.narrowTitle.data(), 0, 1);
        treeItems.push_back(entry.treeItem);
        greatestDepth = std::max(greatestDepth, item.level + 1);
        entries.push_back(std::move(entry));
        return true;
    });
    return greatestDepth;
}

const std::vector<OutlineEntry> &outlineEntries()
{
    return entries;
}

int pageOfEntry(SourceDocument &document, const OutlineEntry &entry)
{
    Object destination = explicitDestination(entry.destination, document.destinations(), document.objects());
    if (!isUsableDestination(destination))
        return 0;
    return destinationPage(destination, document.pages()) + 1;
}

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL GetOutline(DocumentHandle handle, const OutlineTreeSink *sink, int32_t)
{
    return guarded<int32_t>(0, [&] {
        if (handle <= 0) // 0, or an open's error code: not a document
            return 0;
        return listOutline(*reinterpret_cast<SourceDocument *>(handle), sink);
    });
}

int32_t COLLIGO_CALL GetOutlineEntryPage(DocumentHandle handle, int32_t index)
{
    return guarded<int32_t>(-1, [&] {
        if (handle <= 0 || index < 0 || static_cast<std::size_t>(index) >= outlineEntries().size())
            return -1;
        return pageOfEntry(*reinterpret_cast<SourceDocument *>(handle), outlineEntries()[static_cast<std::size_t>(index)]);
    });
}

} // extern "C"
