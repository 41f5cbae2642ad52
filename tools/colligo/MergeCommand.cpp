// colligo merge -o OUT FILE[:RANGE]...
#include "Commands.h"
#include "OutputSettings.h"
#include "Progress.h"

#include "colligo.h"

#include <cctype>
#include <cstdio>
#include <sys/stat.h>

namespace cli {

namespace {

struct Source
{
    std::string path;
    std::string range; // empty: every page
};

bool isFile(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool looksLikeRange(const std::string &text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == ',' || c == '-' || c == ' '))
            return false;
    return true;
}

// "FILE:RANGE" splits at its last colon when what follows reads as a range and
// the whole argument is not itself the name of a file.
Source parseSource(const std::string &argument)
{
    std::size_t colon = argument.rfind(':');
    if (colon != std::string::npos && !isFile(argument) && looksLikeRange(argument.substr(colon + 1)))
        return { argument.substr(0, colon), argument.substr(colon + 1) };
    return { argument, {} };
}

// "1-N" for a file's every page, counted by the engine's list check, which
// keeps the open file for the AddFile that follows; "1" when the file cannot
// be merged (AddFile then refuses it, with its reason).
std::string everyPage(const std::string &path)
{
    int32_t pages = GetFilePageCount(path.c_str());
    return pages > 0 ? "1-" + std::to_string(pages) : "1";
}

} // namespace

int mergeCommand(const Invocation &invocation)
{
    const std::string output = invocation.value("--output").value_or("");
    std::vector<Source> sources;
    for (const std::string &operand : invocation.operands())
        sources.push_back(parseSource(operand));
    if (output.empty())
        return invocation.usageError("needs an output file: -o OUT");
    if (sources.size() < 2)
        return invocation.usageError("needs at least two FILE arguments (a file may be listed twice)");
    const OutputSettings settings = OutputSettings::from(invocation);

    ClearList();
    for (Source &source : sources) {
        std::string range = source.range.empty() ? everyPage(source.path) : source.range;
        if (AddFile(source.path.c_str(), range.c_str(), 0) != 1) {
            ClearList();
            reportFailure(source.path + ": cannot be merged");
            return exitFailed;
        }
    }

    Progress progress(static_cast<int>(sources.size()));
    settings.apply();
    int result = Colligo(output.c_str(), 0, Progress::callback);
    progress.finish();
    if (progress.interrupted()) {
        std::remove(output.c_str());
        std::fprintf(stderr, "colligo: interrupted; the partial %s was removed\n", output.c_str());
        return exitInterrupted;
    }
    if (result != 1) {
        reportFailure("the merge into " + output + " failed");
        return exitFailed;
    }
    return exitOk;
}

} // namespace cli
