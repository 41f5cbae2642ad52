#pragma once

#include <QImage>
#include <QString>

// The application's skin pictures, compiled in under ":/skins/".
namespace SkinArtwork {

// The picture of that file name ("about.png", "btn_merge.png"); a null image
// when there is none.
QImage Picture(const QString &fileName);

// Image `index` of an image list stored as one horizontal strip of
// `count` equally wide images (the tab faces of the options dialog).
QImage ListImage(const QString &fileName, int index, int count);

} // namespace SkinArtwork
