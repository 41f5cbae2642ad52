// Draws the application icon: two pages sliding into one, on a rounded tile.
// Run at build time, so the artwork lives in the repository as code.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void DrawTile(QPainter &painter, int size)
{
    QLinearGradient gradient(0, 0, 0, size);
    gradient.setColorAt(0, QColor(0x2F, 0x80, 0xED));
    gradient.setColorAt(1, QColor(0x1B, 0x4F, 0xA8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(8, 8, size - 16, size - 16), size * 0.18, size * 0.18);
}

void DrawPage(QPainter &painter, const QRectF &page, const QColor &paper)
{
    const qreal fold = page.width() * 0.28;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(QColor(0, 0, 0, 60), 2));
    painter.setBrush(paper);
    painter.drawPath(outline);

    painter.setPen(QPen(QColor(0x9A, 0xA8, 0xBC), page.height() * 0.035, Qt::SolidLine, Qt::RoundCap));
    for (int line = 1; line <= 4; ++line) {
        const qreal y = page.top() + fold + line * page.height() * 0.14;
        painter.drawLine(QPointF(page.left() + page.width() * 0.18, y), QPointF(page.right() - page.width() * 0.18, y));
    }
}

void DrawMergeArrow(QPainter &painter, int size)
{
    QPainterPath arrow;
    const qreal s = size / 256.0;
    arrow.moveTo(150 * s, 178 * s);
    arrow.lineTo(194 * s, 178 * s);
    arrow.lineTo(194 * s, 160 * s);
    arrow.lineTo(226 * s, 192 * s);
    arrow.lineTo(194 * s, 224 * s);
    arrow.lineTo(194 * s, 206 * s);
    arrow.lineTo(150 * s, 206 * s);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(0x14, 0x3A, 0x7A), 3 * s));
    painter.setBrush(QColor(0xFF, 0xC1, 0x3B));
    painter.drawPath(arrow);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const int size = 256;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawTile(painter, size);
    DrawPage(painter, QRectF(48, 40, 104, 136), QColor(0xE8, 0xEE, 0xF7));
    DrawPage(painter, QRectF(92, 72, 104, 136), Qt::white);
    DrawMergeArrow(painter, size);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
