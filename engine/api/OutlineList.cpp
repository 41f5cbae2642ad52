// GetOutline: the document's outline, walked in order, into the entry list
// and the host's tree.
#include "OutlineList.h"

#include "ExportGuard.h"
#include "WideText.h"

#include <Catalog.h>
#include <Link.h>
#include <Outline.h>
#include <PDFDoc.h>

#include <algorithm>

namespace colligo {

namespace {

std::vector<OutlineEntry> entries;

class OutlineWalk
{
public:
    OutlineWalk(const OutlineTreeSink *sink) : sink(sink) { }

    // Every listed item's children are entered, even an empty list, so the
    // greatest depth is one more than the deepest listed level.
    void walk(const std::vector<OutlineItem *> *items, void *parentTreeItem)
    {
        greatestDepth = std::max(greatestDepth, ++depth);
        if (items) {
            for (OutlineItem *item : *items)
                visit(item, parentTreeItem);
        }
        --depth;
    }

    int greatest() const { return greatestDepth; }

private:
    void visit(OutlineItem *item, void *parentTreeItem)
    {
        const LinkAction *action = item->getAction();
        if (!action || action->getKind() != actionGoTo)
            return; // with all its descendants
        const auto *goTo = static_cast<const LinkGoTo *>(action);
        const LinkDest *destination = goTo->getDest() && goTo->getDest()->isOk() ? goTo->getDest() : nullptr;
        if (!destination && !goTo->getNamedDest())
            return;

        OutlineEntry entry;
        entry.namedDestination = goTo->getNamedDest();
        entry.explicitDestination = destination;
        entry.level = depth;
        setTitles(entry, item);
        if (sink && sink->insertItem)
            entry.treeItem = sink->insertItem(sink->context, parentTreeItem, entry.narrowTitle.data(), 0, 1);
        void *treeItem = entry.treeItem;
        entries.push_back(entry);

        item->open(); // whatever its /Count says
        walk(item->getKids(), treeItem);
    }

    static void setTitles(OutlineEntry &entry, const OutlineItem *item)
    {
        std::u16string title = codePointsToUtf16(item->getTitle(), item->getTitleLength());
        std::u16string wide = cutUtf16(title, OutlineEntry::titleCapacity - 1);
        std::copy(wide.begin(), wide.end(), entry.wideTitle.begin());
        std::string narrow = cutUtf8(utf16ToUtf8(title).value_or(std::string()), OutlineEntry::titleCapacity - 1);
        std::copy(narrow.begin(), narrow.end(), entry.narrowTitle.begin());
    }

    const OutlineTreeSink *sink;
    int depth = 0;
    int greatestDepth = 0;
};

} // namespace

int listOutline(PDFDoc &document, const OutlineTreeSink *sink)
{
    entries.clear();
    Outline *outline = document.getOutline();
    if (!outline || !outline->getItems())
        return COLLIGO_RESTRICTED; // -3: no outline
    OutlineWalk walk(sink);
    walk.walk(outline->getItems(), nullptr);
    return walk.greatest();
}

const std::vector<OutlineEntry> &outlineEntries()
{
    return entries;
}

namespace {

// poppler looks a name up in the catalogue's /Dests when that dictionary
// exists and in the name tree only otherwise; a document may use both.
std::unique_ptr<LinkDest> findNamedDestination(PDFDoc &document, const GooString *name)
{
    std::unique_ptr<LinkDest> destination = document.findDest(name);
    if (destination && destination->isOk())
        return destination;
    Catalog *catalog = document.getCatalog();
    for (int i = 0; i < catalog->numDestNameTree(); ++i)
        if (catalog->getDestNameTreeName(i)->cmp(name) == 0)
            return catalog->getDestNameTreeDest(i);
    return nullptr;
}

} // namespace

// Named destinations are looked up in the name tree and the catalogue's
// /Dests. A page given by reference is matched by object number (generation
// 0); a page given by number is taken as that page.
int pageOfEntry(PDFDoc &document, const OutlineEntry &entry)
{
    std::unique_ptr<LinkDest> named;
    const LinkDest *destination = entry.explicitDestination;
    if (!destination && entry.namedDestination) {
        named = findNamedDestination(document, entry.namedDestination);
        destination = named && named->isOk() ? named.get() : nullptr;
    }
    if (!destination)
        return 0;
    if (!destination->isPageRef()) {
        int page = destination->getPageNum();
        return page >= 1 && page <= document.getNumPages() ? page : 0;
    }
    Ref ref = destination->getPageRef();
    return document.findPage(Ref { ref.num, 0 });
}

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL GetOutline(DocumentHandle handle, const OutlineTreeSink *sink, int32_t)
{
    return guarded<int32_t>(0, [&] {
        if (handle <= 0) // 0, or an open's error code: not a document
            return 0;
        return listOutline(*reinterpret_cast<PDFDoc *>(handle), sink);
    });
}

int32_t COLLIGO_CALL GetOutlineEntryPage(DocumentHandle handle, int32_t index)
{
    return guarded<int32_t>(-1, [&] {
        if (handle <= 0 || index < 0 || static_cast<std::size_t>(index) >= outlineEntries().size())
            return -1;
        return pageOfEntry(*reinterpret_cast<PDFDoc *>(handle), outlineEntries()[static_cast<std::size_t>(index)]);
    });
}

} // extern "C"
