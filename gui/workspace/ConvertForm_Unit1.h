#pragma once
// The merge progress dialog: runs the merge job on its worker, moves the
// skinned progress bar page by page, lets the user stop (after a question;
// the partial output is then deleted), and offers to open the result.

#include "Data_unit1.h"

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
    TConvertForm(QWidget *owner, const QList<TItemInfo *> &items, const QString &outputPath);
    ~TConvertForm() override;

    // Steps the worker hands over to the GUI thread.
    void ShowProgress();
    void FinishMerge();
    // The percentage the bar shows.
    int ShownPercent() const { return shownPercent; }

    // Every way of closing comes here: OK from FinishMerge, Cancel from the
    // stop button, Escape or the window manager.
    void done(int result) override;

    bool Closing = false;
    const QString OutputPath;
    std::unique_ptr<ConvertThread> Thread;

    TssSkinForm *ssSkinForm1;
    TSkinProcess *SkinProcess1;
    QLabel *lblTitle;
    TssSkinButton *btnStop;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    bool ConfirmStop();
    void WaitForWorker();
    void CompleteMerge();

    bool workerStarted = false;
    int shownPercent = 0;
    bool stopQuestionOpen = false;
    bool finishWhileAsking = false; // the worker ended while the stop question was open
};
