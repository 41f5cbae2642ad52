#include "SkinArtwork.h"

namespace SkinArtwork {

QImage Picture(const QString &fileName)
{
    return QImage(QStringLiteral(":/skins/") + fileName);
}

QImage ListImage(const QString &fileName, int index, int count)
{
    const QImage list = Picture(fileName);
    if (list.isNull() || count <= 0 || index < 0 || index >= count)
        return {};
    const int width = list.width() / count;
    return list.copy(index * width, 0, width, list.height());
}

} // namespace SkinArtwork
