#include "MessageBox.h"

#include "ApplicationTitle.h"

#include <utility>

namespace {

MessageBoxResponder &Responder()
{
    static MessageBoxResponder responder;
    return responder;
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
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (Responder())
        return Responder()(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
