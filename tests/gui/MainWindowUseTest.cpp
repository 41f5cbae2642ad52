// Using the main window as a new user does: keys for every command, the tab
// order, names for screen readers, rows dragged within the list and files
// dropped where they land, windows that open centred, and file dialogs that
// start where the user last picked files.
#include "MergerForm_Unit1.h"
#include "FileListView.h"
#include "SSButton.h"
#include "WorkspaceSupport.h"

#include "Aboutform_unit1.h"
#include "ConvertForm_Unit1.h"
#include "MethodForm_Unit1.h"
#include "OptionsForm_Unit1.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

using namespace workspace_testing;

namespace {

class MainWindowUse : public testing::Test
{
protected:
    MainWindowUse()
    {
        Form = std::make_unique<TMergerForm>();
        Form->show();
        Activate();
        List = Form->findChild<TFileListView *>("TntLV");
    }

    // The window manager gives the main window the keyboard back after a
    // dialog; the offscreen platform is told to.
    void Activate()
    {
        Form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }
    ~MainWindowUse() override
    {
        User.Answer(QMessageBox::Yes);
        Form->close();
    }

    QString File(const QString &name) const { return QString::fromStdString(App.Folder.file(name.toStdString())); }

    void AddFiles(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths.append(WritePdf(File(name), 2));
        Form->AddPaths(paths);
        Idle();
    }

    QStringList FileNames() const { return ColumnTexts(List, 1); }
    void Select(const QList<int> &rows) { SelectRows(List, rows); }
    QList<int> SelectedRows() const { return workspace_testing::SelectedRows(List); }

    // Drops the paths from a file manager at `place` in the list's viewport.
    void DropOnList(const QStringList &paths, QPoint place)
    {
        QMimeData dropped;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        dropped.setUrls(urls);
        QDragEnterEvent enter(place, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(List->viewport(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(place), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(List->viewport(), &drop);
    }

    QPoint RowPoint(int row, bool lowerHalf) const
    {
        const QRect cell = List->visualRect(List->model()->index(row, 1));
        return QPoint(cell.center().x(), lowerHalf ? cell.bottom() - 2 : cell.top() + 2);
    }

    RunningApplication App;
    ScriptedUser User;
    RecordingDesktop Desktop;
    std::unique_ptr<TMergerForm> Form;
    TFileListView *List = nullptr;
};

TEST_F(MainWindowUse, KeysRunTheCommands)
{
    // Ctrl+O: the file dialog, from anywhere in the window.
    WindowWatch fileDialog("AddFileDialog",
                           [](QWidget *dialog) { QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection); });
    QTest::keyClick(Form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(fileDialog.Shown, 1);

    AddFiles({"a.pdf", "b.pdf", "c.pdf"});
    Activate();
    // Delete in the list removes the selected rows ...
    Select({1});
    List->setFocus();
    QTest::keyClick(List, Qt::Key_Delete);
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "c.pdf"}));
    // ... but in the name box it deletes a character.
    auto *name = Form->findChild<QComboBox *>("cbFileName");
    name->setFocus();
    name->lineEdit()->setText(QStringLiteral("joined"));
    name->lineEdit()->setCursorPosition(0);
    QTest::keyClick(name->lineEdit(), Qt::Key_Delete);
    EXPECT_EQ(name->currentText(), "oined");
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "c.pdf"}));

    // Ctrl+Down and Ctrl+Up move the focused row.
    Select({0});
    List->setFocus();
    QTest::keyClick(List, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(FileNames(), (QStringList{"c.pdf", "a.pdf"}));
    Idle();
    QTest::keyClick(List, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "c.pdf"}));

    // Enter opens the method dialog of the focused row.
    WindowWatch method("MethodForm", [](QWidget *dialog) { Click(dialog->findChild<TssSkinButton *>("SBtnCancel")); });
    QTest::keyClick(List, Qt::Key_Return);
    EXPECT_EQ(method.Shown, 1);
    Activate();

    // Ctrl+Return merges: here the check before a merge answers.
    Select({1});
    QTest::keyClick(List, Qt::Key_Delete);
    Idle();
    QTest::keyClick(Form.get(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_FALSE(User.Seen.isEmpty());
    Activate();
    EXPECT_EQ(User.Seen.last().Text, "Please add more than one file to merge");

    // F1: the user guide.
    QTest::keyClick(Form.get(), Qt::Key_F1);
    ASSERT_EQ(Desktop.Opened.size(), 1);
    EXPECT_EQ(Desktop.Opened[0], QUrl::fromLocalFile(App.Context.ApplicationFolder + "help/index.html"));

    // The hints name the keys.
    EXPECT_EQ(Form->findChild<TssSkinButton *>("btnAddFile")->toolTip(),
              "Add Files (" + QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText) + ")");
}

