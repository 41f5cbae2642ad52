// Colligo and ColligoW: one new PDF file from every entry of the merge list,
// each entry contributing the pages its expression selects, in list order and
// expression order.
//
// A file listed several times (the same file on disk, however it is named)
// is opened once and keeps one object map for the whole merge, so nothing it
// shares is copied twice; it is released after its last listing. A file that
// AddFile left open and that is unchanged on disk is not opened again.
#include "ExportGuard.h"
#include "Failure.h"
#include "platform/FileSystem.h"
#include "MergeList.h"
#include "OutputOptionsExport.h"
#include "PageRanges.h"
#include "platform/WideText.h"
#include "colligo.h"
#include "reading/ParserConfiguration.h"
#include "reading/SourceDocument.h"
#include "writer/PdfWriter.h"

#include <PDFDoc.h>

namespace colligo {

namespace {

const char mergeTitle[] = "Colligo";

struct Listing
{
    std::string path; // UTF-8
    std::string expression;
    std::size_t source; // index into the merge's sources
};

// One file on disk, whichever listings name it.
struct MergeSource
{
    std::string path;
    std::unique_ptr<SourceDocument> document;
    std::size_t lastListing = 0;
    bool opened = false;
};

std::string utf8Path(const MergeEntry &entry)
{
    return entry.path;
}

std::string utf8Path(const MergeEntryW &entry)
{
    return utf16ToUtf8(entry.path).value_or(std::string());
}

// Calls visit(page, position, total) for each entry of the expression's page
// list that the merge copies: the walk ends at the first page beyond the
// document (pages below 1 are announced, but copy nothing).
template<typename Visit>
void forEachListedPage(const std::string &expression, int pageCount, Visit &&visit)
{
    PageList pages;
    std::int32_t total = expandPageRanges(pages, expression);
    pages.forEach([&](int page, std::int64_t position) {
        if (page > pageCount)
            return false;
        return visit(page, static_cast<std::int32_t>(std::min<std::int64_t>(position, INT32_MAX)), total);
    });
}

class MergeJob
{
public:
    MergeJob(std::vector<Listing> listings, std::vector<MergeSource> sources, ListedFiles &checked, MergeProgressCallback callback)
        : listings(std::move(listings)), sources(std::move(sources)), checked(checked), callback(callback)
    {
    }

    std::size_t sourceCount() const { return sources.size(); }

    int run(PdfWriter &writer)
    {
        bool complete = true;
        for (std::size_t i = 0; i < listings.size() && complete; ++i)
            complete = copyListing(writer, i);
        writer.finish(); // releases what is still attached
        if (writer.damagedPageCount() > 0)
            recordFailure(COLLIGO_FAILURE_SOURCE_DAMAGED, "some pages could not be copied in full");
        if (!writer.completed())
            recordFailure(COLLIGO_FAILURE_OUTPUT_UNWRITABLE, "the output file could not be written in full");
        return complete && writer.damagedPageCount() == 0 && writer.completed() ? 1 : 0;
    }

private:
    // False when the merge must end here: the file did not open, or the
    // callback asked to stop.
    bool copyListing(PdfWriter &writer, std::size_t index)
    {
        const Listing &listing = listings[index];
        MergeSource &source = sources[listing.source];
        if (!source.opened && !open(writer, source))
            return false;
        writer.setSource(source.document.get());
        bool goOn = true;
        forEachListedPage(listing.expression, source.document->pages().count(), [&](int page, std::int32_t position, std::int32_t total) {
            if (callback)
                goOn = callback(1, total, page, position) != 0;
            writer.addPage(page);
            return goOn;
        });
        if (!goOn) {
            recordFailure(COLLIGO_FAILURE_STOPPED, "the merge was stopped");
            return false;
        }
        if (index == source.lastListing) { // its last listing: what it holds is no longer needed
            writer.releaseSource(source.document.get());
            source.document.reset();
        }
        return true;
    }

