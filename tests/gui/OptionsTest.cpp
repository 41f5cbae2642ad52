// The options: the dialog's two tabs and what OK hands back, the file that
// keeps them for the next runs in the user's configuration folder, and what
// the merges that follow do with them (judged by an independent reader of
// the output).
#include "ConvertForm_Unit1.h"
#include "MergerForm_Unit1.h"
#include "OptionsForm_Unit1.h"
#include "OutputOptions.h"
#include "SSButton.h"
#include "WorkspaceSupport.h"

#include "Oracles.h"
#include "PdfBuilder.h"

#include <gtest/gtest.h>

#include <deque>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

using namespace workspace_testing;

namespace {

const char *const manualWithOutline = "/usr/share/R/doc/manual/R-data.pdf"; // pdfTeX, hyperref bookmarks and links
const char *const secondManual = "/usr/share/R/doc/manual/R-FAQ.pdf";

TOutputOptions Filled()
{
    TOutputOptions options;
    options.Title = QStringLiteral("Quarterly Report");
    options.Subject = QStringLiteral("Sales 2024");
    options.Author = QStringLiteral("Ada Lovelace");
    options.Keywords = QStringLiteral("sales, report");
    options.OpenAfterMerge = true;
    options.KeepNavigation = false;
    options.BookmarkPerFile = true;
    return options;
}

class OptionsTest : public testing::Test
{
protected:
    void TearDown() override
    {
        QFile::remove(StoredPath());
    }

    QString StoredPath() const { return OutputOptionsPath(QStringLiteral("Quellan PDF Merger")); }
    QString File(const QString &name) const { return QString::fromStdString(App.Folder.file(name.toStdString())); }

    RunningApplication App;
    ScriptedUser User;
    RecordingDesktop Desktop;
    std::deque<TItemInfo> Records; // the jobs' records; a deque keeps their addresses as it grows
};

TEST_F(OptionsTest, TheDialogSwitchesTabsAndOkHandsBackWhatItShows)
{
    TOptionsForm options(nullptr);
    options.show();
    EXPECT_EQ(options.SelectedTab(), 0);
    EXPECT_TRUE(options.PanelProperties->isVisible());
    EXPECT_FALSE(options.PanelOther->isVisible());
    EXPECT_EQ(options.PanelOther->geometry(), options.PanelProperties->geometry());
    EXPECT_EQ(options.Values(), TOutputOptions()) << "a first run starts from the defaults";
    EXPECT_TRUE(options.cbKeepNavigation->isChecked());
    EXPECT_FALSE(options.cbBookmarkPerFile->isChecked());
    EXPECT_FALSE(options.cbOpenFile->isChecked());

    Click(options.btnOther);
    EXPECT_EQ(options.SelectedTab(), 1);
    EXPECT_FALSE(options.PanelProperties->isVisible());
    for (QCheckBox *box : { options.cbOpenFile, options.cbKeepNavigation, options.cbBookmarkPerFile })
        EXPECT_TRUE(box->isVisible()) << box->text().toStdString();
    EXPECT_EQ(options.cbOpenFile->text(), "Open the file after merging successfully");
    EXPECT_EQ(options.cbKeepNavigation->text(), "Keep the whole document");
    EXPECT_TRUE(options.lblKeepNavigationNote->isVisible());
    EXPECT_TRUE(options.lblKeepNavigationNote->text().startsWith("Bookmarks, links, form fields, tags, layers, metadata"));
    // Every row lies inside the panel picture, under the one before it.
    int below = 0;
    for (QWidget *row : std::initializer_list<QWidget *>{ options.cbOpenFile, options.cbKeepNavigation,
                                                          options.lblKeepNavigationNote, options.cbBookmarkPerFile }) {
        EXPECT_GE(row->geometry().top(), below);
        EXPECT_TRUE(options.PanelOther->rect().contains(row->geometry())) << row->objectName().toStdString();
        below = row->geometry().bottom();
    }
    EXPECT_EQ(options.cbBookmarkPerFile->text(), "Add a bookmark for each file");
    options.cbOpenFile->click();
    options.cbKeepNavigation->click();
    options.cbBookmarkPerFile->click();
    Click(options.btnProperties);
    EXPECT_EQ(options.SelectedTab(), 0);
    const TOutputOptions filled = Filled();
    options.TntComboBox1->setEditText(filled.Title);
    options.TntComboBox2->setEditText(filled.Subject);
    options.TntComboBox3->setEditText(filled.Author);
    options.TntComboBox4->setEditText(QStringLiteral("  ") + filled.Keywords + QStringLiteral(" "));

    Click(options.ssSkinButton1);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(options.result(), mrOk);
    EXPECT_EQ(options.Values(), filled) << "blanks around a value are dropped";

    TOptionsForm again(nullptr, filled);
    EXPECT_EQ(again.Values(), filled);
    again.show();
    Click(again.ssSkinButton2);
    EXPECT_EQ(again.result(), mrCancel);
}

// OK stores the values in the configuration folder; the next window (the
// next run) starts with them. Cancel keeps what was stored.
TEST_F(OptionsTest, OkKeepsTheOptionsForTheNextRuns)
{
    ASSERT_TRUE(StoredPath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quellan PDF Merger/"));
    const TOutputOptions filled = Filled();
    {
        TMergerForm form;
        EXPECT_EQ(form.Options(), TOutputOptions());
        form.AddPaths({ WritePdf(File("a.pdf"), 1) });
        Idle();
        WindowWatch dialog("OptionsForm", [&](QWidget *window) {
            auto *options = static_cast<TOptionsForm *>(window);
            options->TntComboBox1->setEditText(filled.Title);
            options->TntComboBox2->setEditText(filled.Subject);
            options->TntComboBox3->setEditText(filled.Author);
            options->TntComboBox4->setEditText(filled.Keywords);
            options->cbOpenFile->setChecked(filled.OpenAfterMerge);
            options->cbKeepNavigation->setChecked(filled.KeepNavigation);
            options->cbBookmarkPerFile->setChecked(filled.BookmarkPerFile);
            Click(options->ssSkinButton1);
        });
        Click(form.findChild<TssSkinButton *>("btnOptions"));
        EXPECT_EQ(dialog.Shown, 1);
        EXPECT_EQ(form.Options(), filled);
        User.Answer(QMessageBox::Yes);
        form.close();
    }
    EXPECT_TRUE(QFile::exists(StoredPath()));
    EXPECT_EQ(LoadOutputOptions(StoredPath()), filled);

    TMergerForm next;
    EXPECT_EQ(next.Options(), filled);
    next.AddPaths({ WritePdf(File("b.pdf"), 1) });
    Idle();
    WindowWatch cancelled("OptionsForm", [](QWidget *window) {
        auto *options = static_cast<TOptionsForm *>(window);
        EXPECT_EQ(options->TntComboBox1->currentText(), "Quarterly Report") << "the dialog shows the stored values";
        options->TntComboBox1->setEditText(QStringLiteral("Something else"));
        Click(options->ssSkinButton2);
    });
    next.findChild<QAction *>("OptionsAct")->trigger();
    EXPECT_EQ(cancelled.Shown, 1);
    EXPECT_EQ(next.Options(), filled);
    EXPECT_EQ(LoadOutputOptions(StoredPath()), filled);
    User.Answer(QMessageBox::Yes);
    next.close();
}

TEST_F(OptionsTest, TheFileLiesInTheConfigurationFolderOrUnderDotConfig)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(OutputOptionsPath("Quellan PDF Merger"), QDir::homePath() + "/.config/Quellan PDF Merger/options.ini");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(File("elsewhere")));
    EXPECT_EQ(OutputOptionsPath("Quellan PDF Merger"), File("elsewhere") + "/Quellan PDF Merger/options.ini");
    EXPECT_TRUE(SaveOutputOptions(OutputOptionsPath("Quellan PDF Merger"), Filled()));
    EXPECT_EQ(LoadOutputOptions(OutputOptionsPath("Quellan PDF Merger")), Filled());
    qputenv("XDG_CONFIG_HOME", saved);

