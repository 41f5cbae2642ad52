// SplitPDF and SplitPDFW: the pages an expression selects go into one new
// file, and on request every other page into a second file beside it.
#include "ExportGuard.h"
#include "FileSystem.h"
#include "PageRanges.h"
#include "WideText.h"
#include "colligo.h"
#include "reading/ParserConfiguration.h"
#include "reading/SourceDocument.h"
#include "writer/PdfWriter.h"

#include <PDFDoc.h>

namespace colligo {

namespace {

const char splitTitle[] = "SplitPDF";

enum class Pass { selection, rest };

// Copies one pass's pages; the result is 1, or the callback's last answer.
int copyPassPages(PdfWriter &writer, PDFDoc &document, const std::string &expression, Pass pass, MergeProgressCallback callback)
{
    writer.setSource(&document);
    PageList selected;
    std::int32_t total = expandPageRanges(selected, expression);
    int pageCount = document.getNumPages();
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
    return result;
}

// One pass into `outputPath`. A source that cannot be used leaves the output
// holding only the header line the writer wrote on creation.
template<typename Path>
int splitPass(const std::string &source, const std::string &expression, Path outputPath, Pass pass, MergeProgressCallback callback)
{
    ParserConfiguration configuration;
    PdfWriter writer(outputPath, splitTitle);
    if (!writer.isOk())
        return 0;
    std::unique_ptr<PDFDoc> document = openSourceDocument(source);
    if (!document->isOk() || !document->okToChange())
        return 0;
    int result = copyPassPages(writer, *document, expression, pass, callback);
    writer.finish();
    // A page that could not be copied in full is not a success.
    return writer.damagedPageCount() == 0 ? result : 0;
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
    if (isSameFile(source, outputUtf8) || (withRest && isSameFile(source, restUtf8)))
        return 0;
    int result = splitPass(source, expression, output, Pass::selection, callback);
    if (withRest)
        result = splitPass(source, expression, rest, Pass::rest, callback);
    return result;
}

} // namespace

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL SplitPDF(const char *source, const char *expression, const char *output, int32_t rest, MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        if (!source || !fileExists(source) || !expression || !*expression || !output)
            return 0;
        std::string second = restPath(std::string(output), "-2.PDF");
        return split(source, expression, output, output, second.c_str(), second, rest != 0, callback);
    });
}

int32_t COLLIGO_CALL SplitPDFW(const ColligoWideChar *source, const char *expression, ColligoWideChar *output, int32_t rest,
                               MergeProgressCallback callback)
{
    return guarded<int32_t>(0, [&] {
        if (!source || !expression || !*expression || !output)
            return 0;
        std::u16string second = restPath(std::u16string(output, wideLength(output)), u"-2.PDF");
        return split(toUtf8(source), expression, output, toUtf8(output), second.data(), toUtf8(second.data()), rest != 0, callback);
    });
}

} // extern "C"
