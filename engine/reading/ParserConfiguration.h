// The parser's process-wide configuration for one merge or split: built fresh
// when the operation starts, current while it runs, discarded when it ends.
//
// Besides poppler's defaults it registers a set of simplified-Chinese
// resources (character maps, Unicode maps, a CID TrueType font) under the
// per-user resource folder "<application data>/Ostrel/RC/", which it creates.
// The engine neither ships nor fetches those files; poppler would only look
// for them when decoding Adobe-GB1 text, which no engine operation does.
#pragma once

#include <memory>
#include <string>
#include <vector>

class GlobalParams;

namespace colligo {

class ParserConfiguration
{
public:
    struct Registration
    {
        std::string keyword; // the parser's configuration command
        std::string key;     // empty for commands without one
        std::string value;
    };

    // Builds the configuration and makes it poppler's current one.
    ParserConfiguration();
    // Discards it; whatever was current before (normally nothing) is current again.
    ~ParserConfiguration();
    ParserConfiguration(const ParserConfiguration &) = delete;
    ParserConfiguration &operator=(const ParserConfiguration &) = delete;

    const std::vector<Registration> &registrations() const { return registered; }

    // The resource folder of the latest construction, ending in '/'; empty when
    // no application-data folder could be determined.
    static const std::string &resourceBaseDirectory();
    // The configuration of the running operation, or null between operations.
    static const ParserConfiguration *current();

private:
    void registerResources();

    std::unique_ptr<GlobalParams> previous;
    std::vector<Registration> registered;
};

} // namespace colligo
