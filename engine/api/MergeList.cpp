// AddFile, AddFileW and ClearList: the caller lists the files of a merge, each
// with the expression that selects its pages.
#include "MergeList.h"

#include "ExportGuard.h"
#include "WideText.h"
#include "colligo.h"
#include "reading/SourceDocument.h"

#include <PDFDoc.h>

#include <algorithm>

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

namespace {

// Only files that open without a password and are not encrypted at all may
// be listed: the merge opens them again without one.
bool isMergeable(const std::string &path)
{
    std::unique_ptr<PDFDoc> document = openSourceDocument(path);
    return document->isOk() && !document->isEncrypted();
}

} // namespace

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL AddFile(const char *path, const char *expression, int32_t)
{
    return guarded<int32_t>(0, [&] {
        if (!path || !*path || !isMergeable(path))
            return 0;
        narrowMergeList().push_back({ path, expression ? expression : "" });
        return 1;
    });
}

int32_t COLLIGO_CALL AddFileW(const ColligoWideChar *path, const char *expression, int32_t)
{
    return guarded<int32_t>(0, [&] {
        if (!path || !*path)
            return 0;
        std::size_t length = wideLength(path);
        if (length >= MergeEntryW::pathCapacity)
            return 0;
        auto narrow = utf16ToUtf8(std::u16string_view(path, length));
        if (!narrow || !isMergeable(*narrow))
            return 0;
        MergeEntryW entry;
        std::copy(path, path + length, entry.path.begin());
        entry.expression = expression ? expression : "";
        wideMergeList().push_back(std::move(entry));
        return 1;
    });
}

int32_t COLLIGO_CALL ClearList(void)
{
    narrowMergeList().clear();
    wideMergeList().clear();
    return 1;
}

} // extern "C"
