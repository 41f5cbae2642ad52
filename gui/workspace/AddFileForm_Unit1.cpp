#include "AddFileForm_Unit1.h"

#include "AddFileThread.h"
#include "FormParts.h"
#include "MessageBox.h"
#include "SSButton.h"
#include "SSForm.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>

TAddFileForm::TAddFileForm(QWidget *owner, const QStringList &paths, QList<TItemInfo> &items)
    : QDialog(owner)
    , ssSkinForm1(SkinForm(this, QStringLiteral("addfile.png")))
    , Label1(new QLabel(tr("Add PDF Files..."), this))
    , lblFile(new QLabel(this))
    , btnCancle(SkinButton(this, "btnCancle", QStringLiteral("dlg_stop.png"), QPoint(314, 126), 4, tr("Stop")))
    , thread(new AddFileThread(this, paths, items))
{
    setObjectName(QStringLiteral("AddFileForm"));
    setWindowTitle(tr("Add PDF Files"));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setStyleSheet(QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';"));
    Label1->move(16, 10);
    Label1->adjustSize();

    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setStyleSheet(QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';"));
    lblFile->setWordWrap(true);
    lblFile->setGeometry(56, 56, 340, 44);
    lblFile->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblFile->setAccessibleName(tr("File being opened"));
    btnCancle->setFocus();
    connect(btnCancle, &TssCustomButton::OnClick, this, &TAddFileForm::btnCancleClick);
}

TAddFileForm::~TAddFileForm()
{
    // Never leave a worker running on a list that is about to go.
    thread->StopRequested = true;
    WaitForWorker();
    delete thread;
}

void TAddFileForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnOwner(this);
    FormShow();
}

void TAddFileForm::FormShow()
{
    if (started)
        return;
    started = true;
    thread->start();
}

void TAddFileForm::ShowStatusText()
{
    lblFile->setText(thread->StatusText);
    lblFile->repaint();
}

bool TAddFileForm::event(QEvent *event)
{
    if (event->type() == WM_ADDFILE_DONE) {
        AddFileDone();
        return true;
    }
    return QDialog::event(event);
}

void TAddFileForm::AddFileDone()
{
    if (ended)
        return;
    if (asking) {
        // Answered when the stop question closes.
        donePending = true;
        return;
    }
    WaitForWorker();
    EndRun(mrOk);
}

void TAddFileForm::btnCancleClick()
{
    if (ended || asking)
        return;
    asking = true;
    const auto answer = ShowMessageBox(this, tr("Cancel"), tr("Are you sure to stop adding files."),
                                       QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    asking = false;
    if (ended)
        return;
    if (answer == QMessageBox::Yes)
        StopAndEnd();
    else if (donePending)
        AddFileDone();
}

void TAddFileForm::StopAndEnd()
{
    thread->StopRequested = true;
    WaitForWorker();
    EndRun(mrCancel);
}

void TAddFileForm::reject()
{
    btnCancleClick();
}

// Closing from the window manager is a stop the user has already confirmed.
void TAddFileForm::closeEvent(QCloseEvent *event)
{
    if (!ended)
        StopAndEnd();
    event->accept();
}

void TAddFileForm::WaitForWorker()
{
    QEventLoop loop;
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    if (thread->isRunning())
        loop.exec();
    thread->wait();
}

void TAddFileForm::EndRun(int result)
{
    ended = true;
    done(result);
}
