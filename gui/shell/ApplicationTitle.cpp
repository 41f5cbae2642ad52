#include "ApplicationTitle.h"

namespace {
QString &StoredTitle()
{
    static QString title;
    return title;
}
} // namespace

void SetApplicationTitle(const QString &title)
{
    StoredTitle() = title;
}

QString ApplicationTitle()
{
    return StoredTitle();
}
