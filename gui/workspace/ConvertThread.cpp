#include "ConvertThread.h"

#include "ConvertForm_Unit1.h"
#include "MessageBox.h"

#include "colligo.h"

#include <QMetaObject>

#include <algorithm>

ConvertThread *CurrentConvertThread = nullptr;

ConvertThread::ConvertThread(const QList<TItemInfo *> &items, const QString &outputPath, TConvertForm *form)
    : Items(items), OutputPath(outputPath), Form(form)
{
    CurrentConvertThread = this;
}

void ConvertThread::run()
{
    if (!PrepareMergeList()) {
        ShowMergeFailed();
    } else if (!OutputPath.isEmpty()) {
        PagesDone = 0;
        std::u16string path = OutputPath.toStdU16String(); // the engine may rewrite the name part
        Succeeded = ColligoW(reinterpret_cast<ColligoWideChar *>(path.data()), 0, &ConvertThread::MergeProgress) != 0;
        if (!Succeeded && !StopRequested)
            ShowMergeFailed();
    }
    QMetaObject::invokeMethod(Form, [this] { Form->FinishMerge(); }, Qt::BlockingQueuedConnection);
}

// Any refused file fails the whole preparation: merging a different set of
// pages than the user chose, without a word, would be worse than no merge.
bool ConvertThread::PrepareMergeList()
{
    if (Items.size() < 2)
        return false;
    ClearList();
    PagesTotal = 0;
    if (MergeAlternately) {
        int passes = 0;
        for (const TItemInfo *item : Items) {
            if (item->AlternateType == 1)
                continue;
            int pages = CountRangePages(item->PageRange, item->TotalPages);
            int mix = std::max(1, item->MixPages);
            passes = std::max(passes, (pages + mix - 1) / mix);
        }
        if (passes > 0)
            return AddAlternating(passes);
    }
    return AddSequential();
}

bool ConvertThread::AddSequential()
{
    for (const TItemInfo *item : Items) {
        PagesTotal += CountRangePages(item->PageRange, item->TotalPages);
        if (!AddEntry(*item, item->MergeRange))
            return false;
    }
    return true;
}

// Pass after pass, each record gives its next slice of MixPages pages (cut from
// MergeRange, so a reversed choice interleaves in reverse), or its whole
// selection again when it repeats.
bool ConvertThread::AddAlternating(int passes)
{
    for (int pass = 0; pass < passes; ++pass) {
        for (const TItemInfo *item : Items) {
            int pages = CountRangePages(item->PageRange, item->TotalPages);
            if (item->AlternateType == 1) {
                PagesTotal += pages;
                if (!AddEntry(*item, item->MergeRange))
                    return false;
                continue;
            }
            int mix = std::max(1, item->MixPages);
            int first = mix * pass + 1;
            int last = std::min(mix * (pass + 1), pages);
            if (first > pages)
                continue; // this record has run out of pages
            QString slice;
            SliceRange(item->MergeRange, first, last, slice);
            PagesTotal += last - first + 1;
            if (!AddEntry(*item, slice))
                return false;
        }
    }
    return true;
}

bool ConvertThread::AddEntry(const TItemInfo &item, const QString &range)
{
    std::u16string path = item.FilePath.toStdU16String();
    QByteArray expression = range.toLatin1(); // only digits, "," and "-"
    return AddFileW(reinterpret_cast<const ColligoWideChar *>(path.c_str()), expression.constData(), 0) != 0;
}

// The box is raised on the GUI thread; this thread goes on once it is answered.
void ConvertThread::ShowMergeFailed()
{
    QMetaObject::invokeMethod(
        Form, [this] { ShowMessageBox(Form, QStringLiteral("Merge Failed"), QMessageBox::Critical); }, Qt::BlockingQueuedConnection);
}

std::int32_t COLLIGO_CALL ConvertThread::MergeProgress(std::int32_t, std::int32_t, std::int32_t, std::int32_t)
{
    ConvertThread *job = CurrentConvertThread;
    if (!job || job->StopRequested)
        return 0;
    ++job->PagesDone;
    QMetaObject::invokeMethod(job->Form, [job] { job->Form->ShowProgress(); }, Qt::BlockingQueuedConnection);
    // Held while the user decides whether to stop: the engine writes nothing meanwhile.
    while (job->Paused && !job->StopRequested)
        QThread::msleep(20);
    return 1;
}
