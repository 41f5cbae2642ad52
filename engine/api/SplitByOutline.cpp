// SplitWithOutline and SplitWithOutlineW: one file per outline entry of a
// chosen level, holding the pages from that entry's page up to the next
// chosen entry's, plus a leading file for the pages before the first one.
#include "ExportGuard.h"
#include "Failure.h"
#include "platform/FileSystem.h"
#include "OutputOptionsExport.h"
#include "OutlineList.h"
#include "platform/WideText.h"
#include "colligo.h"
#include "reading/ParserConfiguration.h"
#include "reading/SourceDocument.h"
#include "writer/PdfWriter.h"

#include <PDFDoc.h>

namespace colligo {

namespace {

const char splitTitle[] = "SplitPDF";
constexpr std::size_t longestFileName = 255; // bytes, as Linux file systems allow

enum class Variant { narrow, wide };

// A title as a file-name part: path separators and control characters would
// put the file elsewhere or make its name untypable, so they become '_'.
std::string fileNamePart(std::string title)
{
    for (char &c : title) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F)
            c = '_';
    }
    return title;
}

std::string entryTitle(const OutlineEntry &entry, Variant variant)
{
    if (variant == Variant::narrow)
        return fileNamePart(entry.narrowTitle.data());
    return fileNamePart(utf16ToUtf8(entry.wideTitle.data()).value_or(std::string()));
}

// "<folder>/<stem><suffix>", the stem cut on a whole character when the name
// would be longer than a file name may be. A folder ending in '/' takes the
// names without a separator of their own.
class SectionNames
{
public:
    explicit SectionNames(std::string folder) : folder(std::move(folder)) { }

    std::string leading(const std::string &first) const { return endsWithSeparator() ? build("-" + first, ".PDF") : build("start-" + first, ".PDF"); }
    std::string section(const std::string &title, const std::string &next) const { return build(title + "-" + next, ".PDF"); }
    std::string last(const std::string &title) const { return endsWithSeparator() ? build(title, "-.PDF") : build(title, "-end.PDF"); }

private:
    bool endsWithSeparator() const { return isPathSeparator(static_cast<unsigned char>(folder.back())); }
    std::string build(const std::string &stem, const std::string &suffix) const
    {
        std::string name = cutUtf8(stem, longestFileName - suffix.size()) + suffix;
        return endsWithSeparator() ? folder + name : folder + pathSeparator + name;
    }

    std::string folder;
};

struct Section
{
    std::string fileName;
    int firstPage;
    int endPage;        // one past the last page
    int positionBase;   // the callback's position is page - positionBase
    bool forceSinglePage = false;
};

class OutlineSplitter
{
public:
    OutlineSplitter(SourceDocument &document, const std::string &sourcePath, Variant variant, const OutputOptions &options,
                    MergeProgressCallback callback)
        : document(document), sourcePath(sourcePath), variant(variant), options(options), callback(callback), pageCount(document.pages().count())
    {
    }

    int split(const std::vector<const OutlineEntry *> &selected, const SectionNames &names)
    {
        for (std::size_t i = 0; i < selected.size() && result != 0; ++i) {
            int start = pageOfEntry(document, *selected[i]);
            int end = i + 1 < selected.size() ? pageOfEntry(document, *selected[i + 1]) : pageCount + 1;
            if (start == 0 || end == 0)
                continue;
            std::string title = entryTitle(*selected[i], variant);
            if (i == 0 && start > 1)
                writeSection({ names.leading(title), 1, std::min(start, pageCount + 1), 0 });
            std::string fileName = i + 1 < selected.size() ? names.section(title, entryTitle(*selected[i + 1], variant)) : names.last(title);
            // The wide form keeps an entry that shares its page with the next one.
            bool single = variant == Variant::wide && start == end;
            writeSection({ fileName, start, end, start - 1, single });
        }
        return result;
    }

private:
    void writeSection(const Section &section)
    {
        // A name that is the source file itself would destroy it: that file is skipped.
        if (isSameFile(section.fileName, sourcePath))
            return;
        std::unique_ptr<PdfWriter> writer = createWriter(section.fileName);
        if (!writer->isOk()) {
            recordFailure(COLLIGO_FAILURE_OUTPUT_UNWRITABLE, "cannot create the output file " + inQuotes(section.fileName));
            return;
        }
        writer->setSource(&document, { sectionPages(section), {} });
        if (section.forceSinglePage) {
            copyPage(*writer, section.firstPage, section.firstPage);
        } else {
            for (int page = section.firstPage; page < section.endPage && page <= pageCount && result != 0; ++page)
                copyPage(*writer, page, page - section.positionBase);
        }
        writer->releaseSource(&document);
        writer->finish();
        if (writer->damagedPageCount() > 0)
            damaged = true;
        if (!writer->completed())
            recordFailure(COLLIGO_FAILURE_OUTPUT_UNWRITABLE, "the output file " + inQuotes(section.fileName) + " could not be written in full");
    }

