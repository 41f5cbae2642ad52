// AddFile, AddFileW and ClearList: the caller lists the files of a merge, each
// with the expression that selects its pages. GetFilePageCount(W) count a
// file's pages through the same check, for callers that list every page.
#include "MergeList.h"

#include "ExportGuard.h"
#include "Failure.h"
#include "platform/WideText.h"
#include "colligo.h"
#include "reading/SourceDocument.h"

#include <PDFDoc.h>

namespace colligo {

std::vector<MergeEntry> &narrowMergeList()
{
    static std::vector<MergeEntry> list;
    return list;
}

std::vector<MergeEntryW> &wideMergeList()
{
    static std::vector<MergeEntryW> list;
    return list;
}

ListedFiles &narrowListedFiles()
{
    static ListedFiles files;
    return files;
}

ListedFiles &wideListedFiles()
{
    static ListedFiles files;
    return files;
}

ListedFiles::ListedFiles() = default;
ListedFiles::~ListedFiles() = default;

std::list<ListedFiles::Known>::iterator ListedFiles::find(const FileStamp &stamp)
{
    for (auto i = known.begin(); i != known.end(); ++i)
        if (i->stamp.identity == stamp.identity)
            return i;
    return known.end();
}

// Encryption alone is no reason to refuse: the merge reads such a file as
// the open did (an empty user password, or one of the user's certificates)
// and writes it decrypted.
int ListedFiles::admit(const std::string &path)
{
    std::optional<FileStamp> stamp = fileStamp(path);
    auto found = stamp ? find(*stamp) : known.end();
    if (found != known.end() && found->stamp == *stamp) {
        known.splice(known.begin(), known, found);
        return found->pageCount;
    }
    if (found != known.end())
        known.erase(found); // changed on disk: what was learnt no longer holds
    std::unique_ptr<SourceDocument> document = SourceDocument::open(path);
    if (!document->isOk()) {
        recordOpenFailure(document->errorCode(), path);
        return 0;
    }
    if (!allowsCopyPrintChange(document->pdf())) {
        recordFailure(COLLIGO_FAILURE_SOURCE_RESTRICTED, inQuotes(path) + " does not allow copying, printing or changing");
        return 0;
    }
    int pageCount = 0;
    {
        ReadingAhead ahead(*document); // the count reads every page
        pageCount = document->pages().count();
    }
    // The stamp taken after the open: a file replaced while it was read is
    // then seen as changed when the merge comes.
    std::optional<FileStamp> after = fileStamp(path);
    if (after && stamp && after == stamp) {
        known.push_front({ *stamp, pageCount, std::move(document) });
        keepWithinBounds();
    }
    return pageCount;
}

std::unique_ptr<SourceDocument> ListedFiles::take(const std::string &path)
{
    std::optional<FileStamp> stamp = fileStamp(path);
    auto found = stamp ? find(*stamp) : known.end();
    if (found == known.end())
        return nullptr;
    if (!(found->stamp == *stamp)) {
        known.erase(found);
        return nullptr;
    }
    return std::move(found->document);
}

std::size_t ListedFiles::openCount() const
{
    std::size_t open = 0;
    for (const Known &file : known)
        open += file.document ? 1 : 0;
    return open;
}

// Closes the least recently listed documents beyond the bounds; their facts stay.
void ListedFiles::keepWithinBounds()
{
    std::size_t open = 0;
    unsigned long long bytes = 0;
    for (Known &file : known) {
        if (!file.document)
            continue;
        if (open + 1 > openLimit || (open > 0 && bytes + file.stamp.size > openBytesLimit)) {
            file.document.reset();
            continue;
        }
        ++open;
        bytes += file.stamp.size;
    }
}

void ListedFiles::clear()
{
    known.clear();
}

} // namespace colligo

using namespace colligo;

namespace {

// The UTF-8 form of a wide path; nothing, with the reason recorded, for text
// that names no file.
std::optional<std::string> narrowPath(const ColligoWideChar *path)
{
    auto narrow = utf16ToUtf8(std::u16string(path, wideLength(path)));
    if (!narrow) // an unpaired surrogate names no file
        recordFailure(COLLIGO_FAILURE_SOURCE_UNREADABLE, "the file name is not valid text");
    return narrow;
}

template<typename Char>
bool hasPath(const Char *path)
{
    if (path && *path)
        return true;
    recordFailure(COLLIGO_FAILURE_ARGUMENTS, "no file name was given");
    return false;
}

} // namespace

extern "C" {

int32_t COLLIGO_CALL AddFile(const char *path, const char *expression, int32_t)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!hasPath(path) || narrowListedFiles().admit(path) == 0)
            return 0;
        narrowMergeList().push_back({ path, expression ? expression : "" });
        return 1;
    });
}

int32_t COLLIGO_CALL AddFileW(const ColligoWideChar *path, const char *expression, int32_t)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!hasPath(path))
            return 0;
        std::optional<std::string> narrow = narrowPath(path);
        if (!narrow || wideListedFiles().admit(*narrow) == 0)
            return 0;
        wideMergeList().push_back({ std::u16string(path, wideLength(path)), expression ? expression : "" });
        return 1;
    });
}

int32_t COLLIGO_CALL GetFilePageCount(const char *path)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        return hasPath(path) ? narrowListedFiles().admit(path) : 0;
    });
}

int32_t COLLIGO_CALL GetFilePageCountW(const ColligoWideChar *path)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!hasPath(path))
            return 0;
        std::optional<std::string> narrow = narrowPath(path);
        return narrow ? wideListedFiles().admit(*narrow) : 0;
    });
}

int32_t COLLIGO_CALL ClearList(void)
{
    narrowMergeList().clear();
    wideMergeList().clear();
    narrowListedFiles().clear();
    wideListedFiles().clear();
    return 1;
}

} // extern "C"
