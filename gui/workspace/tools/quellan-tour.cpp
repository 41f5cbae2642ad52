// Walks through the application in its real windows over the real engine and
// photographs every window and box it meets:
//
//     quellan-tour [--short] [--longer] [--prefix TEXT] OUTDIR FILE1 FILE2 FILE3
//
// The whole tour (the default) makes a first merge (merge-1-files.png to
// merge-5-done.png, the pictures of the README), then shows the file dialog,
// the measuring dialog, the method dialog with an alternating merge, both tabs
// of the options, the About window, the help menu, and each question and
// message box (window-*.png, box-*.png). --short shows only the main window,
// the method dialog, the options, the About window, a merge stopped part-way,
// the measuring dialog stopped part-way and the question before closing,
// which is what the screenshot script photographs in each language and at
// 1.5x and 2x scale; --longer makes every text half as long again (how the
// windows take a longer language); --prefix goes in front of every file name.
//
// It runs in the desktop's language (LANGUAGE, LC_ALL, LANG) with the
// application's look, exactly as Korvel runs the windows. The screenshot
// script runs it under its private X server with a temporary home folder,
// because the merge writes into the default output folder; the merged file's
// page count is printed and the file removed at the end.
#include "AddFileForm_Unit1.h"
#include "ApplicationLook.h"
#include "ApplicationTitle.h"
#include "Aboutform_unit1.h"
#include "ConvertForm_Unit1.h"
#include "ConvertThread.h"
#include "MergerForm_Unit1.h"
#include "MethodForm_Unit1.h"
#include "MuiContext.h"
#include "OptionsForm_Unit1.h"
#include "SSButton.h"
#include "Translations.h"
#include "colligo.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

// One step of the tour: it waits until `window` gives a window, photographs
// it (once it has settled) when `shot` names a file, and does `act`.
struct Step
{
    QString what;
    std::function<QWidget *()> window;
    QString shot;
    std::function<void(QWidget *)> act;
};

// Enough for the last paint to reach the X server before a photograph.
constexpr int SettleTicks = 8;
constexpr int TickMs = 40;
constexpr int TimeoutMs = 90000;

template<typename Form>
Form *ModalWindow()
{
    auto *window = qobject_cast<Form *>(QApplication::activeModalWidget());
    return window && window->isVisible() ? window : nullptr;
}

// The message box on top, when its text starts with `text`.
std::function<QWidget *()> BoxSaying(const QString &text)
{
    return [text]() -> QWidget * {
        auto *box = ModalWindow<QMessageBox>();
        return box && box->text().startsWith(text) ? box : nullptr;
    };
}

