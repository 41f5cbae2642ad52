#include "SkinArtwork.h"

#include "SkinPalette.h"

namespace SkinArtwork {

namespace {

QString SharpName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName + QStringLiteral("@2x") : fileName.left(dot) + QStringLiteral("@2x") + fileName.mid(dot);
}

QImage Slice(const QImage &list, int index, int count)
{
    if (list.isNull() || count <= 0 || index < 0 || index >= count)
        return {};
    const int width = list.width() / count;
    QImage slice = list.copy(index * width, 0, width, list.height());
    slice.setDevicePixelRatio(list.devicePixelRatio());
    return slice;
}

TSkinCaption Look(QRect area, int pixelSize, bool bold, QColor normal, QColor over, QColor pressed, QColor disabled)
{
    TSkinCaption look;
    look.Area = area;
    look.PixelSize = pixelSize;
    look.Bold = bold;
    look.Ink[0] = normal;
    look.Ink[1] = over;
    look.Ink[2] = pressed;
    look.Ink[3] = disabled;
    return look;
}

} // namespace

QImage Picture(const QString &fileName)
{
    return QImage(QStringLiteral(":/skins/") + fileName);
}

QImage SharpPicture(const QString &fileName)
{
    QImage sharp(QStringLiteral(":/skins/") + SharpName(fileName));
    if (!sharp.isNull())
        sharp.setDevicePixelRatio(2);
    return sharp;
}

QImage ListImage(const QString &fileName, int index, int count)
{
    return Slice(Picture(fileName), index, count);
}

QImage SharpListImage(const QString &fileName, int index, int count)
{
    return Slice(SharpPicture(fileName), index, count);
}

TSkinCaption CaptionLook(const QString &stripName)
{
    using namespace SkinPalette;
    // The toolbar's faces carry their icon at the left; the caption takes the rest.
    if (stripName == u"btn_addfiles.png" || stripName == u"btn_method.png" || stripName == u"btn_options.png")
        return Look(QRect(31, 0, 80, 34), 13, false, Text, Text, Text, DisabledText);
    if (stripName == u"btn_help.png")
        return Look(QRect(31, 0, 58, 34), 13, false, Text, Text, Text, DisabledText);
    // Merge: its arrows above, the word below.
    if (stripName == u"btn_merge.png")
        return Look(QRect(2, 30, 112, 24), 15, true, Qt::white, Qt::white, Qt::white, OnAccentDisabled);
    if (stripName == u"dlg_ok.png")
        return Look(QRect(), 13, true, Qt::white, Qt::white, Qt::white, OnAccentDisabled);
    if (stripName == u"about_ok.png")
        return Look(QRect(), 11, true, Qt::white, Qt::white, Qt::white, OnAccentDisabled);
    return Look(QRect(), 13, false, Text, AccentPressed, AccentPressed, DisabledText);
}

TSkinCaption TabCaptionLook(bool selected)
{
    const QColor ink = selected ? SkinPalette::Text : SkinPalette::MutedText;
    return Look(QRect(0, 1, 186, 25), 13, selected, ink, ink, ink, SkinPalette::DisabledText);
}

} // namespace SkinArtwork
