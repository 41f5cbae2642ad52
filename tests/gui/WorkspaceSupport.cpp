#include "WorkspaceSupport.h"

#include "ApplicationTitle.h"
#include "PdfBuilder.h"
#include "SSButton.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>

namespace workspace_testing {

ScriptedUser::ScriptedUser()
{
    SetMessageBoxResponder([this](QMessageBox &box) {
        Seen.append({box.windowTitle(), box.text()});
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

} // namespace workspace_testing