    // Unreadable or missing: the defaults.
    EXPECT_EQ(LoadOutputOptions(File("missing/options.ini")), TOutputOptions());
    testing_support::writeFile(File("garbage.ini").toStdString(), "\x01\x02 not an ini file [[[");
    EXPECT_EQ(LoadOutputOptions(File("garbage.ini")), TOutputOptions());
}

// Runs a merge of the two manuals with these options and reads the output.
class MergeWithOptions : public OptionsTest
{
protected:
    PdfFacts Merge(const TOutputOptions &options)
    {
        const QString output = File("with-options.pdf");
        QList<TItemInfo *> job;
        for (const char *manual : { manualWithOutline, secondManual }) {
            TItemInfo *item = &Records.emplace_back();
            item->FilePath = QString::fromLatin1(manual);
            item->FileName = item->FilePath.section(u'/', -1);
            item->TotalPages = 20;
            item->PageRange = item->MergeRange = QStringLiteral("1-20");
            job.append(item);
        }
        User.Answer(QMessageBox::No);
        QWidget owner;
        TConvertForm form(&owner, job, output, options);
        form.exec();
        EXPECT_EQ(testing_support::qpdfPageCount(output.toStdString()), 40);
        return ReadPdfFacts(output);
    }
};

TEST_F(MergeWithOptions, WithoutKeepingTheOutputHoldsPagesOnly)
{
    ASSERT_TRUE(QFile::exists(manualWithOutline));
    ASSERT_GT(ReadPdfFacts(manualWithOutline).OutlineItems, 0) << "the source must have bookmarks to lose";
    TOutputOptions plain;
    plain.KeepNavigation = false;
    const PdfFacts facts = Merge(plain);
    ASSERT_TRUE(facts.Read);
    EXPECT_EQ(facts.OutlineItems, 0);
    EXPECT_EQ(facts.Annotations, 0);
    EXPECT_FALSE(facts.HasForm);
    EXPECT_TRUE(facts.Author.isEmpty());
}

TEST_F(MergeWithOptions, TheDocumentInformationAndTheBookmarksReachTheOutput)
{
    TOutputOptions options = Filled();
    options.KeepNavigation = true;
    options.BookmarkPerFile = false;
    const PdfFacts facts = Merge(options);
    ASSERT_TRUE(facts.Read);
    EXPECT_EQ(facts.Title, options.Title);
    EXPECT_EQ(facts.Subject, options.Subject);
    EXPECT_EQ(facts.Author, options.Author);
    EXPECT_EQ(facts.Keywords, options.Keywords);
    EXPECT_GT(facts.OutlineItems, 0);
    EXPECT_GT(facts.Annotations, 0);

    options.BookmarkPerFile = true;
    const PdfFacts perFile = Merge(options);
    EXPECT_EQ(perFile.OutlineItems, facts.OutlineItems + 2) << "one more bookmark for each of the two files";
}

} // namespace
