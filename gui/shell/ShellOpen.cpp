#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

void ShellOpen(const QString &target)
{
    // A web link carries its scheme; anything else is a local file or folder.
    const QUrl link(target, QUrl::StrictMode);
    const bool isWebLink = link.isValid() && (link.scheme() == u"http" || link.scheme() == u"https");
    QDesktopServices::openUrl(isWebLink ? link : QUrl::fromLocalFile(target));
}
