// The merge job from the progress dialog over the real engine: what the engine
// is given (judged by the pages of the output), the progress bar and the file
// and page it names, stopping with and without confirmation, failures and
// their reasons, and the question (or the opening) at the end. Also the About
// window.
#include "Aboutform_unit1.h"
#include "ConvertForm_Unit1.h"
#include "ConvertThread.h"
#include "Data_unit1.h"
#include "OptionsForm_Unit1.h"
#include "SSButton.h"
#include "Tskinprocess.h"
#include "WorkspaceSupport.h"

#include "Oracles.h"
#include "colligo.h"

#include <gtest/gtest.h>

#include <deque>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QWidget>

using namespace workspace_testing;
using testing_support::SourcePage;

namespace {

const char *const bigManual = "/usr/share/R/doc/manual/refman.pdf"; // 2415 pages: a merge that lasts

class MergeJobTest : public ::testing::Test
{
protected:
    void SetUp() override { MergeAlternately = false; }
    void TearDown() override
    {
        Records.clear();
        MergeAlternately = false;
    }

    QString File(const QString &name) const { return QString::fromStdString(App.Folder.file(name.toStdString())); }

    // A record as the method dialog leaves it: PageRange ascending, MergeRange in merge order.
    TItemInfo *Record(const QString &path, int pages, const QString &mergeRange = {}, int mixPages = 1, int alternateType = 0,
                      const QString &pageRange = {})
    {
        TItemInfo *item = &Records.emplace_back();
        item->FilePath = path;
        item->FileName = path.section(QLatin1Char('/'), -1);
        item->TotalPages = pages;
        item->PageRange = pageRange.isEmpty() ? QStringLiteral("1-%1").arg(pages) : pageRange;
        item->MergeRange = mergeRange.isEmpty() ? item->PageRange : mergeRange;
        item->MixPages = mixPages;
        item->AlternateType = alternateType;
        return item;
    }

    // Runs the dialog modally; `whileRunning` is offered the dialog every few
    // milliseconds until it returns true.
    int RunJob(const QList<TItemInfo *> &job, const QString &output, std::function<bool(TConvertForm &)> whileRunning = {},
               const TOutputOptions &options = TOutputOptions())
    {
        QWidget owner;
        owner.resize(720, 540);
        TConvertForm form(&owner, job, output, options);
        Shown.clear();
        QObject::connect(&form, &TConvertForm::PageShown, [this](const QString &file, int page, int pages) {
            Shown.append(QStringLiteral("%1 %2/%3").arg(file).arg(page).arg(pages));
        });
        QTimer poll;
        if (whileRunning) {
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (whileRunning(form))
                    poll.stop();
            });
            poll.start(5);
        }
        int result = form.exec();
        LastBar = form.ShownPercent();
        LastPageText = form.lblPage->text();
        return result;
    }

    static std::vector<SourcePage> Pages(const QString &file, std::initializer_list<int> pages)
    {
        std::vector<SourcePage> list;
        for (int page : pages)
            list.push_back({ file.toStdString(), page });
        return list;
    }

    RunningApplication App;
    ScriptedUser User;
    RecordingDesktop Desktop;
    std::deque<TItemInfo> Records; // the jobs' records; a deque keeps their addresses as it grows
    int LastBar = -1;
    QStringList Shown; // "file page/pages" for every page, as the dialog showed it
    QString LastPageText;
};

TEST_F(MergeJobTest, TwoFilesInListOrderThenTheOpenQuestion)
{
    QString a = WritePdf(File("a.pdf"), 3, "Alpha");
    QString b = WritePdf(File("b.pdf"), 2, "Beta");
    QString output = File("merged.pdf");
    User.Answer(QMessageBox::Yes);
    EXPECT_EQ(RunJob({ Record(a, 3, "3,1", 1, 0, "1,3"), Record(b, 2) }, output), mrOk);

    std::vector<SourcePage> expected = Pages(a, { 3, 1 });
    for (const SourcePage &page : Pages(b, { 1, 2 }))
        expected.push_back(page);
    testing_support::expectPagesMatch(output.toStdString(), expected);
    EXPECT_EQ(LastBar, 100);
    ASSERT_EQ(User.Seen.size(), 1);
    EXPECT_EQ(User.Seen[0].Text, "Merge successfully.Open output pdf file?");
    EXPECT_EQ(User.Seen[0].Caption, "Quellan PDF Merger");
    ASSERT_EQ(Desktop.Opened.size(), 1);
    EXPECT_EQ(Desktop.Opened[0].toLocalFile(), output);
}

