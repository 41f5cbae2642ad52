#include "OutputOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString Properties = QStringLiteral("properties/");
const QString Merge = QStringLiteral("merge/");

} // namespace

QString OutputOptionsPath(const QString &productTitle)
{
    const QString configuration = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return configuration + u'/' + productTitle + QStringLiteral("/options.ini");
}

TOutputOptions LoadOutputOptions(const QString &path)
{
    TOutputOptions options;
    if (!QFileInfo(path).isFile())
        return options;
    QSettings stored(path, QSettings::IniFormat);
    if (stored.status() != QSettings::NoError)
        return options;
    options.Title = stored.value(Properties + QStringLiteral("title")).toString();
    options.Subject = stored.value(Properties + QStringLiteral("subject")).toString();
    options.Author = stored.value(Properties + QStringLiteral("author")).toString();
    options.Keywords = stored.value(Properties + QStringLiteral("keywords")).toString();
    options.OpenAfterMerge = stored.value(Merge + QStringLiteral("openAfterMerge"), options.OpenAfterMerge).toBool();
    options.KeepNavigation = stored.value(Merge + QStringLiteral("keepNavigation"), options.KeepNavigation).toBool();
    options.BookmarkPerFile = stored.value(Merge + QStringLiteral("bookmarkPerFile"), options.BookmarkPerFile).toBool();
    return options;
}

bool SaveOutputOptions(const QString &path, const TOutputOptions &options)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings stored(path, QSettings::IniFormat);
    stored.setValue(Properties + QStringLiteral("title"), options.Title);
    stored.setValue(Properties + QStringLiteral("subject"), options.Subject);
    stored.setValue(Properties + QStringLiteral("author"), options.Author);
    stored.setValue(Properties + QStringLiteral("keywords"), options.Keywords);
    stored.setValue(Merge + QStringLiteral("openAfterMerge"), options.OpenAfterMerge);
    stored.setValue(Merge + QStringLiteral("keepNavigation"), options.KeepNavigation);
    stored.setValue(Merge + QStringLiteral("bookmarkPerFile"), options.BookmarkPerFile);
    stored.sync();
    return stored.status() == QSettings::NoError;
}
