#pragma once
// The merge progress dialog: runs the merge job on its worker, moves the
// skinned progress bar page by page while naming the file being copied and
// its "page N of M", lets the user stop (after a question; the partial
// output is then deleted), and at the end opens the result or offers to,
// as the options say.

#include "Data_unit1.h"
#include "OutputOptions.h"

#include <QDialog>

#include <memory>

class ConvertThread;
class QLabel;
class TSkinProcess;
class TssSkinButton;
class TssSkinForm;

class TConvertForm : public QDialog
{
    Q_OBJECT

public:
    TConvertForm(QWidget *owner, const QList<TItemInfo *> &items, const QString &outputPath,
                 const TOutputOptions &options = TOutputOptions());
    ~TConvertForm() override;

    // Steps the worker hands over to the GUI thread.
    void ShowProgress();
    void FinishMerge();
    // The percentage the bar shows.
    int ShownPercent() const { return shownPercent; }

    // Every way of closing comes here: OK from FinishMerge, Cancel from the
    // stop button, Escape or the window manager.
    void done(int result) override;

signals:
    // A page is being copied: the file it comes from and its place among
    // that file's selected pages, as the dialog shows them.
    void PageShown(const QString &fileName, int page, int pages);

public:

    bool Closing = false;
    const QString OutputPath;
    const TOutputOptions Options;
    std::unique_ptr<ConvertThread> Thread;

    TssSkinForm *ssSkinForm1;
    TSkinProcess *SkinProcess1;
    QLabel *lblTitle;
    QLabel *lblFile;  // the file being copied
    QLabel *lblPage;  // "page N of M" of that file
    TssSkinButton *btnStop;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void LayOut();
    void FormShow();
    bool ConfirmStop();
    void WaitForWorker();
    void CompleteMerge();

    bool workerStarted = false;
    int shownPercent = 0;
    bool stopQuestionOpen = false;
    bool finishWhileAsking = false; // the worker ended while the stop question was open
};
