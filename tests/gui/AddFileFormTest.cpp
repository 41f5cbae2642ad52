// The add-files dialog over the real engine: what it measures, what it drops,
// its status lines, and stopping it in the middle.
//
// A named pipe stands for a file that is slow to open: the worker's open
// blocks on it until the test lets it go, so "the user stops while the third
// file is being opened" happens exactly there, not by luck of timing.
#include "AddFileForm_Unit1.h"
#include "AddFileThread.h"
#include "SSButton.h"
#include "WorkspaceSupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLabel>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace workspace_testing;

namespace {

// A named pipe whose reader is let go once `release` says so: the pipe is
// opened for writing and closed again, and the reader sees an empty file.
class SlowFile
{
public:
    explicit SlowFile(const QString &path)
        : Path(path)
    {
        EXPECT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    }
    ~SlowFile()
    {
        if (releaser.joinable())
            releaser.join();
    }

    // Lets the reader go, on a thread of its own, as soon as `release` holds.
    void ReleaseWhen(std::function<bool()> release)
    {
        releaser = std::thread([this, release = std::move(release)] {
            while (!release())
                std::this_thread::yield();
            const int writer = ::open(Path.toLocal8Bit().constData(), O_WRONLY);
            if (writer >= 0)
                ::close(writer);
        });
    }

    const QString Path;

private:
    std::thread releaser;
};

class AddFileFormTest : public testing::Test
{
protected:
    QString File(const QString &name) const { return QString::fromStdString(Application.Folder.file(name.toStdString())); }

    QStringList FileNames() const
    {
        QStringList names;
        for (const TItemInfo &item : Items)
            names.append(item.FileName);
        return names;
    }

    static QString Status(const QString &path) { return QStringLiteral("Add File: '%1'.").arg(path); }

    RunningApplication Application;
    ScriptedUser User;
    QList<TItemInfo> Items;
};

TEST_F(AddFileFormTest, MeasuresTheFilesThatOpenInPathOrderAndDropsTheOthersSilently)
{
    const QStringList paths = {
        WritePdf(File("one.pdf"), 1),
        WriteDamaged(File("damaged.pdf")),
        QString(),
        File("missing.pdf"),
        WritePdf(File("twelve.pdf"), 12),
    };
    TAddFileForm dialog(nullptr, paths, Items);
    QStringList shownLines;
    auto *status = dialog.findChild<QLabel *>("lblFile");
    ASSERT_NE(status, nullptr);
    // Every line the worker hands over is painted at once; note them in order.
    class PaintWatch : public QObject
    {
    public:
        explicit PaintWatch(QLabel *label, QStringList &lines) : Label(label), Lines(lines) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            const QString shown = Label->text();
            if (event->type() == QEvent::Paint && !shown.isEmpty() && (Lines.isEmpty() || Lines.last() != shown))
                Lines.append(shown);
            return false;
        }
        QLabel *Label;
        QStringList &Lines;
    } watch(status, shownLines);
    status->installEventFilter(&watch);

    EXPECT_EQ(dialog.exec(), mrOk);

    ASSERT_EQ(FileNames(), (QStringList{"one.pdf", "twelve.pdf"}));
    EXPECT_EQ(Items[0].FilePath, paths[0]);
    EXPECT_EQ(Items[0].TotalPages, 1);
    EXPECT_EQ(Items[0].PageRange, "1");
    EXPECT_EQ(Items[0].MergeRange, "1");
    EXPECT_EQ(Items[1].TotalPages, 12);
    EXPECT_EQ(Items[1].PageRange, "1-12");
    EXPECT_EQ(Items[1].MergeRange, "1-12");
    for (const TItemInfo &item : Items) {
        EXPECT_EQ(item.RangeType, 0);
        EXPECT_EQ(item.PageSort, 0);
        EXPECT_EQ(item.AlternateType, 0);
        EXPECT_EQ(item.MixPages, 1);
        EXPECT_EQ(item.SizeKB, QFileInfo(item.FilePath).size() / 1024);
    }
    EXPECT_TRUE(User.Seen.isEmpty());
    // The empty path gets no line; the status line only ever names the file being opened.
    EXPECT_EQ(shownLines, (QStringList{Status(paths[0]), Status(paths[1]), Status(paths[3]), Status(paths[4]),
                                       "Adding files done."}));
}

