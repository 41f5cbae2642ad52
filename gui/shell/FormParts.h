#pragma once
// Builders the windows share for their parts. Every part carries its component
// name as its objectName, so tests find it with findChild.

#include <QPoint>
#include <QString>

class QLabel;
class QWidget;
class TssSkinButton;

// A skinned button drawn from `strip` (frames: normal, hover, pressed,
// disabled), its fuchsia corners cut away.
TssSkinButton *SkinButton(QWidget *parent, const char *name, const QString &strip, QPoint place, int frames = 4);

// A label sized to its text.
QLabel *Label(QWidget *parent, const char *name, const QString &text, QPoint place, const QString &style);
