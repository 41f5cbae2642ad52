#include "OutputSettings.h"

#include "colligo.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace cli {

OutputSettings OutputSettings::from(const Invocation &invocation)
{
    OutputSettings settings;
    settings.plain = invocation.has("--plain");
    settings.bookmarkPerFile = invocation.has("--bookmark-per-file");
    settings.classic = invocation.has("--classic");
    settings.noDedupe = invocation.has("--no-dedupe");
    settings.compress = invocation.has("--compress");
    settings.title = invocation.value("--title");
    settings.subject = invocation.value("--subject");
    settings.author = invocation.value("--author");
    settings.keywords = invocation.value("--keywords");
    settings.jobs = invocation.value("--jobs");
    return settings;
}

void OutputSettings::apply() const
{
    auto text = [](const std::optional<std::string> &value) { return value ? value->c_str() : nullptr; };
    std::uint32_t keep = plain ? 0 : COLLIGO_KEEP_ALL;
    if (!classic)
        keep |= COLLIGO_OUTPUT_COMPACT;
    if (noDedupe)
        keep |= COLLIGO_OUTPUT_NO_DEDUPE;
    if (compress)
        keep |= COLLIGO_OUTPUT_COMPRESS;
    SetOutputOptions(keep, bookmarkPerFile ? 1 : 0, text(title), text(subject), text(author), text(keywords));
    if (jobs) {
#ifdef _WIN32
        _putenv_s("COLLIGO_JOBS", jobs->c_str());
#else
        setenv("COLLIGO_JOBS", jobs->c_str(), 1);
#endif
    }
}

void reportFailure(const std::string &what)
{
    char reason[1024];
    if (GetLastFailure(reason, sizeof reason) != COLLIGO_FAILURE_NONE)
        std::fprintf(stderr, "colligo: %s: %s\n", what.c_str(), reason);
    else
        std::fprintf(stderr, "colligo: %s failed\n", what.c_str());
}

} // namespace cli
