// The options that merge and both splits share: what the output keeps besides
// its pages, and its document information.
#pragma once

#include "Commands.h"

#include <optional>
#include <string>

namespace cli {

struct OutputSettings
{
    bool plain = false;
    bool bookmarkPerFile = false;
    std::optional<std::string> title, subject, author, keywords;

    // Takes the option at args[i] (and its value), advancing i past it.
    // Returns false when args[i] is no output option; `error` is set when it
    // is one but its value is missing.
    bool take(const Arguments &args, std::size_t &i, std::string &error);
    // Hands the settings to the engine for the next merge or split.
    void apply() const;
};

// "colligo: <what>: <the engine's reason>" on standard error.
void reportFailure(const std::string &what);

} // namespace cli
