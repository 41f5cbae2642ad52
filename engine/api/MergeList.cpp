// AddFile, AddFileW and ClearList: the caller lists the files of a merge, each
// with the expression that selects its pages.
#include "MergeList.h"

#include "ExportGuard.h"
#include "Failure.h"
#include "WideText.h"
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

// Encryption alone is no reason to refuse: the merge reads such a file as
// the open did (an empty user password, or one of the user's certificates)
// and writes it decrypted.
bool isMergeable(const std::string &path)
{
    std::unique_ptr<SourceDocument> document = SourceDocument::open(path);
    if (!document->isOk()) {
        recordOpenFailure(document->errorCode(), path);
        return false;
    }
    if (!allowsCopyPrintChange(document->pdf())) {
        recordFailure(COLLIGO_FAILURE_SOURCE_RESTRICTED, inQuotes(path) + " does not allow copying, printing or changing");
        return false;
    }
    return true;
}

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL AddFile(const char *path, const char *expression, int32_t)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!path || !*path) {
            recordFailure(COLLIGO_FAILURE_ARGUMENTS, "no file name was given");
            return 0;
        }
        if (!isMergeable(path))
            return 0;
        narrowMergeList().push_back({ path, expression ? expression : "" });
        return 1;
    });
}

int32_t COLLIGO_CALL AddFileW(const ColligoWideChar *path, const char *expression, int32_t)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!path || !*path) {
            recordFailure(COLLIGO_FAILURE_ARGUMENTS, "no file name was given");
            return 0;
        }
        std::u16string wide(path, wideLength(path));
        auto narrow = utf16ToUtf8(wide);
        if (!narrow) { // an unpaired surrogate names no file
            recordFailure(COLLIGO_FAILURE_SOURCE_UNREADABLE, "the file name is not valid text");
            return 0;
        }
        if (!isMergeable(*narrow))
            return 0;
        wideMergeList().push_back({ std::move(wide), expression ? expression : "" });
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
