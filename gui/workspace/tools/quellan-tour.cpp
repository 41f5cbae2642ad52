// Walks through a first merge in the real windows and photographs each one:
// `quellan-tour OUTDIR FILE...`. The main window lists the files, the first
// row gets the pages "1,3-6" in the method dialog, Merge runs the real engine
// (the progress dialog is photographed part-way), and the question at the end
// is answered No. The screenshot script runs it under its private X server,
// with a temporary home folder, because the merge writes into the default
// output folder (Documents/<company>/<product>); the merged file's page count
// is printed and the file removed at the end.
#include "ConvertForm_Unit1.h"
#include "ConvertThread.h"
#include "MergerForm_Unit1.h"
#include "MethodForm_Unit1.h"
#include "MuiContext.h"
#include "SSButton.h"
#include "colligo.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// One step of the tour: it waits until `window` gives a window, photographs
// it (once it has settled) when `shot` names a file, and does `act`.
struct Step
{
    const char *what;
    std::function<QWidget *()> window;
    const char *shot;
    std::function<void(QWidget *)> act;
};

// Enough for the last paint to reach the X server before a photograph.
constexpr int SettleTicks = 8;
constexpr int TickMs = 40;
constexpr int TimeoutMs = 60000;

template<typename Form>
Form *ModalWindow()
{
    auto *window = qobject_cast<Form *>(QApplication::activeModalWidget());
    return window && window->isVisible() ? window : nullptr;
}

// The user's left click in the middle of a skinned button.
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

// Commands that open a modal window run after the step has returned, so the
// tour's timer keeps ticking inside the window's own event loop.
void Later(std::function<void()> work)
{
    QTimer::singleShot(0, qApp, std::move(work));
}

bool Photograph(QWidget *window, const QString &file)
{
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    return !shot.isNull() && shot.save(file, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: quellan-tour OUTDIR FILE...\n");
        return 2;
    }
    const QDir outdir(QString::fromLocal8Bit(argv[1]));
    QStringList files;
    for (int i = 2; i < argc; ++i)
        files.append(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());

    // The build tree's application folder holds the progress bar's fill.
    MuiContext context = MakeMuiContext(QStringLiteral(QUELLAN_PROGRAM), QStringLiteral(QUELLAN_PRODUCT_TITLE));
    MuiContextPublication publication(&context);

    TMergerForm form;
    MergerForm = &form;
    auto *list = form.findChild<QTableWidget *>(QStringLiteral("TntLV"));
    auto *mergeAct = form.findChild<QAction *>(QStringLiteral("MergeAct"));
    auto *methodAct = form.findChild<QAction *>(QStringLiteral("MethodAct"));
    const auto mainWindow = [&]() -> QWidget * {
        return form.isVisible() && !QApplication::activeModalWidget() ? &form : nullptr;
    };
    QString outputPath;

    const std::vector<Step> steps = {
        {"the main window", mainWindow, nullptr, [&](QWidget *) { Later([&] { form.AddPaths(files); }); }},
        {"the listed files",
         [&]() -> QWidget * { return list->rowCount() == files.size() ? mainWindow() : nullptr; }, nullptr,
         [&](QWidget *) { list->selectRow(0); }},
        {"the selected first row", mainWindow, "merge-1-files.png",
         [&](QWidget *) { Later([&] { methodAct->trigger(); }); }},
        {"the method dialog", ModalWindow<TMethodForm>, nullptr,
         [&](QWidget *dialog) {
             dialog->findChild<QRadioButton *>(QStringLiteral("rbPart"))->click();
             dialog->findChild<QLineEdit *>(QStringLiteral("edtPages"))->setText(QStringLiteral("1,3-6"));
         }},
        {"the method dialog with its pages", ModalWindow<TMethodForm>, "merge-2-method.png",
         [&](QWidget *dialog) { Click(dialog->findChild<TssCustomButton *>(QStringLiteral("SBtnOk"))); }},
        {"the main window after the method", mainWindow, "merge-3-ready.png",
         [&](QWidget *) {
             outputPath = QDir::fromNativeSeparators(form.findChild<QLineEdit *>(QStringLiteral("edtOutputFolder"))->text())
                          + u'/' + form.BuildOutputName();
             Later([&] { mergeAct->trigger(); });
         }},
        // Held part-way with the worker's own pause (the one the stop question
        // uses), so the bar stands still for its photograph.
        {"the merge part-way",
         [&]() -> QWidget * {
             auto *progress = ModalWindow<TConvertForm>();
             return progress && progress->ShownPercent() >= 40 ? progress : nullptr;
         },
         nullptr, [&](QWidget *progress) { static_cast<TConvertForm *>(progress)->Thread->Paused = true; }},
        {"the progress dialog", ModalWindow<TConvertForm>, "merge-4-progress.png",
         [&](QWidget *progress) { static_cast<TConvertForm *>(progress)->Thread->Paused = false; }},
        {"the question after the merge",
         [&]() -> QWidget * {
             auto *box = ModalWindow<QMessageBox>();
             return box && box->text().startsWith(QStringLiteral("Merge successfully")) ? box : nullptr;
         },
         "merge-5-done.png", [&](QWidget *box) { static_cast<QMessageBox *>(box)->button(QMessageBox::No)->click(); }},
        {"the main window after the merge", mainWindow, nullptr, [&](QWidget *) { application.exit(0); }},
    };

    std::size_t current = 0;
    int settled = 0;
    bool failed = false;
    QElapsedTimer clock;
    clock.start();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (current >= steps.size())
            return;
        const Step &step = steps[current];
        if (clock.elapsed() > TimeoutMs) {
            std::fprintf(stderr, "quellan-tour: gave up waiting for %s\n", step.what);
            failed = true;
            application.exit(1);
            current = steps.size();
            return;
        }
        QWidget *window = step.window();
        settled = window ? settled + 1 : 0;
        // Only photographs wait; the merge runs on meanwhile.
        if (settled < (step.shot ? SettleTicks : 1))
            return;
        settled = 0;
        ++current;
        if (step.shot) {
            const QString file = outdir.filePath(QString::fromLatin1(step.shot));
            if (!Photograph(window, file)) {
                std::fprintf(stderr, "quellan-tour: cannot photograph %s\n", step.what);
                failed = true;
            } else {
                std::printf("%s\n", QDir::toNativeSeparators(file).toLocal8Bit().constData());
                std::fflush(stdout);
            }
        }
        step.act(window);
    });
    ticker.start(TickMs);

    form.show();
    application.exec();
    ticker.stop();
    if (!outputPath.isEmpty()) {
        // Proof that the engine really merged: the output's pages.
        const DocumentHandle merged = OpenPDF(QFile::encodeName(outputPath).constData(), nullptr);
        if (merged > 0) {
            std::printf("merged %d pages into %s\n", GetPageCount(merged), QFile::encodeName(outputPath).constData());
            ClosePDF(merged);
        } else {
            std::fprintf(stderr, "quellan-tour: the merge left no readable %s\n", QFile::encodeName(outputPath).constData());
            failed = true;
        }
        QFile::remove(outputPath);
    }
    MergerForm = nullptr;
    return failed ? 1 : 0;
}
