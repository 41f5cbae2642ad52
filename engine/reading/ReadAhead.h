// Parses a document's object streams ahead of the thread that reads it.
//
// Reading a large document is mostly decoding and parsing its object
// streams, one after another, as its pages need them. While the reader copies
// the objects of one stream, worker threads parse the streams laid out after
// it, each through a poppler document of its own opened over the same bytes
// (poppler's documents are not shared between threads), and hand the parsed
// objects over when the reader asks for them. What the reader gets is exactly
// what it would have parsed itself, so the output does not depend on the
// number of threads; a stream no worker has started is parsed by the reader.
//
// The streams ready and waiting are bounded in bytes; when the reader jumps
// (to a font at the end of the file, say), those farthest from where it reads
// now go first. The threads live as long as the object: the engine makes one
// only inside an export call.
#pragma once

#include "ObjectStreams.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class PDFDoc;
class XRef;

namespace colligo {

class ReadAhead
{
public:
    // Opens another poppler document over the same file, for one worker.
    using OpenCopy = std::function<std::unique_ptr<PDFDoc>()>;

    // Null when the document has too few object streams to be worth threads.
    static std::unique_ptr<ReadAhead> start(XRef &owner, OpenCopy openCopy, int workers, std::size_t window);
    ~ReadAhead();

    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // The stream parsed by a worker (waiting while one is at it), or nothing:
    // then the reader parses it itself.
    std::optional<ParsedObjectStream> take(int streamNumber);
    // The reader has just needed `streamNumber`: the streams laid out after it
    // are queued for the workers, except those `held` says the reader has.
    void followOn(int streamNumber, const std::function<bool(int)> &held);

private:
    struct Layout
    {
        std::vector<int> streams; // object-stream numbers in the order of their first object
        std::vector<std::int64_t> offsets; // where each sits in the file, as the reader's table says
        std::unordered_map<int, std::size_t> position; // stream number -> index in `streams`
    };

    ReadAhead(XRef &owner, Layout layout, OpenCopy openCopy, int workers, std::size_t window);
    static Layout layoutOf(XRef &xref);
    void work();
    bool parse(XRef &copy, int streamNumber, ParsedObjectStream &parsed) const;
    bool stillCurrent(int streamNumber) const;
    void keepWithinWindow();

    XRef &owner;
    const Layout layout;
    const OpenCopy openCopy;
    const std::size_t window;
    const std::size_t lookahead;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<int> queued;
    std::unordered_set<int> busy;
    std::unordered_map<int, ParsedObjectStream> ready;
    std::size_t readyBytes = 0;
    std::size_t readerAt = 0; // position of the stream the reader needed last
    bool stopping = false;
    std::vector<std::thread> threads;
};

} // namespace colligo
