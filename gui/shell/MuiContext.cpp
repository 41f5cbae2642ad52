#include "MuiContext.h"

#include <QCoreApplication>
#include <QVariant>

namespace {

// The context's address rides on the application object, where every window can reach it.
constexpr const char *ContextProperty = "quellanMuiContext";

void StoreCurrentContext(MuiContext *context)
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->setProperty(ContextProperty, QVariant::fromValue(static_cast<void *>(context)));
}

} // namespace

MuiContext MakeMuiContext(const QString &programPath, const QString &title)
{
    MuiContext context;
    context.ProgramFolder = programPath.left(programPath.lastIndexOf(QLatin1Char('/')) + 1);
    context.ApplicationFolder = context.ProgramFolder + QStringLiteral("sys/soft/") + title + QLatin1Char('/');
    context.CompanyName = QStringLiteral("Quellan Studio");
    context.ProductTitle = title;
    return context;
}

MuiContext *CurrentMuiContext()
{
    const QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return nullptr;
    return static_cast<MuiContext *>(application->property(ContextProperty).value<void *>());
}

MuiContextPublication::MuiContextPublication(MuiContext *context)
    : Previous(CurrentMuiContext())
{
    StoreCurrentContext(context);
}

MuiContextPublication::~MuiContextPublication()
{
    StoreCurrentContext(Previous);
}
