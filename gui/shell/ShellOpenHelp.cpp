// The user guide, at one of its sections, in the desktop's browser: Qt hands
// the file link with its fragment to the platform, which a plain path would lose.
#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

void ShellOpenHelp(const QString &applicationFolder, const QString &section)
{
    QUrl guide = QUrl::fromLocalFile(applicationFolder + QStringLiteral("help/index.html"));
    if (!section.isEmpty())
        guide.setFragment(section);
    QDesktopServices::openUrl(guide);
}
