#pragma once
// The application in the user's language: the translation of its own texts
// (compiled in under ":/translations/") and Qt's translation of the texts of
// its standard dialogs (buttons of message boxes, the file dialog), both
// installed for as long as this object lives. English is the source language
// and needs neither.

#include <QLocale>
#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

class ApplicationTranslations
{
public:
    // The first of the user-interface languages ("de-DE", "fr", in the order
    // the desktop prefers them) that the application speaks; English first,
    // or none that it speaks, leaves every text in English.
    explicit ApplicationTranslations(const QStringList &uiLanguages);
    // The user-interface languages of the locale (the desktop's: QLocale::system()).
    explicit ApplicationTranslations(const QLocale &locale);
    ~ApplicationTranslations();
    ApplicationTranslations(const ApplicationTranslations &) = delete;
    ApplicationTranslations &operator=(const ApplicationTranslations &) = delete;

    // "de", "fr", "ja", or empty for English.
    QString Language() const { return language; }

    // The languages the application has translations for.
    static QStringList Languages();

private:
    void Install(const QString &file, const QString &folder);

    QString language;
    std::vector<std::unique_ptr<QTranslator>> installed;
};

// Every text half as long again ("Merge" reads "MergeMer"), for as long as
// this object lives: how the windows take a language whose texts are longer
// than the English ones. The screenshot tour shows it (--longer); the tests
// check that no caption is then cut off.
class LongerTexts : public QTranslator
{
public:
    LongerTexts();
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
};
