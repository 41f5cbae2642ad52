#pragma once
// Asks the desktop to open a file, a folder or a web link with the program
// the user has chosen for it. Whether that worked is not reported.

#include <QString>

void ShellOpen(const QString &target);
