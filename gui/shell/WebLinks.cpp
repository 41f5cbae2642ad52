#include "WebLinks.h"

#include <array>

void BuildWebLinks(int languageIndex, CSTRWEBLINK &links)
{
    static const std::array<const char *, 4> homePages = {
        "https://www.quellan-studio.com",
        "https://jp.quellan-studio.com",
        "https://de.quellan-studio.com",
        "https://fr.quellan-studio.com",
    };
    const bool known = languageIndex >= 0 && languageIndex < static_cast<int>(homePages.size());
    links.HomePageLink = QString::fromLatin1(homePages[known ? languageIndex : 0]);
    links.SupportLink = links.HomePageLink + QStringLiteral("/support.html");
}
