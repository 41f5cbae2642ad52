// A plug-in library that plays the user for the start-up test of the real
// Korvel program: when the application's main window is shown, it reports
// the window's title on standard output and closes the window.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdio>

namespace {

class ClosingUser : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (window && window->isWindow() && window->objectName() == "MergerForm" && event->type() == QEvent::Show) {
            const QLabel *label = window->findChild<QLabel *>("lblTitle");
            std::printf("shown: %s\n", window->windowTitle().toUtf8().constData());
            std::printf("label: %s\n", label ? label->text().toUtf8().constData() : "(none)");
            std::printf("icon: %s\n", QApplication::windowIcon().isNull() ? "none" : "set");
            std::fflush(stdout);
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    }
};

void WatchForTheMainWindow()
{
    qApp->installEventFilter(new ClosingUser);
}

struct UnloadReport
{
    ~UnloadReport()
    {
        std::printf("closing user unloaded\n");
        std::fflush(stdout);
    }
} unloadReport;

} // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForTheMainWindow)
