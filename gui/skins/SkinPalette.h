#pragma once
// The colours of the skin. The artwork generator draws the pictures with
// them, and at run time they colour the buttons' captions and the palette of
// the standard widgets (message boxes, file dialogs, combo boxes), so every
// window and box reads as one design.

#include <QColor>

namespace SkinPalette {

inline const QColor Fuchsia(0xFF, 0x00, 0xFF); // cut out of every window and button
inline const QColor TitleBand(0x1D, 0x2B, 0x3F);
inline const QColor TitleLine(0x2E, 0x42, 0x5E);
inline const QColor TitleGlyph(0xC9, 0xD3, 0xE0);
inline const QColor TitleHover(0x33, 0x47, 0x63);
inline const QColor TitlePressed(0x14, 0x1F, 0x2E);
inline const QColor CloseHover(0xE5, 0x48, 0x4D);
inline const QColor ClosePressed(0xC0, 0x35, 0x3A);
inline const QColor Body(0xF4, 0xF6, 0xFA);
inline const QColor Toolbar(0xE9, 0xEE, 0xF5);
inline const QColor Card(0xFF, 0xFF, 0xFF);
inline const QColor Border(0xD5, 0xDC, 0xE6);
inline const QColor ButtonEdge(0xC3, 0xCC, 0xD8);
inline const QColor Outline(0x9A, 0xA7, 0xB8);
inline const QColor Text(0x1F, 0x2A, 0x37);
inline const QColor MutedText(0x6B, 0x77, 0x85);
inline const QColor Accent(0x2F, 0x6F, 0xED);
inline const QColor AccentHover(0x4A, 0x84, 0xF5);
inline const QColor AccentPressed(0x23, 0x58, 0xC4);
inline const QColor AccentDisabled(0xA9, 0xC1, 0xF2);
inline const QColor AccentWash(0xE6, 0xEE, 0xFD);
inline const QColor AccentWashPressed(0xD3, 0xE1, 0xFB);
inline const QColor OnAccentDisabled(0xF2, 0xF6, 0xFE);
inline const QColor DisabledFill(0xEE, 0xF1, 0xF5);
inline const QColor DisabledBorder(0xDD, 0xE2, 0xE9);
inline const QColor DisabledText(0xA7, 0xB0, 0xBC);
inline const QColor Groove(0xE3, 0xE8, 0xEF);
inline const QColor Warning(0xE8, 0x9B, 0x1A);
inline const QColor Error(0xD9, 0x30, 0x25);
inline const QColor Success(0x1E, 0x9E, 0x5A);

} // namespace SkinPalette
