#include "WorkspaceSupport.h"

#include "ApplicationTitle.h"
#include "Oracles.h"
#include "PdfBuilder.h"
#include "SSButton.h"

#include <QApplication>

#include <algorithm>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMouseEvent>
#include <QAbstractItemView>
#include <QThread>
#include <QTimer>

namespace workspace_testing {

ScriptedUser::ScriptedUser()
{
    SetMessageBoxResponder([this](QMessageBox &box) {
        Seen.append({box.windowTitle(), box.text(), box.informativeText(), box.icon()});
        if (WhileOpen)
            WhileOpen();
        if (Answers.empty())
            return box.standardButtons().testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        const QMessageBox::StandardButton answer = Answers.front();
        Answers.pop_front();
        return answer;
    });
}

ScriptedUser::~ScriptedUser()
{
    SetMessageBoxResponder({});
}

RecordingDesktop::RecordingDesktop()
{
    for (const char *scheme : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
}

RecordingDesktop::~RecordingDesktop()
{
    for (const char *scheme : {"file", "http", "https"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

RunningApplication::RunningApplication()
    : Context(MakeMuiContext(QString::fromStdString(Folder.file("Korvel")), QStringLiteral("Quellan PDF Merger")))
    , Publication(&Context)
{
    Context.HomePageLink = QStringLiteral("https://www.quellan-studio.com");
    Context.SupportLink = QStringLiteral("https://www.quellan-studio.com/support.html");
    SetApplicationTitle(Context.ProductTitle);
}

QString CellText(const QAbstractItemView *list, int row, int column)
{
    return list->model()->index(row, column).data().toString();
}

QStringList ColumnTexts(const QAbstractItemView *list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(CellText(list, row, column));
    return texts;
}

void SelectRows(QAbstractItemView *list, const QList<int> &rows)
{
    list->clearSelection();
    list->selectionModel()->setCurrentIndex(list->model()->index(rows.first(), 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (int row : rows.mid(1))
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Idle();
}

QList<int> SelectedRows(const QAbstractItemView *list)
{
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void Click(TssCustomButton *button)
{
    const QPointF middle(button->width() / 2.0, button->height() / 2.0);
    const QPointF global = button->mapToGlobal(middle);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, middle, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }
}

void Idle()
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WaitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

QString WritePdf(const QString &path, int pages, const QString &label)
{
    testing_support::writeTextDocument(path.toStdString(), pages, label.toStdString());
    return path;
}

QString WriteDamaged(const QString &path)
{
    testing_support::writeFile(path.toStdString(), "%PDF-1.4\nthis file was cut short\n");
    return path;
}

PdfFacts ReadPdfFacts(const QString &path)
{
    // Debian's python3, not whatever python3 comes first on PATH.
    static const char *script = R"(
import sys, pikepdf
pdf = pikepdf.open(sys.argv[1])
info = pdf.docinfo
for key in ('Title', 'Subject', 'Author', 'Keywords'):
    value = info.get('/' + key)
    print(key + '=' + (str(value) if value is not None else ''))
with pdf.open_outline() as outline:
    def count(items):
        return sum(1 + count(item.children) for item in items)
    print('outline=%d' % count(outline.root))
print('annots=%d' % sum(len(page.obj.get('/Annots', [])) for page in pdf.pages))
print('form=%d' % (1 if '/AcroForm' in pdf.Root else 0))
)";
    const auto result = testing_support::runCommand("/usr/bin/python3 -c " + testing_support::shellQuote(script) + " "
                                                    + testing_support::shellQuote(path.toStdString()));
    PdfFacts facts;
    if (result.status != 0)
        return facts;
    facts.Read = true;
    for (const QString &line : QString::fromStdString(result.output).split(u'\n')) {
        const QString key = line.section(u'=', 0, 0);
        const QString value = line.section(u'=', 1);
        if (key == u"Title")
            facts.Title = value;
        else if (key == u"Subject")
            facts.Subject = value;
        else if (key == u"Author")
            facts.Author = value;
        else if (key == u"Keywords")
            facts.Keywords = value;
        else if (key == u"outline")
            facts.OutlineItems = value.toInt();
        else if (key == u"annots")
            facts.Annotations = value.toInt();
        else if (key == u"form")
            facts.HasForm = value == u"1";
    }
    return facts;
}

} // namespace workspace_testing
