// Colligo and ColligoW: one new PDF file from every entry of the merge list,
// each entry contributing the pages its expression selects, in list order and
// expression order.
#include "ExportGuard.h"
#include "MergeList.h"
#include "PageRanges.h"
#include "WideText.h"
#include "FileSystem.h"
#include "colligo.h"
#include "reading/ParserConfiguration.h"
#include "reading/SourceDocument.h"
#include "writer/PdfWriter.h"

#include <PDFDoc.h>

namespace colligo {

namespace {

const char mergeTitle[] = "Colligo";

struct ListedFile
{
    std::string path; // UTF-8
    const std::string &expression;
};

ListedFile listedFile(const MergeEntry &entry)
{
    return { entry.path, entry.expression };
}

ListedFile listedFile(const MergeEntryW &entry)
{
    return { utf16ToUtf8(entry.path.data()).value_or(std::string()), entry.expression };
}

// Copies the selected pages of one listed file; false once the callback asked
// to stop (the announced page is still copied).
bool copySelectedPages(PdfWriter &writer, PDFDoc &document, const std::string &expression, MergeProgressCallback callback)
{
    writer.setSource(&document);
    int pageCount = document.getNumPages();
    PageList pages;
    std::int32_t total = expandPageRanges(pages, expression);
    bool goOn = true;
    pages.forEach([&](int page, std::int64_t position) {
        if (page > pageCount)
            return false; // the rest of this file's list is not looked at
        if (callback)
            goOn = callback(1, total, page, static_cast<std::int32_t>(std::min<std::int64_t>(position, INT32_MAX))) != 0;
        writer.addPage(page);
        return goOn;
    });
    return goOn;
}

// The merge itself, once the writer's file exists.
int mergeInto(PdfWriter &writer, const auto &list, MergeProgressCallback callback)
{
    bool goOn = true;
    bool allOpened = true;
    for (const auto &entry : list) {
        ListedFile file = listedFile(entry);
        std::unique_ptr<PDFDoc> document = openSourceDocument(file.path);
        if (!document->isOk()) {
            allOpened = false;
            break;
        }
        goOn = copySelectedPages(writer, *document, file.expression, callback);
        if (!goOn)
            break;
    }
    writer.finish();
    // A page that could not be copied in full makes the output damaged, not done.
    return goOn && allOpened && writer.damagedPageCount() == 0 ? 1 : 0;
}

// Writing over one of the listed files would destroy that source before it is read.
bool outputIsListed(const std::string &outputPath, const auto &list)
{
    for (const auto &entry : list)
        if (isSameFile(outputPath, listedFile(entry).path))
            return true;
    return false;
}

template<typename List, typename Path>
int merge(List &list, Path outputPath, const std::string &outputUtf8, MergeProgressCallback callback)
{
    if (list.size() < 2 || !outputPath)
        return 0;
    if (outputIsListed(outputUtf8, list)) {
        list.clear();
        return 0;
    }
    int result = 0;
    {
        ParserConfiguration configuration;
        PdfWriter writer(outputPath, mergeTitle);
        if (writer.isOk())
            result = mergeInto(writer, list, callback);
    }
    list.clear();
    return result;
}

} // namespace

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL Colligo(const char *outputPath, int32_t, MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] { return merge(narrowMergeList(), outputPath, outputPath ? outputPath : "", callback); });
}

int32_t COLLIGO_CALL ColligoW(ColligoWideChar *outputPath, int32_t, MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        std::string outputUtf8;
        if (outputPath)
            outputUtf8 = utf16ToUtf8(outputPath).value_or(std::string());
        return merge(wideMergeList(), outputPath, outputUtf8, callback);
    });
}

} // extern "C"