TEST_F(AddFileFormTest, SizesAreWholeKibibytes)
{
    const QString big = WritePdf(File("big.pdf"), 60);
    ASSERT_GT(QFileInfo(big).size(), 2048);
    EXPECT_EQ(FileSizeKB(big), QFileInfo(big).size() / 1024);
    EXPECT_EQ(FileSizeKB(File("nowhere.pdf")), 0);
}

TEST_F(AddFileFormTest, AStopWhileTheThirdOfFiveFilesOpensKeepsTheFirstTwo)
{
    SlowFile third(File("third.pdf"));
    const QStringList paths = {WritePdf(File("a.pdf"), 2), WritePdf(File("b.pdf"), 3), third.Path,
                               WritePdf(File("d.pdf"), 4), WritePdf(File("e.pdf"), 5)};
    TAddFileForm dialog(nullptr, paths, Items);
    third.ReleaseWhen([&dialog] { return dialog.Thread()->StopRequested.load(); });
    dialog.open();
    auto *status = dialog.findChild<QLabel *>("lblFile");
    ASSERT_TRUE(WaitUntil([&] { return status->text() == Status(third.Path); }));

    User.Answer(QMessageBox::Yes);
    Click(dialog.findChild<TssSkinButton *>("btnCancle"));

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), mrCancel);
    ASSERT_EQ(User.Seen.size(), 1);
    EXPECT_EQ(User.Seen[0].Caption, "Cancel");
    EXPECT_EQ(User.Seen[0].Text, "Are you sure to stop adding files.");
    EXPECT_TRUE(dialog.Thread()->isFinished());
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "b.pdf"}));
    // The completion message that follows a stop changes nothing.
    Idle();
    EXPECT_EQ(dialog.result(), mrCancel);
}

TEST_F(AddFileFormTest, AnsweringNoLetsTheWorkerFinishEveryFile)
{
    SlowFile third(File("third.pdf"));
    const QStringList paths = {WritePdf(File("a.pdf"), 2), WritePdf(File("b.pdf"), 3), third.Path,
                               WritePdf(File("d.pdf"), 4), WritePdf(File("e.pdf"), 5)};
    TAddFileForm dialog(nullptr, paths, Items);
    std::atomic<bool> answered = false;
    third.ReleaseWhen([&answered] { return answered.load(); });
    dialog.open();
    auto *status = dialog.findChild<QLabel *>("lblFile");
    ASSERT_TRUE(WaitUntil([&] { return status->text() == Status(third.Path); }));

    User.Answer(QMessageBox::No);
    Click(dialog.findChild<TssSkinButton *>("btnCancle"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Thread()->StopRequested);
    answered = true;

    ASSERT_TRUE(WaitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), mrOk);
    EXPECT_EQ(status->text(), "Adding files done.");
    // The pipe opened as an empty file and was refused like any damaged one.
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "b.pdf", "d.pdf", "e.pdf"}));
}

TEST_F(AddFileFormTest, ClosingFromTheWindowManagerIsAConfirmedStop)
{
    SlowFile second(File("second.pdf"));
    const QStringList paths = {WritePdf(File("a.pdf"), 2), second.Path, WritePdf(File("c.pdf"), 4)};
    TAddFileForm dialog(nullptr, paths, Items);
    second.ReleaseWhen([&dialog] { return dialog.Thread()->StopRequested.load(); });
    dialog.open();
    auto *status = dialog.findChild<QLabel *>("lblFile");
    ASSERT_TRUE(WaitUntil([&] { return status->text() == Status(second.Path); }));

    EXPECT_TRUE(dialog.close());

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), mrCancel);
    EXPECT_TRUE(User.Seen.isEmpty());
    EXPECT_TRUE(dialog.Thread()->isFinished());
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf"}));
}

TEST_F(AddFileFormTest, ABatchOfRefusedFilesEndsWithNothing)
{
    const QStringList paths = {WriteDamaged(File("x.pdf")), File("absent.pdf")};
    TAddFileForm dialog(nullptr, paths, Items);
    EXPECT_EQ(dialog.exec(), mrOk);
    EXPECT_TRUE(Items.isEmpty());
    EXPECT_TRUE(User.Seen.isEmpty());
}

} // namespace
