#pragma once
// The merge job's worker: fills the engine's merge list from the records, file
// after file or pass after pass when the files are merged alternately, hands
// the engine the output options, then runs the merge, reporting every page to
// the progress dialog (which file, and its page N of M). A failure is told to
// the user with the engine's reason.

#include "Data_unit1.h"
#include "OutputOptions.h"
#include "colligo.h"

#include <QThread>

#include <atomic>
#include <cstdint>

class TConvertForm;

class ConvertThread : public QThread
{
    Q_OBJECT

public:
    ConvertThread(const QList<TItemInfo *> &items, const QString &outputPath, TConvertForm *form,
                  const TOutputOptions &options = TOutputOptions());

    const QList<TItemInfo *> &Items; // the job, in merge order; owned by the main window
    const QString OutputPath;
    const TOutputOptions Options;
    bool Succeeded = false;
    std::int32_t PagesTotal = 0;     // pages the job writes, summed while the list is filled
    std::int32_t PagesDone = 0;      // progress callbacks received in this merge
    TConvertForm *const Form;
    // Requests from the GUI thread, read by this thread inside the engine's callback.
    std::atomic<bool> StopRequested { false };
    std::atomic<bool> Paused { false };

    // The page being copied, as the progress dialog names it: the record's
    // file name, and the page's place among that record's selected pages.
    // Written by this thread, read by the GUI thread only inside ShowProgress.
    QString CurrentFileName;
    int CurrentFilePage = 0;
    int CurrentFilePages = 0;

    // Why the merge failed, in the engine's words (empty when it gave none).
    QString FailureReason;

    bool PrepareMergeList();

    // The engine's progress callback; finds the job through CurrentConvertThread.
    static std::int32_t COLLIGO_CALL MergeProgress(std::int32_t phase, std::int32_t total, std::int32_t page, std::int32_t position);

protected:
    void run() override;

private:
    // One entry of the engine's merge list: which record, how many pages.
    struct Entry
    {
        int Record;
        int Pages;
    };

    bool AddSequential();
    bool AddAlternating(int passes);
    bool AddEntry(int record, const QString &range, int pages);
    void ApplyOutputOptions() const;
    void NotePage(std::int32_t position);
    void ShowMergeFailed();

    QList<Entry> Entries;
    QList<int> RecordPages;     // selected pages per record, over all its entries
    QList<int> RecordPagesDone; // of those, copied so far
    qsizetype CurrentEntry = -1;
};

// The most recently created worker: the engine's callback carries no context.
extern ConvertThread *CurrentConvertThread;

// The engine's reason for its latest failure, or an empty text.
QString LastEngineFailure();
