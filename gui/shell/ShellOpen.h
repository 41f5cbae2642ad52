#pragma once
// Asks the desktop to open a file, a folder or a web link with the program
// the user has chosen for it. Whether that worked is not reported.

#include <QString>

void ShellOpen(const QString &target);

// Opens the user guide that ships in the application folder
// ("help/index.html") with the desktop's browser, at `section` when given.
void ShellOpenHelp(const QString &applicationFolder, const QString &section = QString());
