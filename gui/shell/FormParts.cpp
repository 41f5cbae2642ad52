#include "FormParts.h"

#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"

#include <QLabel>

#include <algorithm>

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

namespace {

// The card's size is a least size of its own, not a fixed one: the layout
// inside may ask for more.
class TCardPanel : public QWidget
{
public:
    TCardPanel(QWidget *parent, QSize card)
        : QWidget(parent), card(card)
    {
    }
    QSize minimumSizeHint() const override { return QWidget::minimumSizeHint().expandedTo(card); }
    QSize sizeHint() const override { return QWidget::sizeHint().expandedTo(card); }
    int heightForWidth(int width) const override { return std::max(card.height(), QWidget::heightForWidth(width)); }

private:
    const QSize card;
};

} // namespace

QWidget *CardPanel(QWidget *parent, const char *name, QSize card)
{
    auto *panel = new TCardPanel(parent, card);
    panel->setObjectName(QLatin1String(name));
    panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    return panel;
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
