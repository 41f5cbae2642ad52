// What the workspace tests share: the running application's context, a user
// who answers message boxes from a script, a desktop that notes what it is
// asked to open, real PDF fixtures, and ways to click and to wait.
#pragma once

#include "MessageBox.h"
#include "MuiContext.h"
#include "TempDir.h"

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <ostream>
#include <functional>
#include <string>

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

} // namespace workspace_testing
