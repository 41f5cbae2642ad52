// A plug-in library that plays the user for the Wine test of the real
// application: dropped into Korvel's "dll" folder, it waits for the main
// window, drops the files named in QUELLAN_TEST_FILES (separated by '|') on it,
// waits until they are listed, lets the test photograph the window (it waits
// for the file QUELLAN_TEST_GO), merges into QUELLAN_TEST_OUTPUT_FOLDER,
// answers the question boxes and closes the window. Every step is written to
// the log file QUELLAN_TEST_LOG, one line each.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>

namespace {

QString setting(const char *name)
{
    return qEnvironmentVariable(name);
}

void log(const QString &line)
{
    QFile file(setting("QUELLAN_TEST_LOG"));
    if (file.open(QIODevice::Append | QIODevice::WriteOnly))
        file.write((line + u'\n').toUtf8());
}

// Presses one of the box's standard buttons; false when it has no such button.
bool press(QMessageBox &box, QMessageBox::StandardButton button)
{
    if (QAbstractButton *found = box.button(button)) {
        found->click();
        return true;
    }
    return false;
}

class MergingUser : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (!form && window && window->objectName() == u"MergerForm" && event->type() == QEvent::Show) {
            form = window;
            log(QStringLiteral("shown: ") + form->windowTitle());
            QTimer::singleShot(500, this, &MergingUser::dropFiles);
            connect(&clock, &QTimer::timeout, this, &MergingUser::step);
            clock.start(200);
            deadline.start();
        }
        return false;
    }

private:
    enum class Stage { Listing, Photographed, Merging, Closing };

    void dropFiles()
    {
        QList<QUrl> urls;
        for (const QString &path : setting("QUELLAN_TEST_FILES").split(u'|', Qt::SkipEmptyParts))
            urls.append(QUrl::fromLocalFile(path));
        auto *data = new QMimeData;
        data->setUrls(urls);
        const QPointF centre(form->width() / 2.0, form->height() / 2.0);
        QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form, &enter);
        QDropEvent drop(centre, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form, &drop);
        log(QStringLiteral("dropped: %1 files").arg(urls.size()));
        expectedRows = static_cast<int>(urls.size());
    }

    void step()
    {
        if (deadline.hasExpired(180000)) {
            log(QStringLiteral("timeout"));
            clock.stop();
            QApplication::exit(1);
            return;
        }
        if (QMessageBox *box = visibleMessageBox()) {
            answer(*box);
            return;
        }
        if (QApplication::activeModalWidget())
            return; // a dialog at work (measuring, merging)
        auto *list = form->findChild<QTableWidget *>(QStringLiteral("TntLV"));
        switch (stage) {
        case Stage::Listing:
            if (expectedRows > 0 && list && list->rowCount() == expectedRows) {
                for (int row = 0; row < list->rowCount(); ++row) {
                    QStringList cells;
                    for (int column = 0; column < list->columnCount(); ++column)
                        cells.append(list->item(row, column) ? list->item(row, column)->text() : QString());
                    log(QStringLiteral("row: ") + cells.join(u" | "));
                }
                log(QStringLiteral("listed"));
                stage = Stage::Photographed;
            }
            break;
        case Stage::Photographed:
            if (QFile::exists(setting("QUELLAN_TEST_GO"))) {
                form->findChild<QLineEdit *>(QStringLiteral("edtOutputFolder"))->setText(setting("QUELLAN_TEST_OUTPUT_FOLDER"));
                log(QStringLiteral("output name: ")
                    + form->findChild<QComboBox *>(QStringLiteral("cbFileName"))->currentText());
                stage = Stage::Merging;
                // Queued: the merge runs modal loops, and this timer's own
                // events wait until its slot has returned.
                QMetaObject::invokeMethod(form->findChild<QAction *>(QStringLiteral("MergeAct")), &QAction::trigger,
                                          Qt::QueuedConnection);
            }
            break;
        case Stage::Merging:
            break; // the question at the end of the merge moves on
        case Stage::Closing:
            break;
        }
    }

    // The question or message box on screen, if any (owned by whichever window
    // raised it).
    static QMessageBox *visibleMessageBox()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible())
                return box;
        }
        return nullptr;
    }

    void answer(QMessageBox &box)
    {
        log(QStringLiteral("box: ") + box.text());
        if (stage == Stage::Merging) {
            // The question whether to open the result, or a failure: either
            // way the merge is over and the window is closed next.
            if (box.text().contains(QStringLiteral("open"), Qt::CaseInsensitive))
                log(QStringLiteral("merged"));
            stage = Stage::Closing;
            if (!press(box, QMessageBox::No))
                press(box, QMessageBox::Ok);
            QTimer::singleShot(300, form, &QWidget::close);
            return;
        }
        // "Are you sure to exit?" while closing; anything else is logged and declined.
        if (!press(box, stage == Stage::Closing ? QMessageBox::Yes : QMessageBox::No))
            press(box, QMessageBox::Ok);
    }

    QWidget *form = nullptr;
    QTimer clock;
    QElapsedTimer deadline;
    Stage stage = Stage::Listing;
    int expectedRows = 0;
};

void WatchForTheMainWindow()
{
    qApp->installEventFilter(new MergingUser);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForTheMainWindow)
