#include "OutputOptionsExport.h"

#include "ExportGuard.h"
#include "colligo.h"

#include <utility>

namespace colligo {

namespace {

OutputOptions &pendingOptions()
{
    static OutputOptions options;
    return options;
}

std::optional<std::string> textOrNothing(const char *text)
{
    if (!text)
        return std::nullopt;
    return std::string(text);
}

} // namespace

OutputOptions takeOutputOptions()
{
    return std::exchange(pendingOptions(), OutputOptions());
}

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL SetOutputOptions(uint32_t keep, int32_t bookmarkPerFile, const char *title, const char *subject,
                                      const char *author, const char *keywords)
{
    return guarded<int32_t>(0, [&] {
        OutputOptions options;
        options.keep = keep & COLLIGO_KEEP_ALL;
        options.compactLayout = (keep & COLLIGO_OUTPUT_COMPACT) != 0;
        options.shareObjects = (keep & COLLIGO_OUTPUT_NO_DEDUPE) == 0;
        options.compressStreams = (keep & COLLIGO_OUTPUT_COMPRESS) != 0;
        options.bookmarkPerFile = bookmarkPerFile != 0;
        options.title = textOrNothing(title);
        options.subject = textOrNothing(subject);
        options.author = textOrNothing(author);
        options.keywords = textOrNothing(keywords);
        pendingOptions() = std::move(options);
        return 1;
    });
}

} // extern "C"
