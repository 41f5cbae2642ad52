#pragma once
// Builders the windows share for their parts. Every part carries its component
// name as its objectName, so tests find it with findChild.

#include <QPoint>
#include <QString>

class QLabel;
class QWidget;
class TssSkinButton;
class TssSkinForm;

// The skinned background of `form` from the picture of that name, at its
// design size and, for screens with more pixels, its sharper copy.
TssSkinForm *SkinForm(QWidget *form, const QString &picture);

// A skinned button drawn from `strip` (frames: normal, hover, pressed,
// disabled), its fuchsia corners cut away, with `caption` over its faces
// where the artwork leaves room for it. A button bound to an action later
// shows the action's text instead.
TssSkinButton *SkinButton(QWidget *parent, const char *name, const QString &strip, QPoint place, int frames = 4,
                          const QString &caption = QString());

// A label sized to its text.
QLabel *Label(QWidget *parent, const char *name, const QString &text, QPoint place, const QString &style);

// Places a dialog centred on the window that owns it (left alone without one).
void CentreOnOwner(QWidget *dialog);