void Answer(QWidget *box, QMessageBox::StandardButton button)
{
    static_cast<QMessageBox *>(box)->button(button)->click();
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

template<typename Child>
Child *Find(QWidget *window, const char *name)
{
    return window->findChild<Child *>(QLatin1String(name));
}

// Commands that open a modal window run after the step has returned, so the
// tour's timer keeps ticking inside the window's own event loop (a timer does
// not fire again while its own handler runs).
void Later(std::function<void()> work)
{
    QTimer::singleShot(0, qApp, std::move(work));
}

// A window as the X server shows it. With a `popup` the screen over both is
// photographed instead, so the menu opened from the window is in the picture.
bool Photograph(QWidget *window, const QString &file, const QWidget *popup)
{
    QScreen *screen = window->screen();
    const QRect area = popup ? window->frameGeometry().united(popup->frameGeometry()) : QRect();
    const QPixmap shot = popup ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                               : screen->grabWindow(window->winId());
    return !shot.isNull() && shot.save(file, "PNG");
}

struct Tour
{
    TMergerForm &form;
    QStringList files;
    QString prefix;
    QString outputPath;
    QWidget *popup = nullptr; // a menu the next photograph includes

    QWidget *MainWindow() const { return form.isVisible() && !QApplication::activeModalWidget() ? &form : nullptr; }
    QAction *Action(const char *name) const { return form.findChild<QAction *>(QLatin1String(name)); }
    QTableView *List() const { return form.findChild<QTableView *>(QStringLiteral("TntLV")); }
    std::function<QWidget *()> Main() const
    {
        return [this] { return MainWindow(); };
    }
    std::function<QWidget *()> MainWithRows(int rows) const
    {
        return [this, rows]() -> QWidget * { return List()->model()->rowCount() == rows ? MainWindow() : nullptr; };
    }
    void Trigger(const char *action) const
    {
        QAction *command = Action(action);
        Later([command] { command->trigger(); });
    }
    QString Shot(const char *name) const { return prefix + QLatin1String(name); }

    // The first merge of the README.
    std::vector<Step> FirstMerge()
    {
        return {
            {"the empty main window", Main(), Shot("window-main-empty.png"), [this](QWidget *) { Trigger("AddFileAct"); }},
            {"the file dialog", ModalWindow<QFileDialog>, {},
             [this](QWidget *window) {
                 auto *dialog = static_cast<QFileDialog *>(window);
                 dialog->setDirectory(QFileInfo(files.first()).absolutePath());
                 QStringList names;
                 for (const QString &file : files)
                     names.append(u'"' + QFileInfo(file).fileName() + u'"');
                 Find<QLineEdit>(dialog, "fileNameEdit")->setText(names.join(u' '));
             }},
            {"the file dialog with the files", ModalWindow<QFileDialog>, Shot("window-file-dialog.png"),
             [](QWidget *dialog) { QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection); }},
            {"the listed files", MainWithRows(files.size()), {}, [this](QWidget *) { List()->selectRow(0); }},
            {"the selected first row", Main(), Shot("merge-1-files.png"), [this](QWidget *) { Trigger("MethodAct"); }},
            {"the method dialog", ModalWindow<TMethodForm>, {},
             [](QWidget *dialog) {
                 Find<QRadioButton>(dialog, "rbPart")->click();
                 Find<QLineEdit>(dialog, "edtPages")->setText(QStringLiteral("1,3-6"));
             }},
            {"the method dialog with its pages", ModalWindow<TMethodForm>, Shot("merge-2-method.png"),
             [](QWidget *dialog) { Click(Find<TssCustomButton>(dialog, "SBtnOk")); }},
            {"the main window after the method", Main(), Shot("merge-3-ready.png"),
             [this](QWidget *) {
                 outputPath = QDir::fromNativeSeparators(Find<QLineEdit>(&form, "edtOutputFolder")->text()) + u'/'
                              + form.BuildOutputName();
                 Trigger("MergeAct");
             }},
            // Held part-way with the worker's own pause (the one the stop
            // question uses), so the bar stands still for its photograph.
            {"the merge part-way",
             []() -> QWidget * {
                 auto *progress = ModalWindow<TConvertForm>();
                 return progress && progress->ShownPercent() >= 40 ? progress : nullptr;
             },
             {}, [](QWidget *progress) { static_cast<TConvertForm *>(progress)->Thread->Paused = true; }},
            {"the progress dialog", ModalWindow<TConvertForm>, Shot("merge-4-progress.png"),
             [](QWidget *progress) {
                 auto *dialog = static_cast<TConvertForm *>(progress);
                 dialog->Thread->Paused = false;
                 Later([dialog] { Click(dialog->btnStop); });
             }},
            {"the stop question", BoxSaying(TConvertForm::tr("Are you sure to cancel merging?")), Shot("box-stop-merging.png"),
             [](QWidget *box) { Answer(box, QMessageBox::No); }},
            {"the question after the merge", BoxSaying(TConvertForm::tr("Merge successfully.Open output pdf file?")),
             Shot("merge-5-done.png"), [](QWidget *box) { Answer(box, QMessageBox::No); }},
        };
    }

    // The other windows: the method dialog of an alternating merge, the
    // options, the About window and the help menu.
    std::vector<Step> OtherWindows(bool whole)
    {
        std::vector<Step> steps = {
            {"the main window before the method", Main(), whole ? QString() : Shot("window-main.png"),
             [this](QWidget *) {
                 List()->selectRow(1);
                 Trigger("MethodAct");
             }},
            {"the method dialog", ModalWindow<TMethodForm>, {},
             [](QWidget *dialog) {
                 Find<QCheckBox>(dialog, "cbAlternate")->setChecked(true);
                 Find<QLineEdit>(dialog, "maskEditPage")->setText(QStringLiteral("2"));
             }},
            {"the method dialog of an alternating merge", ModalWindow<TMethodForm>, Shot("window-method-alternate.png"),
             [](QWidget *dialog) { Click(Find<TssCustomButton>(dialog, "SBtnCancel")); }},
            {"the main window before the options", Main(), {}, [this](QWidget *) { Trigger("OptionsAct"); }},
            {"the options", ModalWindow<TOptionsForm>, {},
             [](QWidget *dialog) {
                 Find<QComboBox>(dialog, "TntComboBox1")->setEditText(QStringLiteral("R Manuals"));
                 Find<QComboBox>(dialog, "TntComboBox3")->setEditText(QStringLiteral("R Core Team"));
             }},
            {"the options' properties", ModalWindow<TOptionsForm>, Shot("window-options-properties.png"),
             [](QWidget *dialog) { Click(Find<TssCustomButton>(dialog, "btnOther")); }},
            {"the options' other tab", ModalWindow<TOptionsForm>, Shot("window-options-other.png"),
             [](QWidget *dialog) { Click(Find<TssCustomButton>(dialog, "ssSkinButton2")); }},
            {"the main window before About", Main(), {}, [this](QWidget *) { Trigger("AboutAct"); }},
            {"the About window", ModalWindow<TAboutForm>, Shot("window-about.png"),
             [](QWidget *about) { Click(Find<TssCustomButton>(about, "ssSkinButton1")); }},
        };
        if (!whole)
            return steps;
        steps.push_back({"the main window before the help menu", Main(), {}, [this](QWidget *) {
                             Click(Find<TssCustomButton>(&form, "btnHelp"));
                             popup = Find<QMenu>(&form, "popMenuHelp");
                         }});
        steps.push_back({"the help menu",
                         [this]() -> QWidget * {
                             auto *menu = Find<QMenu>(&form, "popMenuHelp");
                             return menu->isVisible() ? &form : nullptr;
                         },
                         Shot("window-help-menu.png"), [this](QWidget *) {
                             Find<QMenu>(&form, "popMenuHelp")->close();
                             popup = nullptr;
                         }});
        return steps;
    }

    // Each question and message box, raised by the commands that raise them.
    std::vector<Step> Boxes()
    {
        return {
            // Merging again into the same file.
            {"the main window before merging again", Main(), {}, [this](QWidget *) { Trigger("MergeAct"); }},
            {"the question to replace", BoxSaying(TMergerForm::tr("The PDF file already exists,replace it?")),
             Shot("box-replace.png"), [](QWidget *box) { Answer(box, QMessageBox::No); }},
            // A listed file that has gone away.
            {"the main window before a failing merge", Main(), {},
             [this](QWidget *) {
                 QFile::rename(files[2], files[2] + QStringLiteral(".away"));
                 Trigger("MergeAct");
             }},
            {"the question to replace before failing", BoxSaying(TMergerForm::tr("The PDF file already exists,replace it?")),
             {}, [](QWidget *box) { Answer(box, QMessageBox::Yes); }},
            {"the failure", BoxSaying(ConvertThread::tr("Merge Failed")), Shot("box-merge-failed.png"),
             [this](QWidget *box) {
                 QFile::rename(files[2] + QStringLiteral(".away"), files[2]);
                 Answer(box, QMessageBox::Ok);
             }},
            // Too few files.
            {"the main window before too few files", Main(), {},
             [this](QWidget *) {
                 Action("ClearAct")->trigger();
                 Later([this] { form.AddPaths({files[0]}); });
             }},
            {"the one listed file", MainWithRows(1), {}, [this](QWidget *) { Trigger("MergeAct"); }},
            {"the request for more files", BoxSaying(TMergerForm::tr("Please add more than one file to merge")),
             Shot("box-too-few.png"), [](QWidget *box) { Answer(box, QMessageBox::Ok); }},
        };
    }

    // Measuring a long batch (each opening takes milliseconds), then stopping it.
    std::vector<Step> StoppedMeasuring()
    {
        return {
            {"the main window before adding", Main(), {},
             [this](QWidget *) {
                 QStringList many;
                 for (int copy = 0; copy < 400; ++copy)
                     many.append(files[1]);
                 Later([this, many] { form.AddPaths(many); });
             }},
            {"the measuring dialog", ModalWindow<TAddFileForm>, Shot("window-add-files.png"),
             [](QWidget *dialog) {
                 auto *stop = Find<TssCustomButton>(dialog, "btnCancle");
                 Later([stop] { Click(stop); });
             }},
            {"the question to stop adding", BoxSaying(TAddFileForm::tr("Are you sure to stop adding files.")),
             Shot("box-stop-adding.png"), [](QWidget *box) { Answer(box, QMessageBox::Yes); }},
        };
    }

    // A merge held part-way for its photograph, then stopped.
    std::vector<Step> StoppedMerge()
    {
        return {
            {"the main window before merging", Main(), {}, [this](QWidget *) { Trigger("MergeAct"); }},
            {"the merge part-way",
             []() -> QWidget * {
                 auto *progress = ModalWindow<TConvertForm>();
                 return progress && progress->ShownPercent() >= 30 ? progress : nullptr;
             },
             {}, [](QWidget *progress) { static_cast<TConvertForm *>(progress)->Thread->Paused = true; }},
            {"the progress dialog", ModalWindow<TConvertForm>, Shot("window-progress.png"),
             [](QWidget *progress) {
                 auto *dialog = static_cast<TConvertForm *>(progress);
                 dialog->Thread->Paused = false;
                 Later([dialog] { Click(dialog->btnStop); });
             }},
            {"the stop question", BoxSaying(TConvertForm::tr("Are you sure to cancel merging?")),
             Shot("box-stop-merging.png"), [](QWidget *box) { Answer(box, QMessageBox::Yes); }},
        };
    }

    // Closing asks first while files are listed; Yes ends the tour.
    std::vector<Step> Closing()
    {
        return {
            {"the main window before closing", Main(), {},
             [this](QWidget *) { Later([this] { Click(Find<TssCustomButton>(&form, "btnClose")); }); }},
            {"the question to exit", BoxSaying(TMergerForm::tr("Are you sure to exit?")), Shot("box-exit.png"),
             [](QWidget *box) { Answer(box, QMessageBox::Yes); }},
        };
    }
};

