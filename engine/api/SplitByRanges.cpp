// SplitPDF and SplitPDFW: the pages an expression selects go into one new
// file, and on request every other page into a second file beside it.
#include "ExportGuard.h"
#include "Failure.h"
#include "platform/FileSystem.h"
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

const char splitTitle[] = "SplitPDF";

enum class Pass { selection, rest };

// The pages (0-based) one pass copies: the selection up to the first page
// beyond the document, or every page the selection does not name.
std::vector<int> passPages(const PageList &selected, int pageCount, Pass pass)
{
    std::vector<int> pages;
    if (pass == Pass::selection) {
        selected.forEach([&](int page, std::int64_t) {
            if (page > pageCount)
                return false;
            if (page >= 1)
                pages.push_back(page - 1);
            return true;
        });
    } else {
        for (int page = 1; page <= pageCount; ++page)
            if (!selected.contains(page))
                pages.push_back(page - 1);
    }
    return pages;
}

// Copies one pass's pages; the result is 1, or the callback's last answer.
int copyPassPages(PdfWriter &writer, SourceDocument &document, const std::string &expression, Pass pass, MergeProgressCallback callback)
{
    PageList selected;
    std::int32_t total = expandPageRanges(selected, expression);
    int pageCount = document.pages().count();
    writer.setSource(&document, { passPages(selected, pageCount, pass), {} });
    int result = 1;
    if (pass == Pass::selection) {
        selected.forEach([&](int page, std::int64_t position) {
            if (page > pageCount)
                return false;
            if (callback)
                result = callback(1, total, page, static_cast<std::int32_t>(std::min<std::int64_t>(position, INT32_MAX)));
            writer.addPage(page);
            return result != 0;
        });
    } else {
        int copied = 0;
        for (int page = 1; page <= pageCount && result != 0; ++page) {
            if (selected.contains(page))
                continue;
            if (callback)
                result = callback(1, pageCount, ++copied, page);
            writer.addPage(page);
        }
    }
    writer.releaseSource(&document);
    return result;
}

// One pass into `outputPath`. A source that cannot be used leaves the output
// holding only the header line the writer wrote on creation.
template<typename Path>
int splitPass(const std::string &source, const std::string &expression, Path outputPath, const std::string &outputUtf8, Pass pass,
              const OutputOptions &options, MergeProgressCallback callback)
{
    ParserConfiguration configuration;
    PdfWriter writer(outputPath, splitTitle, options);
    if (!writer.isOk()) {
        recordFailure(COLLIGO_FAILURE_OUTPUT_UNWRITABLE, "cannot create the output file " + inQuotes(outputUtf8));
        return 0;
    }
    std::unique_ptr<SourceDocument> document = SourceDocument::open(source);
    if (!document->isOk()) {
        recordOpenFailure(document->errorCode(), source);
        return 0;
    }
    if (!document->pdf().okToChange()) {
        recordFailure(COLLIGO_FAILURE_SOURCE_RESTRICTED, inQuotes(source) + " does not allow changing");
        return 0;
    }
    ReadingAhead ahead(*document);
    int result = copyPassPages(writer, *document, expression, pass, callback);
    writer.finish();
    if (result == 0)
        recordFailure(COLLIGO_FAILURE_STOPPED, "the split was stopped");
    // A page that could not be copied in full, or a file not written in full, is not a success.
    if (writer.damagedPageCount() > 0) {
        recordFailure(COLLIGO_FAILURE_SOURCE_DAMAGED, "some pages of " + inQuotes(source) + " could not be copied in full");
        return 0;
    }
    if (!writer.completed()) {
        recordFailure(COLLIGO_FAILURE_OUTPUT_UNWRITABLE, "the output file " + inQuotes(outputUtf8) + " could not be written in full");
        return 0;
    }
    return result;
}

// The rest file's name: the output path less its last four characters, plus "-2.PDF".
template<typename Text>
Text restPath(const Text &output, const typename Text::value_type *suffix)
{
    return (output.size() < 4 ? Text() : output.substr(0, output.size() - 4)) + suffix;
}

std::string toUtf8(const char16_t *text)
{
    return utf16ToUtf8(text).value_or(std::string());
}

// The selection pass, then with `withRest` the rest pass (whatever the first
// returned). Neither output may be the source itself: that would destroy it.
template<typename Path>
int split(const std::string &source, const char *expression, Path output, const std::string &outputUtf8, Path rest,
          const std::string &restUtf8, bool withRest, MergeProgressCallback callback)
{
    OutputOptions options = takeOutputOptions();
    for (const std::string *target : { &outputUtf8, withRest ? &restUtf8 : nullptr }) {
        if (target && isSameFile(source, *target)) {
            recordFailure(COLLIGO_FAILURE_OUTPUT_IS_SOURCE, "the output file " + inQuotes(*target) + " is the source itself");
            return 0;
        }
    }
    int result = splitPass(source, expression, output, outputUtf8, Pass::selection, options, callback);
    if (withRest) {
        clearFailure(); // the result is the rest pass's; so is its reason
        result = splitPass(source, expression, rest, restUtf8, Pass::rest, options, callback);
    }
    return result;
}

} // namespace

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL SplitPDF(const char *source, const char *expression, const char *output, int32_t rest, MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!source || !expression || !*expression || !output) {
            recordFailure(COLLIGO_FAILURE_ARGUMENTS, "a source, an expression and an output file are needed");
            return 0;
        }
        if (!fileExists(source)) {
            recordFailure(COLLIGO_FAILURE_SOURCE_UNREADABLE, "cannot open " + inQuotes(source) + ": no such file");
            return 0;
        }
        std::string second = restPath(std::string(output), "-2.PDF");
        return split(source, expression, output, output, second.c_str(), second, rest != 0, callback);
    });
}

int32_t COLLIGO_CALL SplitPDFW(const ColligoWideChar *source, const char *expression, ColligoWideChar *output, int32_t rest,
                               MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        clearFailure();
        if (!source || !expression || !*expression || !output) {
            recordFailure(COLLIGO_FAILURE_ARGUMENTS, "a source, an expression and an output file are needed");
            return 0;
        }
        std::u16string second = restPath(std::u16string(output, wideLength(output)), u"-2.PDF");
        return split(toUtf8(source), expression, output, toUtf8(output), second.data(), toUtf8(second.data()), rest != 0, callback);
    });
}

} // extern "C"
