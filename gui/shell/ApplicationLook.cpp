#include "ApplicationLook.h"

#include "SkinArtwork.h"
#include "SkinPalette.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

#include <utility>

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
    const std::pair<QPalette::ColorRole, QColor> everyState[] = {
        {QPalette::Window, Body},          {QPalette::WindowText, Text},        {QPalette::Base, Card},
        {QPalette::AlternateBase, Toolbar}, {QPalette::Text, Text},             {QPalette::Button, Card},
        {QPalette::ButtonText, Text},      {QPalette::Highlight, Accent},       {QPalette::HighlightedText, Qt::white},
        {QPalette::ToolTipBase, TitleBand}, {QPalette::ToolTipText, Qt::white}, {QPalette::Link, Accent},
        {QPalette::LinkVisited, AccentPressed}, {QPalette::PlaceholderText, MutedText}, {QPalette::Light, Card},
        {QPalette::Midlight, Toolbar},     {QPalette::Mid, ButtonEdge},         {QPalette::Dark, Outline},
    };
    const std::pair<QPalette::ColorRole, QColor> disabled[] = {
        {QPalette::WindowText, DisabledText}, {QPalette::Text, DisabledText},   {QPalette::ButtonText, DisabledText},
        {QPalette::Base, DisabledFill},       {QPalette::Button, DisabledFill}, {QPalette::Highlight, AccentDisabled},
    };
    QPalette palette(Card, Body);
    for (const auto &[role, colour] : everyState)
        palette.setColor(role, colour);
    for (const auto &[role, colour] : disabled)
        palette.setColor(QPalette::Disabled, role, colour);
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