TEST_F(MergeJobTest, AlternatingMergesInterleaveSlicesOfEachSelection)
{
    QString a = WritePdf(File("a.pdf"), 5, "Alpha");
    QString b = WritePdf(File("b.pdf"), 3, "Beta");
    QString c = WritePdf(File("c.pdf"), 4, "Gamma");
    QString d = WritePdf(File("d.pdf"), 1, "Delta");
    struct Case
    {
        const char *name;
        std::function<QList<TItemInfo *>()> job;
        std::vector<SourcePage> expected;
    };
    auto join = [](std::vector<std::vector<SourcePage>> parts) {
        std::vector<SourcePage> all;
        for (auto &part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const Case cases[] = {
        // A 5 pages mix 2, B 3 pages reversed mix 1.
        { "mix", [&] { return QList<TItemInfo *> { Record(a, 5, {}, 2), Record(b, 3, "3,2,1", 1) }; },
          join({ Pages(a, { 1, 2 }), Pages(b, { 3 }), Pages(a, { 3, 4 }), Pages(b, { 2 }), Pages(a, { 5 }), Pages(b, { 1 }) }) },
        // B repeats its whole selection after each slice of A.
        { "repeat", [&] { return QList<TItemInfo *> { Record(a, 5, {}, 2), Record(b, 3, "3,2,1", 1, 1) }; },
          join({ Pages(a, { 1, 2 }), Pages(b, { 3, 2, 1 }), Pages(a, { 3, 4 }), Pages(b, { 3, 2, 1 }), Pages(a, { 5 }), Pages(b, { 3, 2, 1 }) }) },
        // Every record repeats: the same as merging file after file.
        { "all repeat", [&] { return QList<TItemInfo *> { Record(a, 5, {}, 2, 1), Record(b, 3, "3,2,1", 1, 1) }; },
          join({ Pages(a, { 1, 2, 3, 4, 5 }), Pages(b, { 3, 2, 1 }) }) },
        // C 4 pages mix 3, D 1 page: D has nothing left in the second pass.
        { "run out", [&] { return QList<TItemInfo *> { Record(c, 4, {}, 3), Record(d, 1) }; },
          join({ Pages(c, { 1, 2, 3 }), Pages(d, { 1 }), Pages(c, { 4 }) }) },
    };
    for (const Case &testCase : cases) {
        SCOPED_TRACE(testCase.name);
        MergeAlternately = true;
        QString output = File(QStringLiteral("alternating.pdf"));
        User.Answer(QMessageBox::No);
        EXPECT_EQ(RunJob(testCase.job(), output), mrOk);
        testing_support::expectPagesMatch(output.toStdString(), testCase.expected);
        EXPECT_EQ(LastBar, 100);
        Records.clear();
    }
    EXPECT_TRUE(Desktop.Opened.isEmpty());
}

// Stop pressed, the question open: the engine is held; declined, the merge
// goes on to the end; confirmed, it ends at once and its file is deleted.
TEST_F(MergeJobTest, StopDeclinedResumesAndStopConfirmedDeletesTheOutput)
{
    QString big = QString::fromLatin1(bigManual);
    ASSERT_TRUE(QFile::exists(big));
    for (bool confirm : { false, true }) {
        SCOPED_TRACE(confirm ? "confirmed" : "declined");
        QString output = File(confirm ? "stopped.pdf" : "resumed.pdf");
        User.Seen.clear();
        int heldAt = -1, stillAt = -1;
        // The worker may be announcing one more page when the question opens;
        // once it has settled it must stay held, while its hand-overs are served.
        auto serveFor = [](int milliseconds) {
            QEventLoop loop;
            QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
            loop.exec();
        };
        User.WhileOpen = [&] {
            if (User.Seen.size() != 1 || !CurrentConvertThread)
                return;
            serveFor(100);
            heldAt = CurrentConvertThread->PagesDone;
            serveFor(200);
            stillAt = CurrentConvertThread->PagesDone;
        };
        User.Answer(confirm ? QMessageBox::Yes : QMessageBox::No);
        User.Answer(QMessageBox::No); // the open question, when it comes
        int result = RunJob({ Record(big, 2415), Record(big, 2415) }, output, [](TConvertForm &form) {
            if (form.Thread->PagesDone < 50)
                return false;
            Click(form.btnStop);
            return true;
        });
        User.WhileOpen = {};
        ASSERT_GE(User.Seen.size(), 1);
        EXPECT_EQ(User.Seen[0].Text, "Are you sure to cancel merging?");
        EXPECT_EQ(heldAt, stillAt) << "the engine went on while the question was open";
        if (confirm) {
            EXPECT_EQ(result, mrCancel);
            EXPECT_EQ(User.Seen.size(), 1) << "no failure and no open question after a stop";
            EXPECT_FALSE(QFile::exists(output));
        } else {
            EXPECT_EQ(result, mrOk);
            ASSERT_EQ(User.Seen.size(), 2);
            EXPECT_EQ(User.Seen[1].Text, "Merge successfully.Open output pdf file?");
            EXPECT_EQ(testing_support::qpdfPageCount(output.toStdString()), 4830);
            EXPECT_EQ(LastBar, 100);
        }
        Records.clear();
    }
}

// The application quits while a merge runs, so no event loop runs any more:
// the progress dialog still stops the worker, serving its last hand-overs
// instead of waiting on it for ever, and deletes the partial output.
TEST_F(MergeJobTest, QuittingTheApplicationMidMergeStopsTheWorkerAndDeletesThePartialFile)
{
    QString big = QString::fromLatin1(bigManual);
    ASSERT_TRUE(QFile::exists(big));
    const QString output = File("quitting.pdf");
    RunJob({ Record(big, 2415), Record(big, 2415) }, output, [](TConvertForm &form) {
        if (form.Thread->PagesDone < 50)
            return false;
        QCoreApplication::exit(0);
        return true;
    });
    EXPECT_EQ(CurrentConvertThread, nullptr);
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(MergeJobTest, FailuresSayMergeFailed)
{
    QString a = WritePdf(File("a.pdf"), 2);
    QString b = WritePdf(File("b.pdf"), 2);
    struct Case
    {
        const char *name;
        std::function<void()> arrange;
        QString output;
    };
    const Case cases[] = {
        { "output folder missing", [] {}, File("no/such/folder/out.pdf") },
        // A file that can no longer be listed must not let the others merge unreported.
        { "a source vanished", [&] { QFile::remove(b); }, File("out.pdf") },
    };
    for (const Case &testCase : cases) {
        SCOPED_TRACE(testCase.name);
        User.Seen.clear();
        QList<TItemInfo *> job = { Record(a, 2), Record(b, 2) };
        testCase.arrange();
        EXPECT_EQ(RunJob(job, testCase.output), mrOk);
        ASSERT_EQ(User.Seen.size(), 1);
        EXPECT_EQ(User.Seen[0].Text, "Merge Failed");
        EXPECT_FALSE(QFile::exists(testCase.output));
        Records.clear();
    }
    // Fewer than two records: nothing reaches the engine.
    User.Seen.clear();
    EXPECT_EQ(RunJob({ Record(a, 2) }, File("single.pdf")), mrOk);
    ASSERT_EQ(User.Seen.size(), 1);
    EXPECT_EQ(User.Seen[0].Text, "Merge Failed");
    EXPECT_FALSE(QFile::exists(File("single.pdf")));
}

TEST_F(MergeJobTest, AboutWindowShowsTheContextAndOpensItsLinks)
{
    App.Context.Version = QStringLiteral("1.0.0");
    App.Context.NoticeText = QStringLiteral("Copyright (C) Quellan");
    TAboutForm about(nullptr);
    EXPECT_EQ(about.lblVersion->text(), "1.0.0");
    EXPECT_EQ(about.lblSupport->text(), App.Context.SupportLink);
    EXPECT_EQ(about.lblHome->text(), App.Context.HomePageLink);
    EXPECT_EQ(about.lblCopyright->text(), "Copyright (C) Quellan");
    EXPECT_EQ(about.size(), QSize(423, 241));
    about.LinkLabelClick(about.lblHome);
    ASSERT_EQ(Desktop.Opened.size(), 1);
    EXPECT_EQ(Desktop.Opened[0].toString(), App.Context.HomePageLink);

    QTimer::singleShot(0, [&] { Click(about.ssSkinButton1); });
    EXPECT_EQ(about.exec(), mrOk);

    App.Context.Version.clear(); // no config.xml
    TAboutForm unversioned(nullptr);
    EXPECT_TRUE(unversioned.lblVersion->text().isEmpty());
}

// The progress names the file being copied and counts that file's pages,
// over all its slices when the files alternate.
TEST_F(MergeJobTest, ProgressNamesTheFileAndItsPageNofM)
{
    QString a = WritePdf(File("a.pdf"), 4, "Alpha");
    QString b = WritePdf(File("b.pdf"), 2, "Beta");
    User.Answer(QMessageBox::No);
    EXPECT_EQ(RunJob({ Record(a, 4, "4,3,2,1"), Record(b, 2) }, File("sequential.pdf")), mrOk);
    EXPECT_EQ(Shown, (QStringList { "a.pdf 1/4", "a.pdf 2/4", "a.pdf 3/4", "a.pdf 4/4", "b.pdf 1/2", "b.pdf 2/2" }));
    EXPECT_EQ(LastPageText, "page 2 of 2");

    MergeAlternately = true;
    User.Answer(QMessageBox::No);
    EXPECT_EQ(RunJob({ Record(a, 4, {}, 3), Record(b, 2) }, File("alternating.pdf")), mrOk);
    EXPECT_EQ(Shown, (QStringList { "a.pdf 1/4", "a.pdf 2/4", "a.pdf 3/4", "b.pdf 1/2", "a.pdf 4/4", "b.pdf 2/2" }));
}

TEST_F(MergeJobTest, OpenAfterMergeOpensTheResultWithoutAsking)
{
    QString a = WritePdf(File("a.pdf"), 1);
    QString b = WritePdf(File("b.pdf"), 1);
    TOutputOptions options;
    options.OpenAfterMerge = true;
    QString output = File("opened.pdf");
    EXPECT_EQ(RunJob({ Record(a, 1, "1", 1, 0, "1"), Record(b, 1, "1", 1, 0, "1") }, output, {}, options), mrOk);
    EXPECT_TRUE(User.Seen.isEmpty());
    ASSERT_EQ(Desktop.Opened.size(), 1);
    EXPECT_EQ(Desktop.Opened[0].toLocalFile(), output);

    // A failed merge opens nothing.
    User.Seen.clear();
    EXPECT_EQ(RunJob({ Record(a, 1, "1", 1, 0, "1"), Record(File("gone.pdf"), 1, "1", 1, 0, "1") }, File("failed.pdf"), {},
                     options),
              mrOk);
    ASSERT_EQ(User.Seen.size(), 1);
    EXPECT_EQ(User.Seen[0].Text, "Merge Failed");
    EXPECT_EQ(Desktop.Opened.size(), 1);
}

// A failure the workspace itself finds carries its own reason.
TEST_F(MergeJobTest, TooFewFilesSaysWhyTheMergeFailed)
{
    QString a = WritePdf(File("a.pdf"), 2);
    EXPECT_EQ(RunJob({ Record(a, 2) }, File("single.pdf")), mrOk);
    ASSERT_EQ(User.Seen.size(), 1);
    EXPECT_EQ(User.Seen[0].Text, "Merge Failed");
    EXPECT_EQ(User.Seen[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(User.Seen[0].Detail, "At least two files are needed for a merge.");
}

// "Merge Failed" keeps its text and shows the engine's reason under it: which
// file could not be read, or which output could not be written.
TEST_F(MergeJobTest, MergeFailedShowsTheEnginesReason)
{
    QString a = WritePdf(File("a.pdf"), 2);
    QString b = WritePdf(File("b.pdf"), 2);
    struct Case
    {
        const char *name;
        std::function<void()> arrange;
        QString output;
        QString named; // the path the reason must name
    };
    const Case cases[] = {
        { "a source vanished", [&] { QFile::remove(b); }, File("out.pdf"), b },
        { "output folder missing", [&] { WritePdf(b, 2); }, File("no/such/folder/out.pdf"), File("no/such/folder/out.pdf") },
    };
    for (const Case &testCase : cases) {
        SCOPED_TRACE(testCase.name);
        User.Seen.clear();
        QList<TItemInfo *> job = { Record(a, 2), Record(b, 2) };
        testCase.arrange();
        EXPECT_EQ(RunJob(job, testCase.output), mrOk);
        ASSERT_EQ(User.Seen.size(), 1);
        EXPECT_EQ(User.Seen[0].Text, "Merge Failed");
        EXPECT_TRUE(User.Seen[0].Detail.contains(testCase.named)) << User.Seen[0].Detail.toStdString();
        Records.clear();
    }
}

TEST_F(MergeJobTest, TheEngineNamesAVanishedSourceAsUnreadable)
{
    QString gone = File("gone.pdf");
    ClearList();
    EXPECT_EQ(AddFileW(reinterpret_cast<const ColligoWideChar *>(gone.utf16()), "1", 0), 0);
    EXPECT_EQ(LastEngineFailure().contains(gone), true) << LastEngineFailure().toStdString();
    char text[512];
    EXPECT_EQ(GetLastFailure(text, sizeof text), COLLIGO_FAILURE_SOURCE_UNREADABLE);
}

} // namespace
