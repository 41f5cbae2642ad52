#pragma once
// The main window: the list of source files with the pages each contributes,
// the output name and folder, and the commands that add, reorder, remove and
// merge. Closing it ends the application.
//
// Every command is reachable by mouse and keyboard: Ctrl+O adds files,
// Delete removes the selected rows, Enter (or a double click) opens the
// method dialog, Ctrl+Return merges, F1 opens the user guide, and Tab walks
// the window from top to bottom. Rows move by dragging them within the list;
// files dropped from a file manager land where they are dropped.

#include "Data_unit1.h"
#include "OutputOptions.h"

#include <QWidget>

#include <initializer_list>

class QAction;
class QHBoxLayout;
class QLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class TFileListModel;
class TFileListView;
class TssSkinButton;
class TssSkinForm;

class TMergerForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMergerForm(QWidget *parent = nullptr);
    ~TMergerForm() override;

    // Measures the files (a modal dialog with a worker) and inserts a row for
    // each one that opened, in the order of the paths, before row `insertAt`
    // (at the end when it is -1). Returns the number of rows added.
    int AddPaths(const QStringList &paths, int insertAt = -1);
    // Adds the PDF files lying directly in the folder, in name order.
    int AddFolderFiles(const QString &folder, int insertAt = -1);
    // Files and folders dropped on the window or the list, in their order.
    void WMDropFiles(const QStringList &paths, int insertAt = -1);
    // Moves the rows (ascending) before row `target`, keeping their order and
    // their records; they stay selected.
    void MoveRows(const QList<int> &rows, int target);

    // The options the merges use, as the options dialog last stored them.
    const TOutputOptions &Options() const { return options; }
    // Where the file and folder dialogs for sources start next.
    QString SourceFolder() const { return sourceFolder; }

    // The output file name the name box gives, or an empty text when it gives none.
    QString BuildOutputName() const;
    // The checks before a merge, with their messages: the rows in merge order
    // and the output path, or false when the merge must not run.
    bool PrepareMergeJob(QList<TItemInfo *> &job, QString &outputPath);

    // The record of a row, and the records of all rows in merge order.
    TItemInfo *RowItem(int row) const;
    QList<TItemInfo *> RowItems() const;

    // Runs every update handler, as the window does whenever it goes idle.
    void UpdateActions();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void FormCreate();
    void CreateComponents();
    void CreateTitleBand();
    void CreateToolbar();
    void CreateFileList();
    void CreateListButtons();
    void CreateOutputSetting();
    void LayOut();
    QLayout *OutputSettingLayout();
    static QHBoxLayout *Row(int left, int gap, std::initializer_list<QWidget *> widgets);
    void CreateActions();
    void CreateMenus();
    void ConnectHandlers();
    void CreateShortcuts();
    void SetTabOrder();
    void SetDefaultOutputFolder();
    void CentreOnPointerScreen();

    // Execute handlers of the actions.
    void AddFileActExecute();
    void AddFolderActExecute();
    void RemoveActExecute();
    void ClearActExecute();
    void UpActExecute();
    void DownActExecute();
    void MethodActExecute();
    void OptionsActExecute();
    void MergeActExecute();
    void BrowseActExecute();
    void OpenActExecute();
    void HelpContentActExecute();
    void SupportActExecute();
    void HomepageActExecute();
    void AboutActExecute();

    // Update handlers: the enabled rules of the actions.
    void RemoveActUpdate();
    void ClearActUpdate();
    void UpActUpdate();
    void DownActUpdate();
    void MethodActUpdate();
    void OptionsActUpdate();

    void btnMinClick();
    void btnCloseClick();
    void btnHelpClick();
    void cbFileNameSelect(int index);

    void SelectRows(int first, int count = 1);
    // The row that has the focus, or -1; the rows selected, in row order.
    int FocusedRow() const;
    QList<int> SelectedRows() const;
    // The name box's item when its text is that item's, else -1 (a typed name).
    int SelectedNameItem() const;
    void RunMergeJob(const QList<TItemInfo *> &job, const QString &outputPath);

    TssSkinForm *ssSkinForm1;
    QLabel *lblTitle;
    TssSkinButton *btnMin;
    TssSkinButton *btnClose;
    TssSkinButton *btnAddFile;
    TssSkinButton *btnMethod;
    TssSkinButton *btnOptions;
    TssSkinButton *btnHelp;
    TFileListModel *files;
    TFileListView *TntLV;
    TssSkinButton *ssSkinButton1;
    TssSkinButton *ssSkinButton2;
    TssSkinButton *ssSkinButton3;
    TssSkinButton *ssSkinButton4;
    QLabel *TntLabel1;
    QLabel *TntLabel2;
    QLabel *TntLabel3;
    QComboBox *cbFileName;
    QLineEdit *edtOutputFolder;
    TssSkinButton *ssSkinButton5;
    TssSkinButton *ssSkinButton6;
    TssSkinButton *ssSkinButton7;
    QMenu *popMenuAddFile;
    QMenu *popMenuHelp;

    QAction *AddFileAct;
    QAction *AddFolderAct;
    QAction *RemoveAct;
    QAction *ClearAct;
    QAction *UpAct;
    QAction *DownAct;
    QAction *MethodAct;
    QAction *OptionsAct;
    QAction *MergeAct;
    QAction *BrowseAct;
    QAction *OpenAct;
    QAction *HelpContentAct;
    QAction *SupportAct;
    QAction *HomepageAct;
    QAction *AboutAct;

    TOutputOptions options;
    QString sourceFolder;
};

// The main window of the running application; null outside its run.
extern TMergerForm *MergerForm;
