// Windows: the shell's "open" verb (ShellExecuteW) for files, folders and web
// links alike, the way Explorer opens them.
#include "ShellOpen.h"

#include <QDir>
#include <QUrl>

#include <windows.h>

#include <shellapi.h>

void ShellOpen(const QString &target)
{
    // A web link is handed over as it is; a path in Windows' own spelling.
    const QUrl link(target, QUrl::StrictMode);
    const bool isWebLink = link.isValid() && (link.scheme() == u"http" || link.scheme() == u"https");
    const QString subject = isWebLink ? target : QDir::toNativeSeparators(target);
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(subject.utf16()), nullptr, nullptr, SW_SHOWNORMAL);
}
