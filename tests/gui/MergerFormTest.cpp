// The main window over the real engine: adding by batch, folder and drop,
// the rows and their records, the selection rules of removing and moving,
// the enabled rules, the output name and the checks before a merge.
#include "MergerForm_Unit1.h"
#include "SSButton.h"
#include "WorkspaceSupport.h"

#include "Oracles.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSet>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace workspace_testing;

namespace {

class MergerFormTest : public testing::Test
{
protected:
    MergerFormTest()
    {
        MergeAlternately = true; // the window turns it off
        Form = std::make_unique<TMergerForm>();
        Form->show();
        List = Form->findChild<QTableView *>("TntLV");
        NameBox = Form->findChild<QComboBox *>("cbFileName");
        Folder = Form->findChild<QLineEdit *>("edtOutputFolder");
    }
    ~MergerFormTest() override
    {
        if (Form->isVisible()) {
            User.Answer(QMessageBox::Yes);
            Form->close();
        }
    }

    QString File(const QString &name) const { return QString::fromStdString(Application.Folder.file(name.toStdString())); }
    QAction *Action(const char *name) const { return Form->findChild<QAction *>(QLatin1String(name)); }

    // Adds PDF files of the given names (3 pages each) in one batch.
    void AddFiles(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths.append(WritePdf(File(name), 3));
        Form->AddPaths(paths);
    }

    QStringList FileNames() const { return ColumnTexts(List, 1); }
    QStringList ItemTexts() const { return ColumnTexts(List, 0); }
    void Select(const QList<int> &rows) { SelectRows(List, rows); }
    QList<int> SelectedRows() const { return workspace_testing::SelectedRows(List); }

    // Every row has a record of its own.
    void ExpectRecordsMatchRows() const
    {
        QList<TItemInfo *> rows = Form->RowItems();
        EXPECT_EQ(rows.size(), List->model()->rowCount());
        EXPECT_FALSE(rows.contains(nullptr));
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(std::adjacent_find(rows.begin(), rows.end()), rows.end());
    }

