#include "AddFileThread.h"

#include "AddFileForm_Unit1.h"
#include "PageRangeWriter.h"

#include "colligo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <limits>

AddFileThread::AddFileThread(TAddFileForm *form, const QStringList &paths, QList<TItemInfo> &items)
    : Form(form)
    , Paths(paths)
    , Items(items)
{
}

void AddFileThread::run()
{
    for (const QString &path : Paths) {
        if (path.isEmpty())
            continue;
        ShowStatus(tr("Add File: '%1'.").arg(path));

        const DocumentHandle document = OpenPDFW(reinterpret_cast<const ColligoWideChar *>(path.utf16()), nullptr);
        if (StopRequested) {
            // The file opened while the user asked to stop is not added.
            if (document > 0)
                ClosePDF(document);
            break;
        }
        if (document <= 0)
            continue;
        const int pages = GetPageCount(document);
        ClosePDF(document);
        Items.append(MeasuredItem(path, pages));
    }
    ShowStatus(tr("Adding files done."));
    QCoreApplication::postEvent(Form, new QEvent(WM_ADDFILE_DONE));
}

// The GUI thread shows the line while this thread waits for it.
void AddFileThread::ShowStatus(const QString &text)
{
    StatusText = text;
    QMetaObject::invokeMethod(Form, &TAddFileForm::ShowStatusText, Qt::BlockingQueuedConnection);
}

TItemInfo AddFileThread::MeasuredItem(const QString &path, int pages)
{
    TItemInfo item;
    // Qt hands out paths with '/' on every platform; on Windows a typed or
    // native path may hold '\\' as well.
    const qsizetype separator = QDir::fromNativeSeparators(path).lastIndexOf(u'/');
    item.FileName = separator < 0 ? path : path.mid(separator + 1);
    item.FilePath = path;
    item.TotalPages = pages;
    item.MixPages = 1;
    item.SizeKB = FileSizeKB(path);
    item.PageRange = QString::fromStdString(pageranges::allPages(pages));
    item.MergeRange = item.PageRange;
    return item;
}

std::int32_t FileSizeKB(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const qint64 kibibytes = file.size() / 1024;
    return static_cast<std::int32_t>(std::min<qint64>(kibibytes, std::numeric_limits<std::int32_t>::max()));
}