void Append(std::vector<Step> &steps, std::vector<Step> more)
{
    for (Step &step : more)
        steps.push_back(std::move(step));
}

// What the command line asks for.
struct Arguments
{
    bool whole = true;
    bool longer = false;
    QString prefix;
    QDir outdir;
    QStringList files;
};

bool ReadArguments(QStringList arguments, Arguments &read)
{
    read.whole = !arguments.removeOne(QStringLiteral("--short"));
    read.longer = arguments.removeOne(QStringLiteral("--longer"));
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--prefix")); at >= 0 && at + 1 < arguments.size()) {
        read.prefix = arguments[at + 1];
        arguments.remove(at, 2);
    }
    if (arguments.size() != 4)
        return false;
    read.outdir = QDir(arguments.takeFirst());
    for (const QString &file : arguments)
        read.files.append(QFileInfo(file).absoluteFilePath());
    return true;
}

// As Korvel runs the windows: the build tree's application folder (it holds
// the progress bar's fill).
MuiContext TourContext()
{
    MuiContext context = MakeMuiContext(QStringLiteral(QUELLAN_PROGRAM), QStringLiteral(QUELLAN_PRODUCT_TITLE));
    context.Version = QStringLiteral(QUELLAN_VERSION);
    context.HomePageLink = QStringLiteral("https://www.quellan-studio.com");
    context.SupportLink = context.HomePageLink + QStringLiteral("/support.html");
    context.NoticeText = QStringLiteral("Copyright (C) Quellan Studio. All rights reserved.");
    return context;
}

