// The translations: every text of the sources is in each language's Qt
// Linguist file, translated, with its placeholders; the language follows the
// desktop's locale; the windows and boxes then speak it, Qt's own buttons too.
#include "MergerForm_Unit1.h"
#include "SSButton.h"
#include "Translations.h"
#include "WorkspaceSupport.h"

#include "Oracles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTableView>
#include <QXmlStreamReader>

#include <map>

using namespace workspace_testing;

namespace {

struct Message
{
    QString Source;
    QString Translation;
    bool Finished = false;
};

// context -> messages of a Qt Linguist file
using Catalogue = std::map<QString, QList<Message>>;

Catalogue ReadCatalogue(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            message = Message{xml.readElementText(), QString(), false};
        } else if (xml.name() == u"translation") {
            message.Finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            message.Translation = xml.readElementText();
            catalogue[context].append(message);
        }
    }
    return catalogue;
}

QSet<QString> Keys(const Catalogue &catalogue)
{
    QSet<QString> keys;
    for (const auto &[context, messages] : catalogue)
        for (const Message &message : messages)
            keys.insert(context + u'|' + message.Source);
    return keys;
}

QStringList Placeholders(const QString &text)
{
    QStringList found;
    static const QRegularExpression placeholder(QStringLiteral("%[0-9]"));
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        found.append(match.captured());
    found.sort();
    return found;
}

class TranslationFiles : public testing::TestWithParam<const char *>
{
protected:
    QString File() const
    {
        return QStringLiteral(QUELLAN_SOURCE_DIR "/gui/translations/quellan_%1.ts").arg(QLatin1String(GetParam()));
    }
};

// A text added to the sources without a translation would show in English.
TEST_P(TranslationFiles, HoldEveryTextOfTheSourcesTranslated)
{
    const Catalogue committed = ReadCatalogue(File());
    ASSERT_FALSE(committed.empty()) << File().toStdString();

    testing_support::TempDir folder;
    const std::string fresh = folder.file("fresh.ts");
    const auto gathered = testing_support::runCommand(
        testing_support::shellQuote(QUELLAN_LUPDATE) + " -silent -no-obsolete -locations none "
        QUELLAN_SOURCE_DIR "/gui/shell " QUELLAN_SOURCE_DIR "/gui/workspace " QUELLAN_SOURCE_DIR "/gui/skins -ts "
        + testing_support::shellQuote(fresh));
    ASSERT_EQ(gathered.status, 0) << gathered.output;
    const QSet<QString> inSources = Keys(ReadCatalogue(QString::fromStdString(fresh)));
    ASSERT_GT(inSources.size(), 50);
    const QSet<QString> translated = Keys(committed);
    EXPECT_EQ(inSources - translated, QSet<QString>()) << "texts to translate (run the target update-translations)";
    EXPECT_EQ(translated - inSources, QSet<QString>()) << "translations of texts the sources no longer have";

    for (const auto &[context, messages] : committed) {
        for (const Message &message : messages) {
            SCOPED_TRACE((context + u'|' + message.Source).toStdString());
            EXPECT_TRUE(message.Finished);
            EXPECT_FALSE(message.Translation.trimmed().isEmpty());
            EXPECT_EQ(Placeholders(message.Translation), Placeholders(message.Source));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFiles, testing::Values("de", "fr", "ja"));

TEST(ApplicationTranslations, FollowTheFirstLanguageOfTheDesktopThatTheyKnow)
{
    EXPECT_EQ(ApplicationTranslations::Languages(), (QStringList{"de", "fr", "ja"}));
    const struct
    {
        QStringList uiLanguages; // in the order the desktop prefers them
        const char *spoken;      // empty: English
    } cases[] = {
        {{"de-DE"}, "de"},
        {{"fr-CA"}, "fr"},
        {{"ja-JP", "ja"}, "ja"},
        {{"en-GB"}, ""},
        {{"pt-BR", "fr-FR"}, "fr"}, // the first one it speaks
        {{"en-US", "de-DE"}, ""},   // English comes first: the source texts
        {{"pt-BR"}, ""},
        {{}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.uiLanguages.join(u',').toStdString());
        const ApplicationTranslations translations(c.uiLanguages);
        EXPECT_EQ(translations.Language(), QLatin1String(c.spoken));
    }
    EXPECT_EQ(ApplicationTranslations(QLocale(QLocale::Japanese, QLocale::Japan)).Language(), "ja");
}

TEST(ApplicationTranslations, TranslateTheApplicationAndQtsOwnTexts)
{
    {
        const ApplicationTranslations german(QLocale(QLocale::German, QLocale::Germany));
        ASSERT_EQ(german.Language(), "de");
        EXPECT_EQ(QCoreApplication::translate("TMergerForm", "Are you sure to exit?"),
                  "Möchten Sie das Programm wirklich beenden?");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja") << "Qt's own translation (qtbase_de)";
    }
    // Gone with the object: English again.
    EXPECT_EQ(QCoreApplication::translate("TMergerForm", "Are you sure to exit?"), "Are you sure to exit?");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
}

// The windows built while a language is installed speak it; the design's
// English texts stand as they are without one.
TEST(ApplicationTranslations, TheMainWindowSpeaksTheLanguage)
{
    RunningApplication application;
    ScriptedUser user;
    const struct
    {
        const char *language;
        const char *header;  // the File Name column
        const char *button;  // the caption of Add Files
        const char *range;   // a new row's page range
    } cases[] = {
        {"en", "File Name", "Add Files", "All"},
        {"de", "Dateiname", "Hinzufügen", "Alle"},
        {"fr", "Nom du fichier", "Ajouter", "Toutes"},
        {"ja", "ファイル名", "ファイル追加", "すべて"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        const ApplicationTranslations translations{QLocale(QString::fromLatin1(c.language))};
        TMergerForm form;
        auto *list = form.findChild<QTableView *>("TntLV");
        EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8(c.header));
        EXPECT_EQ(form.findChild<TssSkinButton *>("btnAddFile")->Caption(), QString::fromUtf8(c.button));
        form.AddPaths({WritePdf(QString::fromStdString(application.Folder.file("a.pdf")), 2)});
        ASSERT_EQ(list->model()->rowCount(), 1);
        EXPECT_EQ(CellText(list, 0, 4), QString::fromUtf8(c.range));
        user.Answer(QMessageBox::No);
        form.close();
        ASSERT_FALSE(user.Seen.isEmpty());
        EXPECT_EQ(user.Seen.last().Text, QCoreApplication::translate("TMergerForm", "Are you sure to exit?"));
        user.Answer(QMessageBox::Yes);
        form.close();
    }
}

} // namespace
