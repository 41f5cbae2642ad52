#pragma once
// The regional web sites of the product, chosen by the language index.

#include <QString>

struct CSTRWEBLINK
{
    QString HomePageLink;
    QString SupportLink;   // the home page followed by "/support.html"
};

// Index 0 international, 1 Japanese, 2 German, 3 French; any other index
// gives the international site.
void BuildWebLinks(int languageIndex, CSTRWEBLINK &links);
