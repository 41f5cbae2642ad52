#pragma once
// The add-files dialog: measures a batch of paths on its worker thread while
// it shows which file is being opened, and lets the user stop. Whatever way
// it ends, the result list holds the files measured so far, in path order.

#include "Data_unit1.h"

#include <QDialog>
#include <QEvent>

class AddFileThread;
class QLabel;
class TssSkinButton;
class TssSkinForm;

// Posted by the worker when it has finished.
inline constexpr QEvent::Type WM_ADDFILE_DONE = static_cast<QEvent::Type>(QEvent::User + 122);

class TAddFileForm : public QDialog
{
    Q_OBJECT

public:
    // `paths` and `items` belong to the caller and must outlive the dialog.
    TAddFileForm(QWidget *owner, const QStringList &paths, QList<TItemInfo> &items);
    ~TAddFileForm() override;

    AddFileThread *Thread() const { return thread; }

    // The GUI side of the worker's status hand-over.
    void ShowStatusText();

public slots:
    // Escape is the stop button.
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void LayOut();
    void FormShow();
    void btnCancleClick();
    void AddFileDone();
    void StopAndEnd();
    // Waits for the worker's end while still serving its hand-overs.
    void WaitForWorker();
    void EndRun(int result);

    TssSkinForm *ssSkinForm1;
    QLabel *Label1;
    QLabel *lblFile;
    TssSkinButton *btnCancle;
    AddFileThread *thread;

    bool started = false;
    bool asking = false;       // the stop question is open
    bool donePending = false;  // the worker finished while the question was open
    bool ended = false;        // the modal run is over
};
