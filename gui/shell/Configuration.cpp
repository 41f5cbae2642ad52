#include "Configuration.h"

#include "OptionStore.h"
#include "WebLinks.h"

void LoadConfiguration(MuiContext &context)
{
    OptionStore options;
    options.Load(context.ApplicationFolder + QStringLiteral("config.xml"));
    context.Version = options.GetText(QStringLiteral("product\\version"));

    int languageIndex = 0;
    if (options.Load(context.ProgramFolder + QStringLiteral("config-ext.xml")))
        languageIndex = options.GetNumber(QStringLiteral("product\\language"));

    CSTRWEBLINK links;
    BuildWebLinks(languageIndex, links);
    context.HomePageLink = links.HomePageLink;
    context.SupportLink = links.SupportLink;
}