    bool open(PdfWriter &writer, MergeSource &source)
    {
        source.opened = true;
        source.document = checked.take(source.path);
        if (!source.document)
            source.document = SourceDocument::open(source.path);
        if (!source.document->isOk()) {
            recordOpenFailure(source.document->errorCode(), source.path);
            return false;
        }
        source.document->readAhead(true); // until the document is released, within this call
        writer.setSource(source.document.get(), planOf(source));
        return true;
    }

    // Every page the merge will take from this file, over all its listings.
    SourcePlan planOf(const MergeSource &source) const
    {
        SourcePlan plan;
        plan.label = fileNameOf(source.path);
        int pageCount = source.document->pages().count();
        for (const Listing &listing : listings) {
            if (&sources[listing.source] != &source)
                continue;
            forEachListedPage(listing.expression, pageCount, [&](int page, std::int32_t, std::int32_t) {
                if (page >= 1)
                    plan.pages.push_back(page - 1);
                return true;
            });
        }
        return plan;
    }

    std::vector<Listing> listings;
    std::vector<MergeSource> sources;
    ListedFiles &checked;
    MergeProgressCallback callback;
};

// Groups the list's entries by the file on disk they name.
template<typename List>
MergeJob planMerge(const List &list, ListedFiles &checked, MergeProgressCallback callback)
{
    std::vector<Listing> listings;
    std::vector<MergeSource> sources;
    std::vector<std::optional<FileIdentity>> identities;
    for (const auto &entry : list) {
        std::string path = utf8Path(entry);
        std::optional<FileIdentity> identity = fileIdentity(path);
        std::size_t source = sources.size();
        for (std::size_t s = 0; identity && s < sources.size(); ++s)
            if (identities[s] == identity)
                source = s;
        if (source == sources.size()) {
            sources.push_back({ path, nullptr, 0, false });
            identities.push_back(identity);
        }
        sources[source].lastListing = listings.size();
        listings.push_back({ path, entry.expression, source });
    }
    return MergeJob(std::move(listings), std::move(sources), checked, callback);
}

// Writing over one of the listed files would destroy that source before it is read.
template<typename List>
std::optional<std::string> listedOutput(const std::string &outputPath, const List &list)
{
    for (const auto &entry : list)
        if (isSameFile(outputPath, utf8Path(entry)))
            return utf8Path(entry);
    return std::nullopt;
}

template<typename List, typename Path>
int merge(List &list, ListedFiles &checked, Path outputPath, const std::string &outputUtf8, MergeProgressCallback callback)
{
    clearFailure();
    OutputOptions options = takeOutputOptions();
    if (list.size() < 2 || !outputPath) {
        recordFailure(COLLIGO_FAILURE_ARGUMENTS, !outputPath ? "no output file was given" : "a merge needs at least two listed files");
        return 0;
    }
    if (std::optional<std::string> source = listedOutput(outputUtf8, list)) {
        recordFailure(COLLIGO_FAILURE_OUTPUT_IS_SOURCE, "the output file " + inQuotes(*source) + " is one of the listed files");
        list.clear();
        checked.clear();
        return 0;
    }
    int result = 0;
    {
        ParserConfiguration configuration;
        MergeJob job = planMerge(list, checked, callback);
        options.documentCount = static_cast<int>(job.sourceCount());
        PdfWriter writer(outputPath, mergeTitle, std::move(options));
        if (writer.isOk())
            result = job.run(writer);
        else
            recordFailure(COLLIGO_FAILURE_OUTPUT_UNWRITABLE, "cannot create the output file " + inQuotes(outputUtf8));
    }
    list.clear();
    checked.clear();
    return result;
}

} // namespace

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL Colligo(const char *outputPath, int32_t, MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] { return merge(narrowMergeList(), narrowListedFiles(), outputPath, outputPath ? outputPath : "", callback); });
}

int32_t COLLIGO_CALL ColligoW(ColligoWideChar *outputPath, int32_t, MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        std::string outputUtf8;
        if (outputPath)
            outputUtf8 = utf16ToUtf8(outputPath).value_or(std::string());
        return merge(wideMergeList(), wideListedFiles(), outputPath, outputUtf8, callback);
    });
}

} // extern "C"