TEST_F(MainWindowUse, SkinnedButtonsArePressedWithSpaceAndEnter)
{
    AddFiles({"a.pdf"});
    Activate();
    WindowWatch options("OptionsForm", [](QWidget *dialog) { Click(dialog->findChild<TssSkinButton *>("ssSkinButton2")); });
    auto *button = Form->findChild<TssSkinButton *>("btnOptions");
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Space);
    Activate();
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(options.Shown, 2);
}

// Tab walks the window as it reads: the toolbar, the list, the buttons under
// it, the output settings, Merge.
TEST_F(MainWindowUse, TabFollowsTheWindowFromTopToBottom)
{
    const QStringList expected = {"btnAddFile",    "btnMethod",     "btnOptions",    "btnHelp",
                                  "TntLV",         "ssSkinButton1", "ssSkinButton2", "ssSkinButton3",
                                  "ssSkinButton4", "cbFileName",    "edtOutputFolder", "ssSkinButton5",
                                  "ssSkinButton6", "ssSkinButton7"};
    QStringList walked;
    QWidget *widget = Form->findChild<QWidget *>("btnAddFile");
    for (int step = 0; step < 200 && walked.size() < expected.size(); ++step) {
        if (expected.contains(widget->objectName()) && !walked.contains(widget->objectName()))
            walked.append(widget->objectName());
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(walked, expected);
    for (const char *titleButton : {"btnMin", "btnClose"})
        EXPECT_EQ(Form->findChild<QWidget *>(titleButton)->focusPolicy(), Qt::NoFocus);
}

// Every control a user can reach says what it is to a screen reader.
TEST_F(MainWindowUse, EveryControlHasAnAccessibleName)
{
    TItemInfo item;
    item.TotalPages = 3;
    item.PageRange = item.MergeRange = QStringLiteral("1-3");
    QList<TItemInfo *> job;
    TMethodForm method(Form.get(), item);
    TOptionsForm options(Form.get());
    TAboutForm about(Form.get());
    TConvertForm progress(Form.get(), job, File("none.pdf"));
    for (QWidget *window : std::initializer_list<QWidget *>{Form.get(), &method, &options, &about, &progress}) {
        for (QWidget *control : window->findChildren<QWidget *>()) {
            const bool reachable = qobject_cast<QAbstractButton *>(control) || qobject_cast<TssCustomButton *>(control)
                                   || qobject_cast<QComboBox *>(control) || qobject_cast<QAbstractItemView *>(control)
                                   || (qobject_cast<QLineEdit *>(control) && !qobject_cast<QComboBox *>(control->parentWidget()));
            if (!reachable || control->objectName().startsWith(u"qt_") || control->objectName().isEmpty())
                continue;
            const auto *button = qobject_cast<QAbstractButton *>(control);
            const QString name = !control->accessibleName().isEmpty() ? control->accessibleName()
                                 : button                             ? button->text()
                                                                      : QString();
            EXPECT_FALSE(name.isEmpty()) << window->objectName().toStdString() << "/"
                                         << control->objectName().toStdString();
        }
    }

    // A skinned button is a button a screen reader can press.
    AddFiles({"a.pdf"});
    auto *merge = Form->findChild<TssSkinButton *>("btnAddFile");
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(merge);
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->role(), QAccessible::Button);
    EXPECT_EQ(spoken->text(QAccessible::Name), "Add Files");
    ASSERT_NE(spoken->actionInterface(), nullptr);
    WindowWatch fileDialog("AddFileDialog",
                           [](QWidget *dialog) { QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection); });
    spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(fileDialog.Shown, 1);
}