    RunningApplication Application;
    ScriptedUser User;
    RecordingDesktop Desktop;
    std::unique_ptr<TMergerForm> Form;
    QTableView *List = nullptr;
    QComboBox *NameBox = nullptr;
    QLineEdit *Folder = nullptr;
};

TEST_F(MergerFormTest, StartsEmptyWithTheDefaultFolderAndTheFirstLastName)
{
    EXPECT_EQ(Form->findChild<QLabel *>("lblTitle")->text(), "Quellan PDF Merger");
    EXPECT_FALSE(MergeAlternately);
    const QString expectedFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                   + "/Quellan Studio/Quellan PDF Merger";
    EXPECT_TRUE(expectedFolder.startsWith(QDir::homePath()));
    EXPECT_EQ(Folder->text(), expectedFolder);
    EXPECT_TRUE(QFileInfo(expectedFolder).isDir());
    EXPECT_TRUE(Folder->isReadOnly());
    EXPECT_EQ(NameBox->currentIndex(), 1);
    EXPECT_EQ(NameBox->currentText(), "FirstFilename_LastFilename");
    EXPECT_TRUE(NameBox->isEditable());
    EXPECT_EQ(NameBox->count(), 3);

    QStringList headers;
    for (int column = 0; column < List->model()->columnCount(); ++column)
        headers.append(List->model()->headerData(column, Qt::Horizontal).toString());
    EXPECT_EQ(headers, (QStringList{"Item", "File Name", "Size", "Total Pages", "Page Range", "Page Sort"}));
    EXPECT_FALSE(List->horizontalHeader()->sectionsClickable());

    QStringList contextMenu;
    for (QAction *entry : Form->findChild<QMenu *>("popMenuAddFile")->actions())
        contextMenu.append(entry->isSeparator() ? "-" : entry->text());
    EXPECT_EQ(contextMenu, (QStringList{"Add Files", "Add Folder", "-", "Move Up", "Move Down", "-", "Remove", "Clear"}));
    QStringList helpMenu;
    for (QAction *entry : Form->findChild<QMenu *>("popMenuHelp")->actions())
        helpMenu.append(entry->isSeparator() ? "-" : entry->text());
    EXPECT_EQ(helpMenu, (QStringList{"Help Content", "Support", "-", "Home Page", "-", "About"}));

    Idle();
    for (const char *disabled : {"RemoveAct", "ClearAct", "UpAct", "DownAct", "MethodAct", "MergeAct"})
        EXPECT_FALSE(Action(disabled)->isEnabled()) << disabled;
    for (const char *enabled : {"AddFileAct", "AddFolderAct", "BrowseAct", "OpenAct", "AboutAct"})
        EXPECT_TRUE(Action(enabled)->isEnabled()) << enabled;
    // Options, like Merge, waits for a listed file.
    EXPECT_TRUE(Form->findChild<TssSkinButton *>("btnOptions")->isVisible());
    EXPECT_FALSE(Action("OptionsAct")->isEnabled());
    EXPECT_FALSE(Form->findChild<TssSkinButton *>("ssSkinButton7")->isEnabled());
}

TEST_F(MergerFormTest, ABatchWithADamagedFileGivesARowPerGoodFile)
{
    const QString one = WritePdf(File("one.pdf"), 1);
    const QString big = WritePdf(File("big.pdf"), 60);
    Form->AddPaths({one, WriteDamaged(File("broken.pdf")), big});

    EXPECT_TRUE(User.Seen.isEmpty());
    ASSERT_EQ(List->model()->rowCount(), 2);
    const QString bigSize = QString::number(QFileInfo(big).size() / 1024) + "KB";
    const QStringList expectedRows[] = {
        {"1", "one.pdf", "0KB", "1", "All", "Sequence"},
        {"2", "big.pdf", bigSize, "60", "All", "Sequence"},
    };
    for (int row = 0; row < 2; ++row) {
        QStringList texts;
        for (int column = 0; column < 6; ++column)
            texts.append(CellText(List, row, column));
        EXPECT_EQ(texts, expectedRows[row]);
    }
    EXPECT_NE(bigSize, "0KB");
    EXPECT_EQ(List->model()->index(0, 2).data(Qt::TextAlignmentRole).toInt(), Qt::AlignCenter);
    EXPECT_EQ(Form->RowItem(1)->FilePath, big);
    EXPECT_EQ(Form->RowItem(1)->PageRange, "1-60");
    EXPECT_EQ(Form->RowItem(0)->MergeRange, "1");
    ExpectRecordsMatchRows();

    Idle();
    EXPECT_TRUE(Action("ClearAct")->isEnabled());
    EXPECT_TRUE(Action("MergeAct")->isEnabled());
}

TEST_F(MergerFormTest, TheSameFileTwiceGivesTwoRowsWithRecordsOfTheirOwn)
{
    const QString path = WritePdf(File("same.pdf"), 2);
    Form->AddPaths({path});
    Form->AddPaths({path});
    ASSERT_EQ(List->model()->rowCount(), 2);
    EXPECT_NE(Form->RowItem(0), Form->RowItem(1));
    EXPECT_EQ(ItemTexts(), (QStringList{"1", "2"}));
    ExpectRecordsMatchRows();
}

TEST_F(MergerFormTest, AFolderAddsItsPdfFilesInNameOrder)
{
    QDir(File("")).mkpath("batch/inner.pdf");
    for (const char *name : {"file10.pdf", "b.pdf", "A.PDF", "file2.Pdf"})
        WritePdf(File(QStringLiteral("batch/") + name), 1);
    WritePdf(File("batch/notes.txt"), 1);
    WritePdf(File("batch/inner.pdf/deep.pdf"), 1);
    WindowWatch dialogs("AddFileForm");

    Form->AddFolderFiles(File("batch"));

    EXPECT_EQ(FileNames(), (QStringList{"A.PDF", "b.pdf", "file2.Pdf", "file10.pdf"}));
    EXPECT_EQ(Form->RowItem(0)->FilePath, File("batch/A.PDF"));
    EXPECT_EQ(dialogs.Shown, 1);

    QDir(File("")).mkpath("nothing");
    Form->AddFolderFiles(File("nothing"));
    EXPECT_EQ(dialogs.Shown, 1); // no dialog for an empty search
}

TEST_F(MergerFormTest, DroppedFilesAndFoldersAreMeasuredInTheirOrder)
{
    QDir(File("")).mkpath("F");
    const QString a = WritePdf(File("a.pdf"), 1);
    WritePdf(File("F/f1.pdf"), 1);
    WritePdf(File("F/f2.pdf"), 1);
    const QString b = WritePdf(File("b.pdf"), 1);
    const QString notes = WritePdf(File("notes.txt"), 2); // a PDF file by content, whatever its name
    mkfifo(File("pipe.pdf").toLocal8Bit().constData(), 0600);
    WindowWatch dialogs("AddFileForm");

    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(File("F")), QUrl::fromLocalFile(b),
                     QUrl::fromLocalFile(notes), QUrl::fromLocalFile(File("pipe.pdf"))});
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &drop);

    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "f1.pdf", "f2.pdf", "b.pdf", "notes.txt"}));
    EXPECT_EQ(dialogs.Shown, 3);
    EXPECT_EQ(ItemTexts(), (QStringList{"1", "2", "3", "4", "5"}));
}

