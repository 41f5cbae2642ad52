#include "AddFileForm_Unit1.h"

#include "AddFileThread.h"
#include "FormParts.h"
#include "MessageBox.h"
#include "SSButton.h"
#include "SSForm.h"
#include "WorkerWait.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QLabel>

namespace {

// Where addfile.png leaves room: the title band, the file's name right of
// the picture, Stop in the bottom right corner.
namespace Room {
const QMargins inside(16, 10, 16, 14);
const int titleRow = 46;         // from the title's top to the name's
const int pictureColumn = 40;
const QSize name(340, 44);
// Where the picture grows for a longer title: through the middle.
const QPoint growLine(210, 100);
} // namespace Room

} // namespace

TAddFileForm::TAddFileForm(QWidget *owner, const QStringList &paths, QList<TItemInfo> &items)
    : QDialog(owner)
    , ssSkinForm1(SkinForm(this, QStringLiteral("addfile.png")))
    , Label1(new QLabel(tr("Add PDF Files..."), this))
    , lblFile(new QLabel(this))
    , btnCancle(SkinButton(this, "btnCancle", QStringLiteral("dlg_stop.png"), 4, tr("Stop")))
    , thread(new AddFileThread(this, paths, items))
{
    setObjectName(QStringLiteral("AddFileForm"));
    setWindowTitle(tr("Add PDF Files"));
    ssSkinForm1->SetGrowLine(Room::growLine);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setStyleSheet(QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';"));

    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setStyleSheet(QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';"));
    lblFile->setWordWrap(true);
    lblFile->setFixedSize(Room::name);
    lblFile->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblFile->setAccessibleName(tr("File being opened"));
    btnCancle->setFocus();
    LayOut();
    connect(btnCancle, &TssCustomButton::OnClick, this, &TAddFileForm::btnCancleClick);
}

void TAddFileForm::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Room::inside);
    grid->setSpacing(0);
    grid->setRowMinimumHeight(0, Room::titleRow);
    grid->setColumnMinimumWidth(0, Room::pictureColumn);
    grid->addWidget(Label1, 0, 0, 1, 2, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(lblFile, 1, 1, Qt::AlignTop | Qt::AlignLeft);
    grid->setRowStretch(2, 1);
    grid->addWidget(btnCancle, 3, 1, Qt::AlignRight | Qt::AlignBottom);
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
    WaitForWorkerServingHandOvers(thread);
}

void TAddFileForm::EndRun(int result)
{
    ended = true;
    done(result);
}
