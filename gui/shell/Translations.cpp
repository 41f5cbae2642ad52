#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

#include <algorithm>

namespace {

const QString OwnFolder = QStringLiteral(":/translations");

} // namespace

QStringList ApplicationTranslations::Languages()
{
    QStringList languages;
    for (const QString &file : QDir(OwnFolder).entryList({QStringLiteral("quellan_*.qm")}, QDir::Files, QDir::Name))
        languages.append(file.mid(8, file.size() - 8 - 3));
    return languages;
}

ApplicationTranslations::ApplicationTranslations(const QLocale &locale)
    : ApplicationTranslations(locale.uiLanguages())
{
}

ApplicationTranslations::ApplicationTranslations(const QStringList &uiLanguages)
{
    const QStringList spoken = Languages();
    for (const QString &name : uiLanguages) {
        const QLocale candidate(name);
        if (candidate.language() == QLocale::English || candidate.language() == QLocale::C)
            return; // the source texts are English
        const QString code = QLocale::languageToCode(candidate.language(), QLocale::ISO639Part1);
        if (spoken.contains(code)) {
            language = code;
            break;
        }
    }
    if (language.isEmpty())
        return;
    Install(QStringLiteral("quellan_") + language, OwnFolder);
    // Qt's own texts; a missing file leaves them in English.
    Install(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

ApplicationTranslations::~ApplicationTranslations()
{
    for (const auto &translator : installed)
        QCoreApplication::removeTranslator(translator.get());
}

void ApplicationTranslations::Install(const QString &file, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(file, folder) && QCoreApplication::installTranslator(translator.get()))
        installed.push_back(std::move(translator));
}

LongerTexts::LongerTexts()
{
    QCoreApplication::installTranslator(this); // a translator leaves the application when it goes
}

// The text, then its first half again, cut before a placeholder so that
// "%1" stays one.
QString LongerTexts::translate(const char *, const char *sourceText, const char *, int) const
{
    const QString text = QString::fromUtf8(sourceText);
    qsizetype half = (text.size() + 1) / 2;
    if (const qsizetype placeholder = text.indexOf(u'%'); placeholder >= 0)
        half = std::min(half, placeholder);
    return text + text.left(half);
}