TEST_F(MergerFormTest, RemovingSelectsTheRowThatTakesThePlaceOfTheRemovedOne)
{
    struct Case
    {
        const char *What;
        int Rows;
        QList<int> Selected;
        QStringList Left;
        QList<int> SelectedAfter;
    };
    const Case cases[] = {
        {"the last row alone", 3, {2}, {"r0.pdf", "r1.pdf"}, {1}},
        {"two rows", 3, {0, 2}, {"r1.pdf"}, {0}},
        {"a middle row alone", 4, {1}, {"r0.pdf", "r2.pdf", "r3.pdf"}, {1}},
        {"two rows of four", 4, {3, 1}, {"r0.pdf", "r2.pdf"}, {0}},
        {"every row", 2, {0, 1}, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.What);
        Form->findChild<QAction *>("ClearAct")->trigger();
        QStringList names;
        for (int row = 0; row < c.Rows; ++row)
            names.append(QStringLiteral("r%1.pdf").arg(row));
        AddFiles(names);
        Select(c.Selected);
        ASSERT_TRUE(Action("RemoveAct")->isEnabled());

        Click(Form->findChild<TssSkinButton *>("ssSkinButton1"));

        EXPECT_EQ(FileNames(), c.Left);
        EXPECT_EQ(SelectedRows(), c.SelectedAfter);
        QStringList numbers;
        for (int row = 1; row <= c.Left.size(); ++row)
            numbers.append(QString::number(row));
        EXPECT_EQ(ItemTexts(), numbers);
        EXPECT_EQ(Form->RowItems().size(), c.Left.size());
        ExpectRecordsMatchRows();
    }
}

TEST_F(MergerFormTest, TheEnabledRulesFollowTheFocusAndTheSelection)
{
    AddFiles({"a.pdf", "b.pdf", "c.pdf"});
    struct Case
    {
        const char *What;
        QList<int> Selected;
        bool Up;
        bool Down;
        bool Method;
    };
    const Case cases[] = {
        {"first row", {0}, false, true, true},
        {"middle row", {1}, true, true, true},
        {"last row", {2}, true, false, true},
        {"two rows", {1, 2}, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.What);
        Select(c.Selected);
        EXPECT_EQ(Action("UpAct")->isEnabled(), c.Up);
        EXPECT_EQ(Action("DownAct")->isEnabled(), c.Down);
        EXPECT_EQ(Action("MethodAct")->isEnabled(), c.Method);
        EXPECT_TRUE(Action("RemoveAct")->isEnabled());
        EXPECT_EQ(Form->findChild<TssSkinButton *>("ssSkinButton3")->isEnabled(), c.Up);
        EXPECT_EQ(Form->findChild<TssSkinButton *>("ssSkinButton4")->isEnabled(), c.Down);
    }
    List->clearSelection();
    Idle();
    EXPECT_FALSE(Action("RemoveAct")->isEnabled());
    EXPECT_FALSE(Action("MethodAct")->isEnabled());
    EXPECT_TRUE(Action("ClearAct")->isEnabled());
}

TEST_F(MergerFormTest, MovingReordersTheRowsButNotTheRecords)
{
    AddFiles({"a.pdf", "b.pdf", "c.pdf"});
    const QList<TItemInfo *> created = Form->RowItems();
    TItemInfo *b = Form->RowItem(1);

    Select({1});
    Click(Form->findChild<TssSkinButton *>("ssSkinButton3")); // Move Up
    EXPECT_EQ(FileNames(), (QStringList{"b.pdf", "a.pdf", "c.pdf"}));
    EXPECT_EQ(Form->RowItem(0), b);
    EXPECT_EQ(SelectedRows(), (QList<int>{0}));
    EXPECT_EQ(List->currentIndex().row(), 0);
    EXPECT_EQ(ItemTexts(), (QStringList{"1", "2", "3"}));
    Idle();
    EXPECT_FALSE(Action("UpAct")->isEnabled());

    Action("DownAct")->trigger();
    Idle();
    Action("DownAct")->trigger();
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "c.pdf", "b.pdf"}));
    EXPECT_EQ(Form->RowItem(2), b);
    EXPECT_EQ(List->currentIndex().row(), 2);
    EXPECT_EQ(CellText(List, 2, 4), "All");
    Idle();
    EXPECT_FALSE(Action("DownAct")->isEnabled());
    QList<TItemInfo *> moved = Form->RowItems();
    EXPECT_EQ(QSet<TItemInfo *>(moved.begin(), moved.end()), QSet<TItemInfo *>(created.begin(), created.end()));
}

