#pragma once

#include "SSButton.h"

#include <QImage>
#include <QString>

// The application's skin pictures, compiled in under ":/skins/". Each comes
// at its design size, which decides sizes and window shapes, and at twice that
// size, which screens with more pixels per point paint instead.
namespace SkinArtwork {

// The picture of that file name ("about.png", "btn_merge.png"); a null image
// when there is none.
QImage Picture(const QString &fileName);

// The same picture at twice the size ("about@2x.png"), marked with a device
// pixel ratio of 2; a null image when there is none.
QImage SharpPicture(const QString &fileName);

// Image `index` of an image list stored as one horizontal strip of
// `count` equally wide images (the tab faces of the options dialog), from the
// plain and from the sharp picture.
QImage ListImage(const QString &fileName, int index, int count);
QImage SharpListImage(const QString &fileName, int index, int count);

// Where the caption sits on the faces of that button strip, and in which colours.
TSkinCaption CaptionLook(const QString &stripName);
// The caption look of a tab face, selected or not.
TSkinCaption TabCaptionLook(bool selected);

} // namespace SkinArtwork
