#pragma once
// The worker of the add-files dialog: opens every path with the engine to
// prove it readable and to count its pages, one file after the other, and
// keeps a record of each file that opened. Files the engine refuses are left
// out without a word.

#include "Data_unit1.h"

#include <QThread>

#include <atomic>

class TAddFileForm;

class AddFileThread : public QThread
{
    Q_OBJECT

public:
    AddFileThread(TAddFileForm *form, const QStringList &paths, QList<TItemInfo> &items);

    TAddFileForm *const Form;       // shows the status lines, gets the completion message
    const QStringList &Paths;       // owned by the caller
    QList<TItemInfo> &Items;        // owned by the caller; read only after the run ended
    QString StatusText;             // the line the dialog shows next
    std::atomic<bool> StopRequested = false; // set by the GUI thread, read once per file

protected:
    void run() override;

private:
    void ShowStatus(const QString &text);
    static TItemInfo MeasuredItem(const QString &path, int pages);
};

// The file's size in KiB, rounded down; 0 when it cannot be opened.
std::int32_t FileSizeKB(const QString &path);
