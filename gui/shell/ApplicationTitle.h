#pragma once
// The application title: the caption of every message box and the title some
// dialogs show. Set once by the application object before any window exists.

#include <QString>

void SetApplicationTitle(const QString &title);
QString ApplicationTitle();
