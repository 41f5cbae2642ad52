#pragma once
// Builders the windows share for their parts. Every part carries its component
// name as its objectName, so tests find it with findChild.

#include <QSize>
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
// shows the action's text instead. A layout places it at the size of one frame.
TssSkinButton *SkinButton(QWidget *parent, const char *name, const QString &strip, int frames = 4,
                          const QString &caption = QString());

// A see-through panel over a card of a window's picture: at least the card's
// size, more when what its layout holds needs more (a longer caption in
// another language), so that the window grows around it.
QWidget *CardPanel(QWidget *parent, const char *name, QSize card);

// A label in the given style, for a layout to place.
QLabel *Label(QWidget *parent, const char *name, const QString &text, const QString &style);

// Places a dialog centred on the window that owns it (left alone without one).
void CentreOnOwner(QWidget *dialog);
