#include "FormParts.h"

#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"

#include <QLabel>

TssSkinForm *SkinForm(QWidget *form, const QString &picture)
{
    auto *skin = new TssSkinForm(form);
    skin->setObjectName(QStringLiteral("ssSkinForm1"));
    skin->SetPicture(SkinArtwork::Picture(picture), SkinArtwork::SharpPicture(picture));
    return skin;
}

TssSkinButton *SkinButton(QWidget *parent, const char *name, const QString &strip, int frames, const QString &caption)
{
    auto *button = new TssSkinButton(parent);
    button->setObjectName(QLatin1String(name));
    button->SetDivNum(frames);
    button->SetSkin(SkinArtwork::Picture(strip), SkinArtwork::SharpPicture(strip));
    button->SetCaptionLook(SkinArtwork::CaptionLook(strip));
    button->SetCaption(caption);
    button->SetMask(true);
    return button;
}

QLabel *Label(QWidget *parent, const char *name, const QString &text, const QString &style)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(style);
    // The style's font decides the label's size, which layouts ask for at once.
    label->ensurePolished();
    return label;
}

void CentreOnOwner(QWidget *dialog)
{
    const QWidget *owner = dialog->parentWidget();
    if (!owner)
        return;
    const QWidget *ownerWindow = owner->window();
    dialog->move(ownerWindow->geometry().center() - dialog->rect().center());
}
