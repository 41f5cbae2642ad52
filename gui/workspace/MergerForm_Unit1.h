#pragma once
// The main window: the list of source files with the pages each contributes,
// the output name and folder, and the commands that add, reorder, remove and
// merge. Closing it ends the application.

#include "Data_unit1.h"

#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableWidget;
class TssSkinButton;
class TssSkinForm;

class TMergerForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMergerForm(QWidget *parent = nullptr);
    ~TMergerForm() override;

    // Measures the files (a modal dialog with a worker) and appends a row for
    // each one that opened, in the order of the paths.
    void AddPaths(const QStringList &paths);
    // Adds the PDF files lying directly in the folder, in name order.
    void AddFolderFiles(const QString &folder);
    // Files and folders dropped on the window, in their order.
    void WMDropFiles(const QStringList &paths);

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
    void CreateActions();
    void CreateMenus();
    void ConnectHandlers();
    void SetDefaultOutputFolder();

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

    void AppendRow(TItemInfo *item);
    void RenumberRows();
    void CopyRow(int sourceRow, int targetRow);
    void MoveFocusedRow(int targetRow);
    void SelectOnly(int row);
    void ShowItemMethod(TItemInfo *item);
    void ClearAllItems();
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
    QTableWidget *TntLV;
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
};

// The main window of the running application; null outside its run.
extern TMergerForm *MergerForm;
