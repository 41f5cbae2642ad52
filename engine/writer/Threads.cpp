#include "Threads.h"

#include "SourceState.h"
#include "reading/SourceDocument.h"

#include <Dict.h>
#include <XRef.h>

#include <algorithm>
#include <unordered_set>

namespace colligo {

// Each thread's beads from /F along /N until the chain comes back or breaks.
SourceThreads::SourceThreads(SourceState &source) : source(source)
{
    ObjectReader &objects = source.document.objects();
    Object catalog = objects.xrefTable().getCatalog();
    Object list = catalog.isDict() ? catalog.dictLookup("Threads") : Object(objNull);
    for (int i = 0; list.isArray() && i < list.arrayGetLength(); ++i) {
        const Object &entry = list.arrayGetNF(i);
        if (!entry.isRef() || threadByNumber.count(entry.getRefNum()))
            continue;
        Object thread = objects.fetch(entry.getRef());
        if (!thread.isDict())
            continue;
        Thread kept { entry.getRef(), {} };
        std::unordered_set<int> seen;
        for (Object bead = thread.dictLookupNF("F").copy(); bead.isRef() && seen.insert(bead.getRefNum()).second && !beadByNumber.count(bead.getRefNum());) {
            Object dict = objects.fetch(bead.getRef());
            if (!dict.isDict())
                break;
            const Object &page = dict.dictLookupNF("P");
            int index = page.isRef() ? source.document.pages().indexOf(page.getRef()) : -1;
            if (index >= 0) {
                beadByNumber.emplace(bead.getRefNum(), std::make_pair(static_cast<int>(threads.size()), static_cast<int>(kept.beads.size())));
                kept.beads.push_back({ bead.getRef(), index });
            }
            bead = dict.dictLookupNF("N").copy();
        }
        threadByNumber.emplace(entry.getRefNum(), static_cast<int>(threads.size()));
        threads.push_back(std::move(kept));
    }
}

Redirect SourceThreads::redirect(Ref ref)
{
    if (auto bead = beadByNumber.find(ref.num); bead != beadByNumber.end()) {
        Bead &b = threads[static_cast<std::size_t>(bead->second.first)].beads[static_cast<std::size_t>(bead->second.second)];
        return Redirect::to(b.number);
    }
    if (auto thread = threadByNumber.find(ref.num); thread != threadByNumber.end()) {
        Thread &t = threads[static_cast<std::size_t>(thread->second)];
        if (t.number == 0)
            t.number = source.newNumber(); // left unwritten if no bead of it is copied
        return Redirect::to(t.number);
    }
    return {};
}

void SourceThreads::appendPageBeads(int index, TextBuffer &pageText)
{
    if (!source.isFirstCopy(index))
        return;
    TextBuffer beads;
    for (Thread &thread : threads)
        for (Bead &bead : thread.beads)
            if (bead.page == index && bead.number == 0)
                appendReference(beads, bead.number = source.newNumber());
    if (!beads.empty())
        pageText.append("/B[" + beads.take() + "]\n");
}

std::vector<int> SourceThreads::release()
{
    std::vector<int> numbers;
    for (Thread &thread : threads) {
        writeThread(thread);
        if (thread.number != 0 && std::any_of(thread.beads.begin(), thread.beads.end(), [](const Bead &b) { return b.number != 0; }))
            numbers.push_back(thread.number);
    }
    return numbers;
}

// The beads on written pages, linked in a ring in their order.
void SourceThreads::writeThread(Thread &thread)
{
    std::vector<const Bead *> kept;
    for (const Bead &bead : thread.beads)
        if (bead.number != 0)
            kept.push_back(&bead);
    if (kept.empty())
        return;
    if (thread.number == 0)
        thread.number = source.newNumber();
    ObjectReader &objects = source.document.objects();
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const Bead &bead = *kept[i];
        Object dict = objects.fetch(bead.ref);
        TextBuffer text;
        text.appendf("%d %d obj\n<<\n/Type/Bead\n/T %d 0 R\n/N %d 0 R\n/V %d 0 R\n/P %d 0 R\n", bead.number, 0, thread.number,
                     kept[(i + 1) % kept.size()]->number, kept[(i + kept.size() - 1) % kept.size()]->number, source.writtenCopyNumber(bead.page));
        if (dict.isDict())
            source.copier.copyEntry("R", dict.dictLookupNF("R"), text);
        text.append("\n>>\nendobj\n");
        source.outputFile().queueObject(bead.number, text.take());
    }
    Object dict = objects.fetch(thread.ref);
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n/Type/Thread\n/F %d 0 R\n", thread.number, 0, kept.front()->number);
    if (dict.isDict() && !dict.dictLookupNF("I").isNull())
        source.copier.copyEntry("I", dict.dictLookupNF("I"), text);
    text.append("\n>>\nendobj\n");
    source.outputFile().queueObject(thread.number, text.take());
}

} // namespace colligo