    // The pages (0-based) a section file will hold.
    std::vector<int> sectionPages(const Section &section) const
    {
        if (section.forceSinglePage)
            return { section.firstPage - 1 };
        std::vector<int> pages;
        for (int page = section.firstPage; page < section.endPage && page <= pageCount; ++page)
            pages.push_back(page - 1);
        return pages;
    }

    void copyPage(PdfWriter &writer, int page, int position)
    {
        if (callback)
            result = callback(1, pageCount, page, position);
        writer.addPage(page);
    }

    std::unique_ptr<PdfWriter> createWriter(const std::string &fileName)
    {
        if (variant == Variant::narrow)
            return std::make_unique<PdfWriter>(fileName.c_str(), splitTitle, options);
        std::u16string wide = utf8ToUtf16(fileName);
        return std::make_unique<PdfWriter>(wide.data(), splitTitle, options);
    }

    SourceDocument &document;
    const std::string &sourcePath;
    Variant variant;
    const OutputOptions &options;
    MergeProgressCallback callback;
    int pageCount;
    int result = 1;

public:
    bool damaged = false;
};

int splitWithOutline(const std::string &source, const std::string &folder, int level, Variant variant, MergeProgressCallback callback)
{
    OutputOptions options = takeOutputOptions();
    ParserConfiguration configuration;
    std::unique_ptr<SourceDocument> document = SourceDocument::open(source);
    if (!document->isOk()) {
        recordOpenFailure(document->errorCode(), source);
        return 0;
    }
    if (!allowsCopyPrintChange(document->pdf())) {
        recordFailure(COLLIGO_FAILURE_SOURCE_RESTRICTED, inQuotes(source) + " does not allow copying, printing or changing");
        return 0;
    }
    ReadingAhead ahead(*document);
    int depth = listOutline(*document, nullptr);
    if (depth < 0) {
        recordFailure(COLLIGO_FAILURE_NO_OUTLINE, inQuotes(source) + " has no outline");
        return depth;
    }
    if (level > depth) {
        recordFailure(COLLIGO_FAILURE_NO_OUTLINE, "the outline of " + inQuotes(source) + " has fewer levels than " + std::to_string(level));
        return 0;
    }
    std::vector<const OutlineEntry *> selected;
    for (const OutlineEntry &entry : outlineEntries())
        if (entry.level == level)
            selected.push_back(&entry);
    OutlineSplitter splitter(*document, source, variant, options, callback);
    int result = splitter.split(selected, SectionNames(folder));
    if (result == 0)
        recordFailure(COLLIGO_FAILURE_STOPPED, "the split was stopped");
    if (splitter.damaged) {
        recordFailure(COLLIGO_FAILURE_SOURCE_DAMAGED, "some pages of " + inQuotes(source) + " could not be copied in full");
        return 0;
    }
    return result;
}

} // namespace

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL SplitWithOutline(const char *source, const char *folder, int32_t level, int32_t, MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!source || !folder || !*folder) {
            recordFailure(COLLIGO_FAILURE_ARGUMENTS, "a source and an output folder are needed");
            return 0;
        }
        if (!fileExists(source)) {
            recordFailure(COLLIGO_FAILURE_SOURCE_UNREADABLE, "cannot open " + inQuotes(source) + ": no such file");
            return 0;
        }
        return splitWithOutline(source, folder, level, Variant::narrow, callback);
    });
}

int32_t COLLIGO_CALL SplitWithOutlineW(const ColligoWideChar *source, const ColligoWideChar *folder, int32_t level, int32_t,
                                       MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!source || !folder || !*folder) {
            recordFailure(COLLIGO_FAILURE_ARGUMENTS, "a source and an output folder are needed");
            return 0;
        }
        auto sourcePath = utf16ToUtf8(source);
        auto folderPath = utf16ToUtf8(folder);
        if (!sourcePath || !folderPath)
            return 0;
        return splitWithOutline(*sourcePath, *folderPath, level, Variant::wide, callback);
    });
}

} // extern "C"
