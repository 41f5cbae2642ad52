#include "ConvertThread.h"

#include "ConvertForm_Unit1.h"
#include "MessageBox.h"

#include "colligo.h"

#include <QMetaObject>

#include <algorithm>

ConvertThread *CurrentConvertThread = nullptr;

QString LastEngineFailure()
{
    char text[1024] = {};
    if (GetLastFailure(text, sizeof text) == COLLIGO_FAILURE_NONE)
        return QString();
    return QString::fromUtf8(text);
}

ConvertThread::ConvertThread(const QList<TItemInfo *> &items, const QString &outputPath, TConvertForm *form,
                             const TOutputOptions &options)
    : Items(items), OutputPath(outputPath), Options(options), Form(form)
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
        ApplyOutputOptions(); // for this merge call only
        Succeeded = ColligoW(reinterpret_cast<ColligoWideChar *>(path.data()), 0, &ConvertThread::MergeProgress) != 0;
        if (!Succeeded && !StopRequested) {
            FailureReason = LastEngineFailure();
            ShowMergeFailed();
        }
    }
    QMetaObject::invokeMethod(Form, [this] { Form->FinishMerge(); }, Qt::BlockingQueuedConnection);
}

// Any refused file fails the whole preparation: merging a different set of
// pages than the user chose, without a word, would be worse than no merge.
bool ConvertThread::PrepareMergeList()
{
    if (Items.size() < 2) {
        FailureReason = tr("At least two files are needed for a merge.");
        return false;
    }
    ClearList();
    PagesTotal = 0;
    Entries.clear();
    RecordPages = QList<int>(Items.size(), 0);
    RecordPagesDone = QList<int>(Items.size(), 0);
    CurrentEntry = -1;
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
    for (int record = 0; record < Items.size(); ++record) {
        const TItemInfo *item = Items[record];
        if (!AddEntry(record, item->MergeRange, CountRangePages(item->PageRange, item->TotalPages)))
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
        for (int record = 0; record < Items.size(); ++record) {
            const TItemInfo *item = Items[record];
            int pages = CountRangePages(item->PageRange, item->TotalPages);
            if (item->AlternateType == 1) {
                if (!AddEntry(record, item->MergeRange, pages))
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
            if (!AddEntry(record, slice, last - first + 1))
                return false;
        }
    }
    return true;
}

bool ConvertThread::AddEntry(int record, const QString &range, int pages)
{
    const TItemInfo &item = *Items[record];
    std::u16string path = item.FilePath.toStdU16String();
    QByteArray expression = range.toLatin1(); // only digits, "," and "-"
    if (AddFileW(reinterpret_cast<const ColligoWideChar *>(path.c_str()), expression.constData(), 0) == 0) {
        FailureReason = LastEngineFailure();
        return false;
    }
    PagesTotal += pages;
    Entries.append({record, pages});
    RecordPages[record] += pages;
    return true;
}

// What the options dialog set: the navigation to keep, a bookmark per file,
// and the document information (left out where the field is empty); always
// the compact layout.
void ConvertThread::ApplyOutputOptions() const
{
    const QByteArray title = Options.Title.toUtf8();
    const QByteArray subject = Options.Subject.toUtf8();
    const QByteArray author = Options.Author.toUtf8();
    const QByteArray keywords = Options.Keywords.toUtf8();
    auto textOrNull = [](const QByteArray &text) { return text.isEmpty() ? nullptr : text.constData(); };
    const std::uint32_t keep = (Options.KeepNavigation ? std::uint32_t(COLLIGO_KEEP_ALL) : 0u) | COLLIGO_OUTPUT_COMPACT;
    SetOutputOptions(keep, Options.BookmarkPerFile ? 1 : 0, textOrNull(title),
                     textOrNull(subject), textOrNull(author), textOrNull(keywords));
}

// Every entry starts again at position 1; an entry that selects no page is
// never announced, so it is passed over.
void ConvertThread::NotePage(std::int32_t position)
{
    if (position == 1 || CurrentEntry < 0) {
        do
            ++CurrentEntry;
        while (CurrentEntry < Entries.size() && Entries[CurrentEntry].Pages <= 0);
    }
    if (CurrentEntry >= Entries.size())
        return;
    const int record = Entries[CurrentEntry].Record;
    ++RecordPagesDone[record];
    CurrentFileName = Items[record]->FileName;
    CurrentFilePage = RecordPagesDone[record];
    CurrentFilePages = RecordPages[record];
}

// The box is raised on the GUI thread; this thread goes on once it is answered.
void ConvertThread::ShowMergeFailed()
{
    const QString reason = FailureReason;
    QMetaObject::invokeMethod(
        Form,
        [this, reason] {
            ShowMessageBox(Form, tr("Merge Failed"), QMessageBox::Critical, QMessageBox::Ok, QMessageBox::NoButton, reason);
        },
        Qt::BlockingQueuedConnection);
}

std::int32_t COLLIGO_CALL ConvertThread::MergeProgress(std::int32_t, std::int32_t, std::int32_t, std::int32_t position)
{
    ConvertThread *job = CurrentConvertThread;
    if (!job || job->StopRequested)
        return 0;
    ++job->PagesDone;
    job->NotePage(position);
    QMetaObject::invokeMethod(job->Form, [job] { job->Form->ShowProgress(); }, Qt::BlockingQueuedConnection);
    // Held while the user decides whether to stop: the engine writes nothing meanwhile.
    while (job->Paused && !job->StopRequested)
        QThread::msleep(20);
    return 1;
}
