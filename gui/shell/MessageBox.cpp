#include "MessageBox.h"

#include "ApplicationTitle.h"
#include "SkinArtwork.h"

#include <QApplication>

#include <utility>

namespace {

constexpr const char *IconProperty = "quellanIcon";
constexpr int IconSize = 40;

MessageBoxResponder &Responder()
{
    static MessageBoxResponder responder;
    return responder;
}

QString IconPicture(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Question:
        return QStringLiteral("icon_question.png");
    case QMessageBox::Information:
        return QStringLiteral("icon_information.png");
    case QMessageBox::Warning:
        return QStringLiteral("icon_warning.png");
    case QMessageBox::Critical:
        return QStringLiteral("icon_error.png");
    default:
        return QString();
    }
}

void SetSkinIcon(QMessageBox &box, QMessageBox::Icon icon, QWidget *owner)
{
    box.setProperty(IconProperty, static_cast<int>(icon));
    const QString picture = IconPicture(icon);
    if (picture.isEmpty())
        return;
    const qreal ratio = owner ? owner->devicePixelRatioF() : qApp->devicePixelRatio();
    const QPixmap pixmap = SkinArtwork::Icon(picture, QSize(IconSize, IconSize), ratio);
    if (!pixmap.isNull())
        box.setIconPixmap(pixmap);
}

} // namespace

void SetMessageBoxResponder(MessageBoxResponder responder)
{
    Responder() = std::move(responder);
}

QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &text, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton, const QString &detail)
{
    return ShowMessageBox(owner, ApplicationTitle(), text, icon, buttons, defaultButton, detail);
}

QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &caption, const QString &text,
                                           QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton, const QString &detail)
{
    QMessageBox box(icon, caption, text, buttons, owner);
    box.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    SetSkinIcon(box, icon, owner);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (Responder())
        return Responder()(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::Icon MessageBoxIcon(const QMessageBox &box)
{
    const QVariant icon = box.property(IconProperty);
    return icon.isValid() ? static_cast<QMessageBox::Icon>(icon.toInt()) : box.icon();
}
