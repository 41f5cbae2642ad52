#pragma once
// What the options dialog sets for the merges that follow: the document
// information of the output, what of the sources' navigation it keeps, and
// whether the result opens by itself. Kept for the next runs in a small file
// of the user's configuration folder.

#include <QString>

struct TOutputOptions
{
    QString Title;
    QString Subject;
    QString Author;
    QString Keywords;
    bool OpenAfterMerge = false;   // open the result without asking
    bool KeepNavigation = true;    // bookmarks, links, annotations, form fields and page labels
    bool BookmarkPerFile = false;  // one top-level bookmark per listed file

    bool operator==(const TOutputOptions &) const = default;
};

// "$XDG_CONFIG_HOME/<product>/options.ini" (~/.config when that is unset).
QString OutputOptionsPath(const QString &productTitle);

// The stored options; the defaults when there are none or the file is unreadable.
TOutputOptions LoadOutputOptions(const QString &path);

// False when the file could not be written (the options then last this run only).
bool SaveOutputOptions(const QString &path, const TOutputOptions &options);
