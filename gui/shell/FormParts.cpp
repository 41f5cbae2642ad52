#include "FormParts.h"

#include "SSButton.h"
#include "SkinArtwork.h"

#include <QLabel>

TssSkinButton *SkinButton(QWidget *parent, const char *name, const QString &strip, QPoint place, int frames)
{
    auto *button = new TssSkinButton(parent);
    button->setObjectName(QLatin1String(name));
    button->SetDivNum(frames);
    button->SetSkin(SkinArtwork::Picture(strip));
    button->SetMask(true);
    button->move(place);
    return button;
}

QLabel *Label(QWidget *parent, const char *name, const QString &text, QPoint place, const QString &style)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(style);
    label->move(place);
    label->adjustSize();
    return label;
}
