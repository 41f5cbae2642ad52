// colligo info [--json] FILE...
#include "Commands.h"
#include "Json.h"

#include "colligo.h"

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

namespace {

// Why OpenPDF refused a file: the word for scripts and the sentence for people.
struct Refusal
{
    const char *word;
    const char *sentence;
};

Refusal refusalOf(DocumentHandle code)
{
    switch (code) {
    case COLLIGO_NEEDS_PASSWORD:
        return { "needs a password", "needs a password" };
    case COLLIGO_RESTRICTED:
        return { "restricted", "restricted (copying, printing or changing is not allowed)" };
    default:
        return { "unreadable", "unreadable (missing, damaged or not a PDF file)" };
    }
}

// What GetNavigation reports, in the words of the listing and the keys of --json.
struct Holding
{
    int32_t flag;
    const char *words;
    const char *key;
};

const Holding holdings[] = {
    { COLLIGO_KEEP_OUTLINE, "an outline", "outline" },
    { COLLIGO_KEEP_LINKS, "links", "links" },
    { COLLIGO_KEEP_ANNOTATIONS, "annotations", "annotations" },
    { COLLIGO_KEEP_FORMS, "form fields", "forms" },
    { COLLIGO_KEEP_PAGE_LABELS, "page labels", "page_labels" },
    { COLLIGO_KEEP_STRUCTURE, "tagged structure", "tagged" },
    { COLLIGO_KEEP_LAYERS, "layers", "layers" },
    { COLLIGO_KEEP_METADATA, "metadata", "metadata" },
    { COLLIGO_KEEP_SETTINGS, "document settings", "settings" },
    { COLLIGO_KEEP_ATTACHMENTS, "attachments", "attachments" },
};

// "a, b and c"
std::string listed(const std::vector<std::string> &parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

// "PDF/A-2b PDF/UA-1" or empty: the parts the document declares.
std::string conformanceOf(DocumentHandle handle)
{
    char buffer[128];
    const int32_t length = GetConformance(handle, buffer, sizeof buffer);
    if (length <= 0)
        return {};
    if (length < static_cast<int32_t>(sizeof buffer))
        return buffer;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetConformance(handle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::string> words(const std::string &text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// "a.pdf: 3 pages, with an outline and links; declares PDF/A-2b and PDF/UA-1"
std::string plainLine(const std::string &path, int pages, int32_t holds, const std::string &conformance)
{
    std::string line = path + ": " + std::to_string(pages) + (pages == 1 ? " page" : " pages");
    std::vector<std::string> parts;
    for (const Holding &holding : holdings)
        if (holds & holding.flag)
            parts.push_back(holding.words);
    if (!parts.empty())
        line += ", with " + listed(parts);
    if (!conformance.empty())
        line += "; declares " + listed(words(conformance));
    return line + "\n";
}

// {"path": ..., "pages": N, "holds": {...}, "conformance": ... or null}
// The engine cannot say whether a file that opens is encrypted (OpenPDF opens
// one that needs no password as any other), so no "encrypted" is written.
std::string jsonLine(const std::string &path, int pages, int32_t holds, const std::string &conformance)
{
    std::string line = "{\"path\": " + jsonString(path) + ", \"pages\": " + std::to_string(pages) + ", \"holds\": {";
    bool first = true;
    for (const Holding &holding : holdings) {
        line += (first ? "\"" : ", \"") + std::string(holding.key) + "\": " + ((holds & holding.flag) ? "true" : "false");
        first = false;
    }
    line += "}, \"conformance\": " + (conformance.empty() ? std::string("null") : jsonString(conformance));
    return line + "}\n";
}

std::string jsonRefusal(const std::string &path, const Refusal &refusal)
{
    return "{\"path\": " + jsonString(path) + ", \"refused\": " + jsonString(refusal.word) + ", \"reason\": " + jsonString(refusal.sentence) +
           "}\n";
}

} // namespace

// One line per file: "FILE: N pages, with ..." on standard output, or why it
// was refused on standard error; with --json one JSON object per line, all on
// standard output.
int infoCommand(const Invocation &invocation)
{
    const std::vector<std::string> &files = invocation.operands();
    if (files.empty())
        return invocation.usageError("needs at least one FILE");
    const bool json = invocation.has("--json");
    int status = exitOk;
    for (const std::string &path : files) {
        DocumentHandle handle = OpenPDF(path.c_str(), nullptr);
        if (handle < 0) {
            const Refusal refusal = refusalOf(handle);
            if (json)
                std::fputs(jsonRefusal(path, refusal).c_str(), stdout);
            else
                std::fprintf(stderr, "%s: %s\n", path.c_str(), refusal.sentence);
            status = exitFailed;
            continue;
        }
        const int pages = GetPageCount(handle);
        const int32_t holds = GetNavigation(handle);
        const std::string conformance = conformanceOf(handle);
        ClosePDF(handle);
        const std::string line = json ? jsonLine(path, pages, holds > 0 ? holds : 0, conformance)
                                      : plainLine(path, pages, holds > 0 ? holds : 0, conformance);
        std::fputs(line.c_str(), stdout);
    }
    return status;
}

} // namespace cli
