// The engine's two process-wide merge lists: (path, page-range expression)
// entries filled by AddFile/AddFileW and consumed by Colligo/ColligoW, and
// beside each list what AddFile learnt of its files, so that listing a file
// again and merging it parse nothing twice.
#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace colligo {

class SourceDocument;

struct MergeEntry
{
    std::string path; // UTF-8
    std::string expression;
};

struct MergeEntryW
{
    std::u16string path; // any length
    std::string expression;
};

// The files a list has checked, each known by its identity, size and
// modification time. The latest few stay open (at most openLimit documents
// and openBytesLimit bytes of files), so the merge takes them as they are;
// of the others only the facts are kept. A file that changed on disk since
// (another identity, size or time) is a stranger: checked or opened again.
class ListedFiles
{
public:
    static constexpr std::size_t openLimit = 8;
    static constexpr unsigned long long openBytesLimit = 256ull << 20;

    // The page count of a file as OpenPDF would accept it; 0 with the reason
    // recorded when it would be refused.
    int admit(const std::string &path);
    // The document opened for the file, when it is still open and the file
    // is unchanged on disk; the caller owns it from now on. Null otherwise.
    std::unique_ptr<SourceDocument> take(const std::string &path);
    // Documents still open (for tests of the bound).
    std::size_t openCount() const;
    void clear();

    ListedFiles();
    ~ListedFiles();

private:
    struct Known
    {
        FileStamp stamp;
        int pageCount;
        std::unique_ptr<SourceDocument> document; // null once closed
    };

    std::list<Known>::iterator find(const FileStamp &stamp);
    void keepWithinBounds();

    std::list<Known> known; // the most recently used first
};

std::vector<MergeEntry> &narrowMergeList();
std::vector<MergeEntryW> &wideMergeList();
ListedFiles &narrowListedFiles();
ListedFiles &wideListedFiles();

} // namespace colligo
