// Article threads (ISO 32000, 12.4.3) of one source: each thread keeps the
// beads that lie on copied pages, linked in their order, and each page copy
// lists its beads in /B. Beads are numbered when their page is written and
// written with their thread when the source is released.
#pragma once

#include "ObjectCopier.h"

#include <unordered_map>
#include <vector>

namespace colligo {

class SourceState;

class SourceThreads
{
public:
    explicit SourceThreads(SourceState &source);

    // Beads and threads stand for their copies, or for nothing.
    Redirect redirect(Ref ref);
    // Appends "/B[...]" for the first copy of page `index` when it holds beads.
    void appendPageBeads(int index, TextBuffer &pageText);
    // Writes the threads that kept a bead; returns their numbers.
    std::vector<int> release();

private:
    struct Bead
    {
        Ref ref;
        int page;       // page index
        int number = 0; // 0 until its page is written
    };
    struct Thread
    {
        Ref ref;
        std::vector<Bead> beads;
        int number = 0;
    };

    void writeThread(Thread &thread);

    SourceState &source;
    std::vector<Thread> threads;
    std::unordered_map<int, std::pair<int, int>> beadByNumber; // bead object -> (thread, bead)
    std::unordered_map<int, int> threadByNumber;
};

} // namespace colligo
