#pragma once
// Every message box of the plug-in goes through ShowMessageBox: modal, owned by
// the window that raises it, captioned with the application title (its icon
// is the skin's own, from the application's style). Tests install a responder that answers the boxes instead
// of the user.

#include <QMessageBox>

#include <functional>

// Receives the fully built box and returns the button "pressed".
using MessageBoxResponder = std::function<QMessageBox::StandardButton(QMessageBox &box)>;

// Boxes go to the responder while one is set; an empty one shows them again.
void SetMessageBoxResponder(MessageBoxResponder responder);

// `detail`, when given, is shown under the text (the reason of a failure).
QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &text, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                           const QString &detail = QString());

// The same with a caption of its own instead of the application title.
QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &caption, const QString &text,
                                           QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                           const QString &detail = QString());