// The whole tour, or the short one that lists the files itself.
std::vector<Step> TourSteps(Tour &tour, bool whole)
{
    std::vector<Step> steps;
    if (whole) {
        Append(steps, tour.FirstMerge());
        Append(steps, tour.OtherWindows(true));
        Append(steps, tour.Boxes());
        Append(steps, tour.StoppedMeasuring());
    } else {
        steps.push_back({"the main window", [&tour] { return tour.MainWindow(); }, {},
                         [&tour](QWidget *) { Later([&tour] { tour.form.AddPaths(tour.files); }); }});
        steps.push_back({"the listed files", tour.MainWithRows(tour.files.size()), {},
                         [&tour](QWidget *) { tour.List()->selectRow(0); }});
        Append(steps, tour.OtherWindows(false));
        Append(steps, tour.StoppedMerge());
        Append(steps, tour.StoppedMeasuring()); // last: it may list many more rows
    }
    Append(steps, tour.Closing());
    return steps;
}

// Goes through the steps one tick at a time: each waits for its window,
// which is photographed once it has settled, then acts on it.
class Walk
{
public:
    Walk(std::vector<Step> steps, const QDir &outdir, const Tour &tour)
        : steps(std::move(steps)), outdir(outdir), tour(tour)
    {
        clock.start();
    }