TEST_F(MainWindowUse, DraggedRowsMoveTogetherAndKeepTheirRecords)
{
    struct Case
    {
        const char *what;
        QList<int> dragged;
        int target; // the row they are dropped before
        QStringList order;
        QList<int> selectedAfter;
    };
    const Case cases[] = {
        {"two rows to the end", {0, 2}, 5, {"b", "d", "e", "a", "c"}, {3, 4}},
        {"two rows before the fourth", {0, 2}, 3, {"b", "a", "c", "d", "e"}, {1, 2}},
        {"the last rows to the top", {3, 4}, 0, {"d", "e", "a", "b", "c"}, {0, 1}},
        {"a row onto itself", {2}, 2, {"a", "b", "c", "d", "e"}, {2}},
        {"a row just below itself", {2}, 3, {"a", "b", "c", "d", "e"}, {2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Form->findChild<QAction *>("ClearAct")->trigger();
        AddFiles({"a", "b", "c", "d", "e"});
        QMap<QString, TItemInfo *> records;
        for (int row = 0; row < 5; ++row)
            records[FileNames()[row]] = Form->RowItem(row);
        Select(c.dragged);
        emit List->RowsDropped(c.target);
        EXPECT_EQ(FileNames(), c.order);
        EXPECT_EQ(SelectedRows(), c.selectedAfter);
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(Form->RowItem(row), records[FileNames()[row]]);
        EXPECT_EQ(CellText(List, 4, 0), "5");
    }
}

TEST_F(MainWindowUse, ADropLandsWhereItIsDropped)
{
    AddFiles({"a.pdf", "b.pdf"});
    EXPECT_EQ(List->InsertionRow(RowPoint(0, false)), 0);
    EXPECT_EQ(List->InsertionRow(RowPoint(0, true)), 1);
    EXPECT_EQ(List->InsertionRow(RowPoint(1, true)), 2);
    EXPECT_EQ(List->InsertionRow(QPoint(20, List->viewport()->height() - 5)), 2);

    QDir(File("")).mkpath("F");
    const QString x = WritePdf(File("x.pdf"), 1);
    WritePdf(File("F/f1.pdf"), 1);
    DropOnList({x, File("F")}, RowPoint(0, true));
    EXPECT_EQ(FileNames(), (QStringList{"a.pdf", "x.pdf", "f1.pdf", "b.pdf"}));
    const QStringList numbers = {"1", "2", "3", "4"};
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(CellText(List, row, 0), numbers[row]);
    // Below the last row: at the end.
    DropOnList({WritePdf(File("y.pdf"), 1)}, QPoint(20, List->viewport()->height() - 5));
    EXPECT_EQ(FileNames().last(), "y.pdf");
}

TEST_F(MainWindowUse, WindowsOpenCentred)
{
    const QRect screen = Form->screen()->availableGeometry();
    EXPECT_LE((Form->frameGeometry().center() - screen.center()).manhattanLength(), 2);

    AddFiles({"a.pdf"});
    Select({0});
    QPoint methodCentre;
    WindowWatch method("MethodForm", [&](QWidget *dialog) {
        methodCentre = dialog->frameGeometry().center();
        Click(dialog->findChild<TssSkinButton *>("SBtnCancel"));
    });
    Form->findChild<QAction *>("MethodAct")->trigger();
    ASSERT_EQ(method.Shown, 1);
    EXPECT_LE((methodCentre - Form->frameGeometry().center()).manhattanLength(), 2);

    QPoint aboutCentre;
    WindowWatch about("AboutForm", [&](QWidget *dialog) {
        aboutCentre = dialog->frameGeometry().center();
        Click(dialog->findChild<TssSkinButton *>("ssSkinButton1"));
    });
    Form->findChild<QAction *>("AboutAct")->trigger();
    ASSERT_EQ(about.Shown, 1);
    EXPECT_LE((aboutCentre - Form->frameGeometry().center()).manhattanLength(), 2);
}

// The file dialog starts in the documents folder, then where the user last
// picked files, and offers PDF files.
TEST_F(MainWindowUse, FileDialogsStartWhereTheUserLastPickedFiles)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir(File("")).mkpath("picked");
    const QString picked = WritePdf(File("picked/one.pdf"), 1);
    QStringList startedIn;
    WindowWatch fileDialog("AddFileDialog", [&](QWidget *window) {
        auto *dialog = static_cast<QFileDialog *>(window);
        startedIn.append(dialog->directory().absolutePath());
        EXPECT_EQ(dialog->nameFilters(), QStringList{"PDF files (*.pdf *.PDF)"});
        EXPECT_EQ(dialog->windowTitle(), "Select PDF File");
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
        dialog->selectFile(picked);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    for (int time = 0; time < 2; ++time)
        Form->findChild<QAction *>("AddFileAct")->trigger();
    ASSERT_EQ(startedIn.size(), 2);
    EXPECT_EQ(startedIn[0], QDir(documents).absolutePath());
    EXPECT_EQ(startedIn[1], File("picked"));
    EXPECT_EQ(FileNames(), (QStringList{"one.pdf", "one.pdf"}));
    EXPECT_EQ(Form->SourceFolder(), File("picked"));
}

} // namespace