TEST_F(MergerFormTest, TheMethodDialogOfTheFocusedRowRewritesItsRecordAndTexts)
{
    AddFiles({"a.pdf", "b.pdf"});
    WindowWatch methodDialog("MethodForm", [](QWidget *dialog) {
        dialog->findChild<QRadioButton *>("rbOdd")->click();
        dialog->findChild<QRadioButton *>("rbReverse")->click();
        Click(dialog->findChild<TssSkinButton *>("SBtnOk"));
    });
    Select({1});
    const QRect cell = List->visualRect(List->model()->index(1, 1));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, cell.center(), List->viewport()->mapToGlobal(cell.center()), Qt::LeftButton,
                          down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(List->viewport(), &event);
    }
    EXPECT_EQ(methodDialog.Shown, 1);
    EXPECT_EQ(CellText(List, 1, 4), "Odd");
    EXPECT_EQ(CellText(List, 1, 5), "Reverse");
    EXPECT_EQ(Form->RowItem(1)->MergeRange, "3,1");
    EXPECT_EQ(CellText(List, 0, 4), "All");

    WindowWatch cancelled("MethodForm", [](QWidget *dialog) {
        dialog->findChild<QRadioButton *>("rbEven")->click();
        Click(dialog->findChild<TssSkinButton *>("SBtnCancel"));
    });
    Idle();
    Action("MethodAct")->trigger();
    EXPECT_EQ(cancelled.Shown, 1);
    EXPECT_EQ(CellText(List, 1, 4), "Odd");
    EXPECT_EQ(Form->RowItem(1)->RangeType, 1);
}

TEST_F(MergerFormTest, TheOutputNameFollowsTheNameBox)
{
    AddFiles({"a.pdf", "x.y.pdf", "c.PDF"});
    EXPECT_EQ(Form->BuildOutputName(), "a-c.pdf");
    // The box starts editable: a name typed over the item is a typed name.
    NameBox->lineEdit()->selectAll();
    QTest::keyClicks(NameBox->lineEdit(), "joined");
    EXPECT_EQ(Form->BuildOutputName(), "joined.pdf");

    NameBox->setCurrentIndex(1);
    NameBox->activated(1);
    EXPECT_FALSE(NameBox->isEditable());
    EXPECT_EQ(Form->BuildOutputName(), "a-c.pdf");
    NameBox->setCurrentIndex(2);
    NameBox->activated(2);
    EXPECT_FALSE(NameBox->isEditable());
    EXPECT_EQ(Form->BuildOutputName(), "c-a.pdf");

    NameBox->setCurrentIndex(0);
    NameBox->activated(0);
    EXPECT_TRUE(NameBox->isEditable());
    EXPECT_EQ(NameBox->currentIndex(), -1);
    EXPECT_EQ(NameBox->currentText(), "");
    EXPECT_EQ(Form->BuildOutputName(), "");

    const std::pair<QString, QString> typed[] = {
        {"report", "report.pdf"},     {"report.PDF", "report.PDF"}, {"notes.2", "notes.2.pdf"},
        {".pdf", ".pdf.pdf"},         {"out.txt", "out.txt.pdf"},   {"OUT.Pdf", "OUT.Pdf"},
        {"summer 2024", "summer 2024.pdf"},
    };
    for (const auto &[text, name] : typed) {
        NameBox->lineEdit()->clear();
        QTest::keyClicks(NameBox->lineEdit(), text);
        EXPECT_EQ(Form->BuildOutputName(), name) << text.toStdString();
    }
}

