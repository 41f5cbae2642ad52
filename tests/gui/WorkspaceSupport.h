// What the workspace tests share: the running application's context, a user
// who answers message boxes from a script, a desktop that notes what it is
// asked to open, real PDF fixtures, and ways to click and to wait.
#pragma once

#include "MessageBox.h"
#include "MuiContext.h"
#include "TempDir.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QUrl>

#include <deque>
#include <ostream>
#include <functional>
#include <string>

class QAbstractItemView;
class QWidget;
class TssCustomButton;

// Failure messages show texts as texts.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace workspace_testing {

// One message box as the user saw it.
struct SeenBox
{
    QString Caption;
    QString Text;
    QString Detail;           // the line under the text (a failure's reason)
    QMessageBox::Icon Icon;
};

// Answers every message box with the next scripted button (Yes, then Ok, when
// the script has run out) and notes what each box said.
class ScriptedUser
{
public:
    ScriptedUser();
    ~ScriptedUser();
    void Answer(QMessageBox::StandardButton button) { Answers.push_back(button); }
    // Runs on the GUI thread while the box would be open, before it is answered.
    std::function<void()> WhileOpen;
    QList<SeenBox> Seen;

private:
    std::deque<QMessageBox::StandardButton> Answers;
};

// Notes every link, file and folder the desktop is asked to open.
class RecordingDesktop : public QObject
{
    Q_OBJECT

public:
    RecordingDesktop();
    ~RecordingDesktop() override;
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl &url) { Opened.append(url); }
};

// The application context of a run, with its application folder in a
// temporary folder; published for as long as the object lives.
class RunningApplication
{
public:
    RunningApplication();
    testing_support::TempDir Folder; // first: the context is made from it
    MuiContext Context;

private:
    MuiContextPublication Publication;
};

// Runs `work` on every window of that name as soon as it is shown (after the
// window's own show handling), and counts the showings.
class WindowWatch : public QObject
{
public:
    WindowWatch(const QString &name, std::function<void(QWidget *)> work = {})
        : Name(name), Work(std::move(work))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~WindowWatch() override { QCoreApplication::instance()->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (window && window->isWindow() && window->objectName() == Name && event->type() == QEvent::Show) {
            ++Shown;
            if (Work)
                QTimer::singleShot(0, window, [this, window] { Work(window); });
        }
        return false;
    }

    const QString Name;
    std::function<void(QWidget *)> Work;
    int Shown = 0;
};

// The text the list shows in one cell, and in one column, top to bottom.
QString CellText(const QAbstractItemView *list, int row, int column);
QStringList ColumnTexts(const QAbstractItemView *list, int column);
// Selects the rows (the first one gets the focus), as clicks would, and lets
// the update handlers run.
void SelectRows(QAbstractItemView *list, const QList<int> &rows);
// The selected rows, ascending.
QList<int> SelectedRows(const QAbstractItemView *list);

// A left click in the middle of a skinned button, as the mouse gives it.
void Click(TssCustomButton *button);
// Lets the event loop run until it goes idle once (update handlers run then).
void Idle();
// Serves events until the condition holds; false when it never did.
bool WaitUntil(const std::function<bool()> &condition, int timeoutMs = 30000);

// A PDF file of `pages` pages at `path` (the text "<label> page k" on page k).
QString WritePdf(const QString &path, int pages, const QString &label = QStringLiteral("Sample"));
// A file named like a PDF file that is none.
QString WriteDamaged(const QString &path);

// What an independent reader (pikepdf, from Debian) finds in a PDF file.
struct PdfFacts
{
    bool Read = false;         // false: the reader could not open it
    QString Title;
    QString Subject;
    QString Author;
    QString Keywords;
    int OutlineItems = 0;      // all levels
    int Annotations = 0;       // on all pages
    bool HasForm = false;
};
PdfFacts ReadPdfFacts(const QString &path);

} // namespace workspace_testing
