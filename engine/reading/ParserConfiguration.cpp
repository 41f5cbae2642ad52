#include "ParserConfiguration.h"

#include <GlobalParams.h>

#include "platform/FileSystem.h"

namespace colligo {

namespace {

const ParserConfiguration *currentConfiguration = nullptr;
std::string resourceBase;

// Creates "<data>/Ostrel" and "<data>/Ostrel/RC"; failures (the folders exist,
// no rights) are of no consequence to the operation. A fresh Linux profile may
// not have its data folder yet, so that is created first.
std::string makeResourceBase()
{
    std::string data = applicationDataFolder();
    if (data.empty())
        return {};
    makeFolders(data);
    std::string base = data + pathSeparator + "Ostrel";
    makeFolder(base);
    base += pathSeparator + std::string("RC");
    makeFolder(base);
    return base + pathSeparator;
}

} // namespace

ParserConfiguration::ParserConfiguration()
    : previous(std::move(globalParams))
{
    // poppler's own defaults; no configuration file is looked for.
    globalParams = std::make_unique<GlobalParams>();
    resourceBase = makeResourceBase();
    registerResources();
    currentConfiguration = this;
}

ParserConfiguration::~ParserConfiguration()
{
    globalParams = std::move(previous);
    currentConfiguration = nullptr;
}

// poppler 22.12 has no public call for these commands (it reads no
// configuration file any more), so they are kept here, where they can be seen.
// Without a resource folder the resource paths are left out rather than built
// from nothing.
void ParserConfiguration::registerResources()
{
    if (!resourceBase.empty()) {
        const std::string chinese = resourceBase + "chinese-s" + pathSeparator;
        registered = {
            { "cidToUnicode", "Adobe-GB1", chinese + "Adobe-GB1.cidToUnicode" },
            { "unicodeMap", "ISO-2022-CN", chinese + "ISO-2022-CN.unicodeMap" },
            { "unicodeMap", "EUC-CN", chinese + "EUC-CN.unicodeMap" },
            { "unicodeMap", "GBK", chinese + "GBK.unicodeMap" },
            { "cMapDir", "Adobe-GB1", chinese + "CMap" },
            { "toUnicodeDir", "", chinese + "CMap" },
        };
    }
    std::string font = systemFontsFolder() + pathSeparator + "simsun.ttc";
    if (!fileExists(font))
        font = systemFontsFolder() + pathSeparator + "simsun.ttf";
    registered.push_back({ "displayCIDFontTT", "Adobe-GB1", font });
}

const std::string &ParserConfiguration::resourceBaseDirectory()
{
    return resourceBase;
}

const ParserConfiguration *ParserConfiguration::current()
{
    return currentConfiguration;
}

} // namespace colligo
