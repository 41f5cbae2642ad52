#include "Commands.h"

#include "colligo.h"

#include <cstdio>
#include <string>
#include <vector>

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

// ", with an outline, links and form fields": what a reader navigates by.
std::string navigationText(int32_t navigation)
{
    std::vector<std::string> parts;
    if (navigation & COLLIGO_KEEP_OUTLINE)
        parts.push_back("an outline");
    if (navigation & COLLIGO_KEEP_LINKS)
        parts.push_back("links");
    if (navigation & COLLIGO_KEEP_ANNOTATIONS)
        parts.push_back("annotations");
    if (navigation & COLLIGO_KEEP_FORMS)
        parts.push_back("form fields");
    if (navigation & COLLIGO_KEEP_PAGE_LABELS)
        parts.push_back("page labels");
    if (navigation <= 0 || parts.empty())
        return {};
    std::string text = ", with ";
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
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
        std::printf("%s: %d page%s%s\n", path.c_str(), pages, pages == 1 ? "" : "s", navigationText(GetNavigation(handle)).c_str());
        ClosePDF(handle);
    }
    return status;
}

} // namespace cli
