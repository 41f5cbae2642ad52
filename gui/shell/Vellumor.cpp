#include "Vellumor.h"

#include "ApplicationLook.h"
#include "ApplicationTitle.h"
#include "Configuration.h"
#include "MergerForm_Unit1.h"
#include "MessageBox.h"
#include "MuiContext.h"
#include "Translations.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QLocale>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

// A plug-in has no command line of its own; Qt keeps argc and argv for the
// life of the application object, so they are static.
int argumentCount = 1;
char programName[] = "Korvel";
char *arguments[] = {programName, nullptr};

// The application object for the run; one that already exists is used as it is.
class ApplicationInstance
{
public:
    ApplicationInstance()
    {
        if (!QApplication::instance())
            Owned = std::make_unique<QApplication>(argumentCount, arguments);
    }

private:
    std::unique_ptr<QApplication> Owned;
};

const QString NoticeText = QStringLiteral("Copyright (C) Quellan Studio. All rights reserved.");

void RunMainWindow(const char *title)
{
    MuiContext context = MakeMuiContext(QCoreApplication::applicationFilePath(), QString::fromUtf8(title));
    MuiContextPublication publication(&context);
    // The desktop's language, for every window of the run.
    ApplicationTranslations translations(QLocale::system());
    LoadConfiguration(context);
    context.NoticeText = NoticeText;
    SetApplicationTitle(context.ProductTitle);

    auto form = std::make_unique<TMergerForm>();
    MergerForm = form.get();
    QEventLoop loop;
    QObject::connect(form.get(), &TMergerForm::closed, &loop, &QEventLoop::quit);
    form->show();
    loop.exec();
    MergerForm = nullptr;
}

void ShowError(const QString &text)
{
    if (QApplication::instance())
        ShowMessageBox(nullptr, text, QMessageBox::Critical, QMessageBox::Ok);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

void ShowingExceptions(const std::function<void()> &work)
{
    try {
        work();
    } catch (const std::exception &error) {
        ShowError(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowError(QString());
    }
}

Plug::I_Plug *Vellumor::Create()
{
    return new Vellumor;
}

bool Vellumor::InitInstance()
{
    return true;
}

std::int32_t Vellumor::AddRef()
{
    return ++ReferenceCount;
}

void Vellumor::Release()
{
    if (--ReferenceCount == 0)
        delete this;
}

bool Vellumor::IsReady()
{
    return true;
}

bool Vellumor::Run(Plug::IconHandle icon, const char *title)
{
    ShowingExceptions([&] {
        ApplicationInstance application;
        ShowingExceptions([&] {
            if (icon)
                QApplication::setWindowIcon(QIcon(QString::fromUtf8(icon)));
            // Lets Linux desktops match the windows to the installed desktop entry.
            QGuiApplication::setDesktopFileName(QStringLiteral("quellan-pdf-merger"));
            ApplyApplicationLook(*qApp);
            RunMainWindow(title ? title : "");
        });
    });
    return true;
}
