#include "ApplicationLook.h"

#include "SSButton.h"
#include "SkinPalette.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace {

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
               "QToolTip { background: %12; color: white; border: 1px solid %13; padding: 4px; }")
        .arg(Card.name(), Text.name(), ButtonEdge.name(), AccentWash.name(), Accent.name(), AccentPressed.name(),
             AccentWashPressed.name(), AccentHover.name(), DisabledFill.name())
        .arg(DisabledBorder.name(), DisabledText.name(), TitleBand.name(), TitleLine.name());
}

} // namespace

void ApplyApplicationLook(QApplication &application)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        application.setStyle(fusion);
    application.setPalette(SkinColours());
    application.setStyleSheet(SkinStyleSheet());
    InstallSkinAccessibility();
}
