// colligo merge -o OUT FILE[:RANGE]...
#include "Commands.h"
#include "OutputSettings.h"
#include "Progress.h"
#include "RangeArgument.h"

#include "PageRangeWriter.h"
#include "colligo.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace cli {

namespace {

struct Source
{
    std::string path;
    std::string range; // after a colon; without one, every page
    bool hasRange = false;
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

// "FILE:RANGE" splits at its last colon unless the whole argument is itself
// the name of a file. What follows the colon is a range when the part before
// it is a file, so a wrong range is reported as such, or when it reads as one,
// so a missing file with a range is reported as the file that cannot be merged.
Source parseSource(const std::string &argument)
{
    std::size_t colon = argument.rfind(':');
    if (colon == std::string::npos || isFile(argument))
        return { argument, {}, false };
    std::string path = argument.substr(0, colon);
    std::string range = argument.substr(colon + 1);
    if (isFile(path) || looksLikeRange(range))
        return { path, range, true };
    return { argument, {}, false };
}

// Each given range checked and put into the form the engine gets; a usage
// error naming the first wrong piece otherwise.
std::optional<int> checkRanges(const Invocation &invocation, std::vector<Source> &sources)
{
    for (Source &source : sources) {
        if (!source.hasRange)
            continue;
        RangeArgument range = readRangeArgument(source.range);
        if (!range.right())
            return invocation.usageError("page range '" + source.range + "' of " + source.path + ": " + range.problem);
        source.range = range.expression;
    }
    return std::nullopt;
}

// "1-N" for a file's every page, counted by the engine's list check, which
// keeps the open file for the AddFile that follows; "1" when the file cannot
// be merged (AddFile then refuses it, with its reason).
std::string everyPage(const std::string &path)
{
    return pageranges::allPages(GetFilePageCount(path.c_str()));
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
    if (std::optional<int> wrong = checkRanges(invocation, sources))
        return *wrong;
    const OutputSettings settings = OutputSettings::from(invocation);

    ClearList();
    for (Source &source : sources) {
        std::string range = source.hasRange ? source.range : everyPage(source.path);
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