    void Tick()
    {
        if (current >= steps.size())
            return;
        const Step &step = steps[current];
        if (clock.elapsed() > TimeoutMs) {
            std::fprintf(stderr, "quellan-tour: gave up waiting for %s\n", qPrintable(step.what));
            failed = true;
            current = steps.size();
            QApplication::exit(1);
            return;
        }
        QWidget *window = step.window();
        settled = window ? settled + 1 : 0;
        // Only photographs wait; a merge runs on meanwhile.
        if (settled < (step.shot.isEmpty() ? 1 : SettleTicks))
            return;
        settled = 0;
        ++current;
        clock.restart();
        if (!step.shot.isEmpty())
            Shoot(window, step);
        step.act(window);
    }

    // True when every step ran and every photograph was taken.
    bool Finished()
    {
        if (current < steps.size()) {
            std::fprintf(stderr, "quellan-tour: ended before %s\n", qPrintable(steps[current].what));
            failed = true;
        }
        return !failed;
    }

    bool Failed() const { return failed; }

private:
    void Shoot(QWidget *window, const Step &step)
    {
        const QString file = outdir.filePath(step.shot);
        if (!Photograph(window, file, tour.popup)) {
            std::fprintf(stderr, "quellan-tour: cannot photograph %s\n", qPrintable(step.what));
            failed = true;
            return;
        }
        std::printf("%s\n", QDir::toNativeSeparators(file).toLocal8Bit().constData());
        std::fflush(stdout);
    }

    std::vector<Step> steps;
    const QDir outdir;
    const Tour &tour;
    std::size_t current = 0;
    int settled = 0;
    bool failed = false;
    QElapsedTimer clock;
};

// Proof that the engine really merged: the output's pages. The file goes.
bool CheckMergedFile(const QString &path)
{
    if (path.isEmpty())
        return true;
    const QByteArray name = QFile::encodeName(path);
    const DocumentHandle merged = OpenPDF(name.constData(), nullptr);
    const bool read = merged > 0;
    if (read) {
        std::printf("merged %d pages into %s\n", GetPageCount(merged), name.constData());
        ClosePDF(merged);
    } else {
        std::fprintf(stderr, "quellan-tour: the merge left no readable %s\n", name.constData());
    }
    QFile::remove(path);
    return read;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Arguments arguments;
    if (!ReadArguments(application.arguments().mid(1), arguments)) {
        std::fprintf(stderr, "usage: quellan-tour [--short] [--longer] [--prefix TEXT] OUTDIR FILE1 FILE2 FILE3\n");
        return 2;
    }
    MuiContext context = TourContext();
    MuiContextPublication publication(&context);
    SetApplicationTitle(context.ProductTitle);
    ApplyApplicationLook(application);
    ApplicationTranslations translations(QLocale::system()); // the desktop's language
    std::optional<LongerTexts> longer;
    if (arguments.longer)
        longer.emplace();

    TMergerForm form;
    MergerForm = &form;
    Tour tour{form, arguments.files, arguments.prefix, QString(), nullptr};
    Walk walk(TourSteps(tour, arguments.whole), arguments.outdir, tour);
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&walk] { walk.Tick(); });
    ticker.start(TickMs);
    QObject::connect(&form, &TMergerForm::closed, &application, [&] { application.exit(walk.Failed() ? 1 : 0); });
    form.show();
    const int result = application.exec();
    ticker.stop();
    const bool walked = walk.Finished();
    const bool merged = CheckMergedFile(tour.outputPath);
    MergerForm = nullptr;
    return walked && merged && result == 0 ? 0 : 1;
}
