#include "ReadAhead.h"

#include <PDFDoc.h>
#include <XRef.h>

#include <algorithm>


namespace colligo {

namespace {

// Fewer streams than this are read before threads would have started.
constexpr std::size_t minimumStreams = 8;
// Streams queued ahead of the reader, per worker.
constexpr std::size_t streamsPerWorker = 4;

} // namespace

std::unique_ptr<ReadAhead> ReadAhead::start(XRef &owner, OpenCopy openCopy, int workers, std::size_t window)
{
    if (workers <= 0 || owner.isEncrypted())
        return nullptr; // a copy would need the password or the certificate again
    Layout layout = layoutOf(owner);
    if (layout.streams.size() < minimumStreams)
        return nullptr;
    return std::unique_ptr<ReadAhead>(new ReadAhead(owner, std::move(layout), std::move(openCopy), workers, window));
}

// pdfTeX, LuaTeX and most writers number objects as they write them, so the
// order of first objects is the order in which pages come to need the streams.
ReadAhead::Layout ReadAhead::layoutOf(XRef &xref)
{
    Layout layout;
    int count = xref.getNumObjects();
    for (int number = 0; number < count; ++number) {
        XRefEntry *entry = xref.getEntry(number, false);
        if (!entry || entry->type != xrefEntryCompressed || entry->offset < 0 || entry->offset >= count)
            continue;
        int stream = static_cast<int>(entry->offset);
        if (!layout.position.emplace(stream, layout.streams.size()).second)
            continue;
        XRefEntry *holder = xref.getEntry(stream, false);
        layout.streams.push_back(stream);
        layout.offsets.push_back(holder && holder->type == xrefEntryUncompressed ? holder->offset : -1);
    }
    return layout;
}

ReadAhead::ReadAhead(XRef &owner, Layout layoutA, OpenCopy openCopyA, int workers, std::size_t windowA)
    : owner(owner), layout(std::move(layoutA)), openCopy(std::move(openCopyA)), window(windowA),
      lookahead(streamsPerWorker * static_cast<std::size_t>(workers))
{
    for (int i = 0; i < workers; ++i)
        threads.emplace_back([this] { work(); });
}

ReadAhead::~ReadAhead()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
        queued.clear();
    }
    changed.notify_all();
    for (std::thread &thread : threads)
        thread.join();
}

// Each worker opens its own copy of the document, then parses what is queued.
void ReadAhead::work()
{
    std::unique_ptr<PDFDoc> copy;
    try {
        copy = openCopy();
    } catch (...) { // out of memory, say: the reader parses alone
    }
    if (copy && !copy->isOk())
        copy.reset();
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return stopping || !queued.empty(); });
        if (stopping)
            return;
        int stream = queued.front();
        queued.pop_front();
        busy.insert(stream);
        lock.unlock();
        ParsedObjectStream parsed;
        bool parsedWell = copy && parse(*copy->getXRef(), stream, parsed);
        lock.lock();
        busy.erase(stream);
        if (parsedWell) {
            readyBytes += parsed.cost;
            ready.emplace(stream, std::move(parsed));
            keepWithinWindow();
        }
        changed.notify_all();
    }
}

// Only a stream that the copy finds where the reader's table put it: a table
// that one of the two repaired on its own would give different objects.
// Nothing may leave a thread: on any exception the reader parses the stream.
bool ReadAhead::parse(XRef &copy, int streamNumber, ParsedObjectStream &parsed) const
{
    XRefEntry *entry = copy.getEntry(streamNumber, false);
    std::int64_t expected = layout.offsets[layout.position.at(streamNumber)];
    if (!entry || entry->type != xrefEntryUncompressed || entry->offset != expected)
        return false;
    try {
        return parseObjectStream(copy, &owner, streamNumber, parsed);
    } catch (...) {
        parsed = ParsedObjectStream();
        return false;
    }
}

bool ReadAhead::stillCurrent(int streamNumber) const
{
    auto found = layout.position.find(streamNumber);
    if (found == layout.position.end())
        return false;
    XRefEntry *entry = owner.getEntry(streamNumber, false);
    return entry && entry->type == xrefEntryUncompressed && entry->offset == layout.offsets[found->second];
}

std::optional<ParsedObjectStream> ReadAhead::take(int streamNumber)
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return busy.count(streamNumber) == 0; });
    queued.erase(std::remove(queued.begin(), queued.end(), streamNumber), queued.end());
    auto found = ready.find(streamNumber);
    if (found == ready.end())
        return std::nullopt;
    ParsedObjectStream parsed = std::move(found->second);
    readyBytes -= parsed.cost;
    ready.erase(found);
    lock.unlock();
    if (!stillCurrent(streamNumber))
        return std::nullopt;
    return parsed;
}

void ReadAhead::followOn(int streamNumber, const std::function<bool(int)> &held)
{
    auto found = layout.position.find(streamNumber);
    if (found == layout.position.end())
        return;
    std::lock_guard<std::mutex> lock(mutex);
    readerAt = found->second;
    queued.clear(); // what was queued for an earlier place is no longer ahead
    std::size_t end = std::min(layout.streams.size(), readerAt + 1 + lookahead);
    for (std::size_t at = readerAt + 1; at < end && readyBytes < window; ++at) {
        int next = layout.streams[at];
        if (!held(next) && !ready.count(next) && !busy.count(next))
            queued.push_back(next);
    }
    if (!queued.empty())
        changed.notify_all();
}

// Over the window, the ready streams farthest ahead of the reader, or behind
// it, are dropped; the reader parses them itself if it still needs them.
void ReadAhead::keepWithinWindow()
{
    std::size_t total = layout.streams.size();
    auto distance = [&](int stream) {
        std::size_t at = layout.position.at(stream);
        return at > readerAt ? at - readerAt : total + readerAt - at;
    };
    while (readyBytes > window && !ready.empty()) {
        auto farthest = std::max_element(ready.begin(), ready.end(),
                                         [&](const auto &a, const auto &b) { return distance(a.first) < distance(b.first); });
        readyBytes -= farthest->second.cost;
        ready.erase(farthest);
    }
}

} // namespace colligo
