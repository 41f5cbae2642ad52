#include "ApplicationLook.h"

#include "SkinArtwork.h"
#include "SkinPalette.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {

// Fusion, with the skin's own icons for questions, information, warnings and
// errors (in every box, Qt's own too) and without the dated pictures on the
// buttons of message boxes and dialogs.
class SkinStyle : public QProxyStyle
{
public:
    SkinStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        const QString picture = BoxIconPicture(icon);
        if (picture.isEmpty())
            return QProxyStyle::standardIcon(icon, option, widget);
        QIcon skinIcon;
        skinIcon.addPixmap(QPixmap::fromImage(SkinArtwork::Picture(picture)));
        skinIcon.addPixmap(QPixmap::fromImage(SkinArtwork::SharpPicture(picture)));
        return skinIcon;
    }

private:
    static QString BoxIconPicture(StandardPixmap icon)
    {
        switch (icon) {
        case SP_MessageBoxQuestion:
            return QStringLiteral("icon_question.png");
        case SP_MessageBoxInformation:
            return QStringLiteral("icon_information.png");
        case SP_MessageBoxWarning:
            return QStringLiteral("icon_warning.png");
        case SP_MessageBoxCritical:
            return QStringLiteral("icon_error.png");
        default:
            return QString();
        }
    }
};

QPalette SkinColours()
{
    using namespace SkinPalette;
    QPalette palette(Card, Body);
    palette.setColor(QPalette::Window, Body);
    palette.setColor(QPalette::WindowText, Text);
    palette.setColor(QPalette::Base, Card);
    palette.setColor(QPalette::AlternateBase, Toolbar);
    palette.setColor(QPalette::Text, Text);
    palette.setColor(QPalette::Button, Card);
    palette.setColor(QPalette::ButtonText, Text);
    palette.setColor(QPalette::Highlight, Accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, TitleBand);
    palette.setColor(QPalette::ToolTipText, Qt::white);
    palette.setColor(QPalette::Link, Accent);
    palette.setColor(QPalette::LinkVisited, AccentPressed);
    palette.setColor(QPalette::PlaceholderText, MutedText);
    palette.setColor(QPalette::Light, Card);
    palette.setColor(QPalette::Midlight, Toolbar);
    palette.setColor(QPalette::Mid, ButtonEdge);
    palette.setColor(QPalette::Dark, Outline);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, DisabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, DisabledFill);
    palette.setColor(QPalette::Disabled, QPalette::Button, DisabledFill);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, AccentDisabled);
    return palette;
}

// The faces of the skin's dialog buttons for Qt's own push buttons; the one
// Enter presses wears the accent, as the skinned OK does.
QString SkinStyleSheet()
{
    using namespace SkinPalette;
    return QStringLiteral(
               "QPushButton { background: %1; color: %2; border: 1px solid %3; border-radius: 5px;"
               " padding: 5px 16px; min-width: 64px; }"
               "QPushButton:hover { background: %4; border-color: %5; color: %6; }"
               "QPushButton:pressed { background: %7; border-color: %6; }"
               "QPushButton:default { background: %5; border-color: %5; color: white; font-weight: bold; }"
               "QPushButton:default:hover { background: %8; border-color: %8; }"
               "QPushButton:default:pressed { background: %6; border-color: %6; }"
               "QPushButton:focus { border: 2px solid %6; padding: 4px 15px; }"
               "QPushButton:disabled { background: %9; border-color: %10; color: %11; }"
               "QToolTip { background: %12; color: white; border: 1px solid %13; padding: 4px; }"
               "QMenu { background: %1; color: %2; border: 1px solid %3; padding: 4px; }"
               "QMenu::item { padding: 5px 28px 5px 14px; border-radius: 4px; }"
               "QMenu::item:selected { background: %4; color: %6; }"
               "QMenu::item:disabled { color: %11; }"
               "QMenu::separator { height: 1px; background: %14; margin: 4px 8px; }")
        .arg(Card.name(), Text.name(), ButtonEdge.name(), AccentWash.name(), Accent.name(), AccentPressed.name(),
             AccentWashPressed.name(), AccentHover.name(), DisabledFill.name())
        .arg(DisabledBorder.name(), DisabledText.name(), TitleBand.name(), TitleLine.name(), Border.name());
}

} // namespace

void ApplyApplicationLook(QApplication &application)
{
    application.setStyle(new SkinStyle);
    application.setPalette(SkinColours());
    application.setStyleSheet(SkinStyleSheet());
}
