#pragma once
// The merge job's worker: fills the engine's merge list from the records, file
// after file or pass after pass when the files are merged alternately, then
// runs the engine's merge, reporting every page to the progress dialog.

#include "Data_unit1.h"
#include "colligo.h"

#include <QThread>

#include <atomic>
#include <cstdint>

class TConvertForm;

class ConvertThread : public QThread
{
    Q_OBJECT

public:
    ConvertThread(const QList<TItemInfo *> &items, const QString &outputPath, TConvertForm *form);

    const QList<TItemInfo *> &Items; // the job, in merge order; owned by the main window
    const QString OutputPath;
    bool Succeeded = false;
    std::int32_t PagesTotal = 0;     // pages the job writes, summed while the list is filled
    std::int32_t PagesDone = 0;      // progress callbacks received in this merge
    TConvertForm *const Form;
    // Requests from the GUI thread, read by this thread inside the engine's callback.
    std::atomic<bool> StopRequested { false };
    std::atomic<bool> Paused { false };

    bool PrepareMergeList();

    // The engine's progress callback; finds the job through CurrentConvertThread.
    static std::int32_t COLLIGO_CALL MergeProgress(std::int32_t phase, std::int32_t total, std::int32_t page, std::int32_t position);

protected:
    void run() override;

private:
    bool AddSequential();
    bool AddAlternating(int passes);
    bool AddEntry(const TItemInfo &item, const QString &range);
    void ShowMergeFailed();
};

// The most recently created worker: the engine's callback carries no context.
extern ConvertThread *CurrentConvertThread;
