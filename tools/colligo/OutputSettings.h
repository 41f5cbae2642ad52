// The options that merge and both splits share (the output options of the
// command table): what the output keeps besides its pages, and its document
// information.
#pragma once

#include "CommandLine.h"

#include <optional>
#include <string>

namespace cli {

struct OutputSettings
{
    bool plain = false;
    bool bookmarkPerFile = false;
    bool classic = false;
    bool noDedupe = false;
    bool compress = false;
    std::optional<std::string> title, subject, author, keywords;
    std::optional<std::string> jobs; // threads in all, as given

    // The output options given to a command that shares them.
    static OutputSettings from(const Invocation &invocation);
    // Hands the settings to the engine for the next merge or split: by
    // default everything the document holds (COLLIGO_KEEP_ALL), with --plain
    // pages only; in the compact layout unless --classic; with --jobs the
    // engine's threads (COLLIGO_JOBS, which the engine reads at each call).
    void apply() const;
};

// "colligo: <what>: <the engine's reason>" on standard error.
void reportFailure(const std::string &what);

} // namespace cli
