#include "ConvertForm_Unit1.h"

#include "ApplicationTitle.h"
#include "ConvertThread.h"
#include "FormParts.h"
#include "MessageBox.h"
#include "MuiContext.h"
#include "ShellOpen.h"
#include "SSButton.h"
#include "SSForm.h"
#include "WorkerWait.h"
#include "Tskinprocess.h"

#include <QEventLoop>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>

namespace {

const QString statusStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans'; background: transparent;");
const QString pageStyle = QStringLiteral("color: #6B7785; font: 12px 'DejaVu Sans'; background: transparent;");

// Where convert.png leaves room: the title band, the file's name over the
// bar's groove, the page line under it, Stop in the bottom right corner.
namespace Room {
const QMargins inside(14, 12, 20, 14);
const int indent = 6;            // the body starts right of the title
const int titleRow = 31;         // rows from one top to the next
const int fileRow = 19;
const int barRow = 28;
const int barWidth = 400;
const int barHeight = 20;
const int pageWidth = 290;
// Where the picture grows for longer captions: a column through the middle
// of the bar's groove, a row under it.
const QPoint growLine(220, 100);
} // namespace Room

QString ProgressPicturePath()
{
    MuiContext *context = CurrentMuiContext();
    return (context ? context->ApplicationFolder : QString()) + QStringLiteral("Skins/progress.bmp");
}

} // namespace

TConvertForm::TConvertForm(QWidget *owner, const QList<TItemInfo *> &items, const QString &outputPath,
                           const TOutputOptions &options)
    : QDialog(owner), OutputPath(outputPath), Options(options)
{
    FormCreate();
    Thread = std::make_unique<ConvertThread>(items, OutputPath, this, Options);
}

// Gone while the merge still runs (the application is quitting): the merge
// stops, and its partial output goes as it does after a confirmed stop.
TConvertForm::~TConvertForm()
{
    if (Thread && Thread->isRunning()) {
        Thread->StopRequested = true;
        Thread->Paused = false;
        WaitForWorker();
        if (!Thread->Succeeded)
            QFile::remove(OutputPath);
    }
    if (CurrentConvertThread == Thread.get())
        CurrentConvertThread = nullptr;
}

void TConvertForm::FormCreate()
{
    setObjectName(QStringLiteral("ConvertForm"));
    setWindowTitle(ApplicationTitle());
    setModal(true);

    ssSkinForm1 = SkinForm(this, QStringLiteral("convert.png"));
    ssSkinForm1->SetGrowLine(Room::growLine);

    lblTitle = Label(this, "lblTitle", ApplicationTitle(), QStringLiteral("color: white; font: bold 13px 'DejaVu Sans';"));
    // The lines under the title change with every page, so their texts never
    // move the layout: they take the bar's width, and the page line at least
    // what its longest text needs in the user's language.
    lblFile = Label(this, "lblFile", QString(), statusStyle);
    lblFile->setMinimumWidth(Room::barWidth);
    lblFile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblFile->setAccessibleName(tr("File being copied"));
    lblPage = Label(this, "lblPage", QString(), pageStyle);
    const QString longestPage = tr("page %1 of %2").arg(99999).arg(99999);
    lblPage->setMinimumWidth(std::max(Room::pageWidth, lblPage->fontMetrics().horizontalAdvance(longestPage)));
    lblPage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblPage->setAccessibleName(tr("Page being copied"));

    SkinProcess1 = new TSkinProcess(this);
    SkinProcess1->setObjectName(QStringLiteral("SkinProcess1"));
    SkinProcess1->setMinimumWidth(Room::barWidth);
    SkinProcess1->setFixedHeight(Room::barHeight);
    SkinProcess1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    SkinProcess1->SetImage2(ProgressPicturePath());
    SkinProcess1->SetBaseLine(SkinProcess1->height() / 2 + 1);
    SkinProcess1->SetExtRange(0, SkinProcess1->width());
    SkinProcess1->Setprocess(0);

    btnStop = SkinButton(this, "btnStop", QStringLiteral("dlg_stop.png"), 4, tr("Stop"));
    btnStop->SetModalResult(mrCancel);
    btnStop->setFocus();
    LayOut();
}

