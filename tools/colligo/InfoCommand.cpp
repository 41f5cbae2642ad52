#include "Commands.h"

#include "colligo.h"

#include <cstdio>

namespace cli {

namespace {

const char *refusalReason(DocumentHandle code)
{
    switch (code) {
    case COLLIGO_NEEDS_PASSWORD:
        return "needs a password";
    case COLLIGO_RESTRICTED:
        return "restricted (copying, printing or changing is not allowed)";
    default:
        return "unreadable (missing, damaged or not a PDF file)";
    }
}

} // namespace

// colligo info FILE...: one line per file, "FILE: N pages" or the reason it was refused.
int infoCommand(const Arguments &args)
{
    if (args.empty())
        return usageError("info needs at least one FILE");
    int status = exitOk;
    for (const std::string &path : args) {
        DocumentHandle handle = OpenPDF(path.c_str(), nullptr);
        if (handle < 0) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), refusalReason(handle));
            status = exitFailed;
            continue;
        }
        int pages = GetPageCount(handle);
        std::printf("%s: %d page%s\n", path.c_str(), pages, pages == 1 ? "" : "s");
        ClosePDF(handle);
    }
    return status;
}

} // namespace cli