TEST_F(MergerFormTest, MergeChecksTheRowsTheNameAndAnExistingFile)
{
    AddFiles({"only.pdf"});
    Idle();
    Action("MergeAct")->trigger();
    ASSERT_EQ(User.Seen.size(), 1);
    EXPECT_EQ(User.Seen[0].Text, "Please add more than one file to merge");
    EXPECT_EQ(User.Seen[0].Caption, "Quellan PDF Merger");

    AddFiles({"second.pdf"});
    NameBox->setCurrentIndex(0); // Customize: the name box is empty now
    NameBox->activated(0);
    Action("MergeAct")->trigger();
    ASSERT_EQ(User.Seen.size(), 2);
    EXPECT_EQ(User.Seen[1].Text, "Please enter the output file name");

    QTest::keyClicks(NameBox->lineEdit(), "joined");
    Folder->setText(File("out/deeper"));
    QList<TItemInfo *> job;
    QString outputPath;
    ASSERT_TRUE(Form->PrepareMergeJob(job, outputPath));
    EXPECT_EQ(outputPath, File("out/deeper/joined.pdf"));
    EXPECT_TRUE(QFileInfo(File("out/deeper")).isDir());
    EXPECT_EQ(job, Form->RowItems());
    EXPECT_EQ(User.Seen.size(), 2);

    WritePdf(outputPath, 1);
    User.Answer(QMessageBox::No);
    EXPECT_FALSE(Form->PrepareMergeJob(job, outputPath));
    ASSERT_EQ(User.Seen.size(), 3);
    EXPECT_EQ(User.Seen[2].Text, "The PDF file already exists,replace it?");
    User.Answer(QMessageBox::Yes);
    EXPECT_TRUE(Form->PrepareMergeJob(job, outputPath));
    EXPECT_EQ(outputPath, File("out/deeper/joined.pdf"));
}

// The whole road from the window: rows in their order, Merge, the progress
// dialog over the real engine, and the question at the end.
TEST_F(MergerFormTest, MergeFromTheWindowWritesTheRowsInTheirOrder)
{
    AddFiles({"a.pdf", "b.pdf"});
    Select({1});
    Action("UpAct")->trigger();
    Folder->setText(File("out"));
    NameBox->lineEdit()->setText("joined");
    User.Answer(QMessageBox::No); // do not open the result
    Action("MergeAct")->trigger();

    const std::string output = File("out/joined.pdf").toStdString();
    std::vector<testing_support::SourcePage> expected;
    for (const char *name : {"b.pdf", "a.pdf"})
        for (int page = 1; page <= 3; ++page)
            expected.push_back({File(name).toStdString(), page});
    testing_support::expectPagesMatch(output, expected);
    ASSERT_FALSE(User.Seen.isEmpty());
    EXPECT_EQ(User.Seen.last().Text, "Merge successfully.Open output pdf file?");
    EXPECT_TRUE(Desktop.Opened.isEmpty());
    EXPECT_EQ(FileNames(), QStringList({"b.pdf", "a.pdf"})); // the list stays as it was
}

TEST_F(MergerFormTest, HelpLinksAndTheFolderGoToTheDesktop)
{
    Action("HelpContentAct")->trigger();
    Action("SupportAct")->trigger();
    Action("HomepageAct")->trigger();
    Folder->setText(File(""));
    Click(Form->findChild<TssSkinButton *>("ssSkinButton6"));
    ASSERT_EQ(Desktop.Opened.size(), 4);
    EXPECT_EQ(Desktop.Opened[0], QUrl::fromLocalFile(Application.Context.ApplicationFolder + "help/index.html"));
    EXPECT_EQ(Desktop.Opened[1], QUrl("https://www.quellan-studio.com/support.html"));
    EXPECT_EQ(Desktop.Opened[2], QUrl("https://www.quellan-studio.com"));
    EXPECT_EQ(Desktop.Opened[3], QUrl::fromLocalFile(File("")));
}

TEST_F(MergerFormTest, ClosingAsksOnlyWhenFilesAreListed)
{
    AddFiles({"a.pdf"});
    User.Answer(QMessageBox::No);
    Click(Form->findChild<TssSkinButton *>("btnClose"));
    ASSERT_EQ(User.Seen.size(), 1);
    EXPECT_EQ(User.Seen[0].Text, "Are you sure to exit?");
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(List->model()->rowCount(), 1);

    User.Answer(QMessageBox::Yes);
    Click(Form->findChild<TssSkinButton *>("btnClose"));
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(Form->RowItems().isEmpty());
    EXPECT_EQ(User.Seen.size(), 2);
}

TEST_F(MergerFormTest, ClosingAnEmptyListAsksNothing)
{
    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(User.Seen.isEmpty());
}

} // namespace