// The title; the file's name, the bar and the page line at their pitch under
// it; Stop in the bottom right corner.
void TConvertForm::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Room::inside);
    grid->setSpacing(0);
    grid->setColumnMinimumWidth(0, Room::indent);
    const int rows[] = {Room::titleRow, Room::fileRow, Room::barRow};
    for (int row = 0; row < 3; ++row)
        grid->setRowMinimumHeight(row, rows[row]);
    const Qt::Alignment topLeft = Qt::AlignTop | Qt::AlignLeft;
    grid->setColumnStretch(1, 1); // the lines and the bar take the width the dialog grows by
    grid->addWidget(lblTitle, 0, 0, 1, 2, topLeft);
    grid->addWidget(lblFile, 1, 1, Qt::AlignTop);
    grid->addWidget(SkinProcess1, 2, 1, Qt::AlignTop);
    grid->addWidget(lblPage, 3, 1, Qt::AlignTop);
    grid->addWidget(btnStop, 3, 1, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(4, 1);
}

// The bar fills as far as it reaches, also when the dialog grew for a longer text.
void TConvertForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    SkinProcess1->SetExtRange(0, SkinProcess1->width());
    SkinProcess1->Setprocess(shownPercent);
}

void TConvertForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnOwner(this);
    FormShow();
}

void TConvertForm::FormShow()
{
    if (workerStarted)
        return;
    workerStarted = true;
    Thread->start();
}

void TConvertForm::ShowProgress()
{
    // A job whose ranges select nothing has no pages to count.
    shownPercent = Thread->PagesTotal > 0 ? Thread->PagesDone * 100 / Thread->PagesTotal : 0;
    SkinProcess1->Setprocess(shownPercent);
    const QString name = lblFile->fontMetrics().elidedText(Thread->CurrentFileName, Qt::ElideMiddle, lblFile->width());
    if (lblFile->text() != name)
        lblFile->setText(name);
    lblPage->setText(tr("page %1 of %2").arg(Thread->CurrentFilePage).arg(Thread->CurrentFilePages));
    emit PageShown(Thread->CurrentFileName, Thread->CurrentFilePage, Thread->CurrentFilePages);
}

void TConvertForm::FinishMerge()
{
    if (stopQuestionOpen) {
        finishWhileAsking = true; // decided once the user has answered
        return;
    }
    if (Closing)
        return;
    // Runs once this hand-over has returned, so the worker can end meanwhile.
    QMetaObject::invokeMethod(this, [this] { CompleteMerge(); }, Qt::QueuedConnection);
}

// Ends the modal run with OK (which hides the dialog), then opens the result
// or, unless the options say to open it at once, offers to.
void TConvertForm::CompleteMerge()
{
    bool succeeded = Thread->Succeeded;
    done(mrOk);
    if (!succeeded)
        return;
    if (Options.OpenAfterMerge
        || ShowMessageBox(parentWidget(), tr("Merge successfully.Open output pdf file?"), QMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        ShellOpen(OutputPath);
}

void TConvertForm::done(int result)
{
    if (Closing)
        return;
    bool cancelled = false;
    if (result != mrOk) {
        if (!ConfirmStop())
            return;
        cancelled = true;
    }
    Closing = true;
    Thread->StopRequested = true;
    Thread->Paused = false;
    WaitForWorker();
    if (cancelled)
        QFile::remove(OutputPath);
    QDialog::done(result);
}

// Holds the merge while the question is open; true when the user confirms.
bool TConvertForm::ConfirmStop()
{
    Thread->Paused = true;
    stopQuestionOpen = true;
    bool stop = ShowMessageBox(this, tr("Are you sure to cancel merging?"), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    stopQuestionOpen = false;
    if (stop)
        return true;
    Thread->Paused = false;
    if (finishWhileAsking) {
        finishWhileAsking = false;
        FinishMerge();
    }
    return false;
}

// Waits for the worker's end while still serving its hand-overs.
void TConvertForm::WaitForWorker()
{
    WaitForWorkerServingHandOvers(Thread.get());
}
