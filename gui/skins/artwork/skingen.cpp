// Draws the application's skin pictures: window backgrounds, button strips,
// the icons of the message boxes and the progress bitmap. The output is
// committed beside this file, so a build does not depend on the machine it
// runs on; run the target `skin-artwork` after changing a picture here.
//
// Every picture is drawn twice: NAME.png at the size the windows are laid out
// for, which decides sizes and shapes, and NAME@2x.png at twice that size,
// which screens with more pixels per point paint instead (the windows stay
// sharp at 1.5x and 2x scale).
//
// In the first, everything outside a shape is fuchsia, the colour the skins
// cut out; edge pixels of a button are blended with the colour the button sits
// on, so its rounded corners stay smooth although the cut-out itself is all or
// nothing. The second keeps real transparency: it is painted over the first,
// inside the shape the first one cuts.
//
// Buttons carry no words: the program draws their captions, in the user's
// language, over these faces.

#include "SkinPalette.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

namespace Colors = SkinPalette;

enum State { Normal, Hover, Pressed, Disabled };

constexpr int titleBandHeight = 38;
constexpr int mainTitleBandHeight = 44;
constexpr int windowRadius = 10;
constexpr int buttonRadius = 5;

using Drawing = std::function<void(QPainter &)>;

// `draw` in logical coordinates on a transparent ground of size × scale pixels.
QImage render(QSize size, int scale, const Drawing &draw)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    draw(painter);
    return image;
}

// The picture that decides a shape: opaque, fuchsia where nothing is. With a
// known colour behind, partly covered pixels are blended with it; without one
// (a window's edge over an unknown desktop) they are kept or cut at half cover.
QImage cutOut(const QImage &drawing, std::optional<QColor> behind)
{
    QImage result(drawing.size(), QImage::Format_RGB32);
    const QImage straight = drawing.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(straight.constScanLine(y));
        auto *target = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb pixel = source[x];
            const int alpha = qAlpha(pixel);
            QRgb out = Colors::Fuchsia.rgb();
            if (alpha == 255 || (!behind && alpha >= 128)) {
                out = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
            } else if (behind && alpha > 0) {
                auto mix = [alpha](int front, int back) { return (front * alpha + back * (255 - alpha) + 127) / 255; };
                out = qRgb(mix(qRed(pixel), behind->red()), mix(qGreen(pixel), behind->green()),
                           mix(qBlue(pixel), behind->blue()));
            }
            // A drawn pixel that happens to be fuchsia would be cut out.
            if (out == Colors::Fuchsia.rgb() && alpha > 0)
                out = qRgb(0xFE, 0x00, 0xFF);
            target[x] = out;
        }
    }
    return result;
}

// The sharp picture: with a known colour behind, partly covered pixels are
// blended with it as in the cut-out; otherwise they keep their transparency.
QImage sharpened(const QImage &drawing, std::optional<QColor> behind)
{
    QImage result = drawing.convertToFormat(QImage::Format_ARGB32);
    if (!behind)
        return result;
    for (int y = 0; y < result.height(); ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = pixels[x];
            const int alpha = qAlpha(pixel);
            if (alpha == 0 || alpha == 255)
                continue;
            auto mix = [alpha](int front, int back) { return (front * alpha + back * (255 - alpha) + 127) / 255; };
            pixels[x] = qRgb(mix(qRed(pixel), behind->red()), mix(qGreen(pixel), behind->green()),
                             mix(qBlue(pixel), behind->blue()));
        }
    }
    return result;
}

// A picture at both sizes: the cut-out one and the sharp one.
struct Picture {
    QImage plain;
    QImage sharp;
};

Picture picture(QSize size, std::optional<QColor> behind, const Drawing &draw)
{
    return {cutOut(render(size, 1, draw), behind), sharpened(render(size, 2, draw), behind)};
}

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// ------------------------------------------------------------------ icons

void drawDocumentIcon(QPainter &painter, const QRectF &box, const QColor &paper, const QColor &ink)
{
    const qreal fold = box.width() * 0.32;
    QPainterPath sheet;
    sheet.moveTo(box.left(), box.top());
    sheet.lineTo(box.right() - fold, box.top());
    sheet.lineTo(box.right(), box.top() + fold);
    sheet.lineTo(box.right(), box.bottom());
    sheet.lineTo(box.left(), box.bottom());
    sheet.closeSubpath();
    painter.setPen(QPen(ink, 1.4));
    painter.setBrush(paper);
    painter.drawPath(sheet);
    painter.drawLine(QPointF(box.right() - fold, box.top()), QPointF(box.right() - fold, box.top() + fold));
    painter.drawLine(QPointF(box.right() - fold, box.top() + fold), QPointF(box.right(), box.top() + fold));
}

void drawLogo(QPainter &painter, const QRectF &box)
{
    const qreal w = box.width() * 0.62;
    const qreal h = box.height() * 0.78;
    const QRectF back(box.left(), box.top(), w, h);
    const QRectF front(box.right() - w, box.bottom() - h, w, h);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colors::AccentHover);
    painter.drawPath(roundedRect(back, box.width() * 0.08));
    painter.setBrush(Colors::Card);
    painter.drawPath(roundedRect(front, box.width() * 0.08));
    painter.setBrush(Colors::Accent);
    const qreal bar = h * 0.09;
    for (int line = 0; line < 3; ++line) {
        const qreal top = front.top() + h * 0.28 + line * bar * 2.2;
        const qreal width = line == 2 ? w * 0.38 : w * 0.62;
        painter.drawRoundedRect(QRectF(front.left() + w * 0.19, top, width, bar), bar / 2, bar / 2);
    }
}

using IconPainter = std::function<void(QPainter &, const QRectF &, const QColor &)>;

void iconAddFiles(QPainter &painter, const QRectF &box, const QColor &ink)
{
    drawDocumentIcon(painter, box.adjusted(1, 0, -3, 0), Qt::transparent, ink);
    const QPointF centre(box.right() - 3, box.bottom() - 3);
    painter.setBrush(ink == Colors::DisabledText ? ink : Colors::Accent);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 5.5, 5.5);
    painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre - QPointF(3, 0), centre + QPointF(3, 0));
    painter.drawLine(centre - QPointF(0, 3), centre + QPointF(0, 3));
}

void iconMethod(QPainter &painter, const QRectF &box, const QColor &ink)
{
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal knobs[] = {0.7, 0.3, 0.55};
    for (int line = 0; line < 3; ++line) {
        const qreal y = box.top() + 3 + line * (box.height() - 6) / 2;
        painter.drawLine(QPointF(box.left() + 1, y), QPointF(box.right() - 1, y));
        painter.setBrush(Colors::Card);
        painter.drawEllipse(QPointF(box.left() + box.width() * knobs[line], y), 2.8, 2.8);
    }
}

void iconOptions(QPainter &painter, const QRectF &box, const QColor &ink)
{
    const QPointF centre = box.center();
    painter.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::RoundCap));
    for (int tooth = 0; tooth < 8; ++tooth) {
        painter.save();
        painter.translate(centre);
        painter.rotate(tooth * 45);
        painter.drawLine(QPointF(0, -box.height() * 0.36), QPointF(0, -box.height() * 0.46));
        painter.restore();
    }
    painter.setPen(QPen(ink, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, box.width() * 0.3, box.height() * 0.3);
    painter.drawEllipse(centre, box.width() * 0.11, box.height() * 0.11);
}

// A question mark drawn as strokes, so it needs no font.
void drawQuestionMark(QPainter &painter, const QPointF &centre, qreal size, const QColor &ink, qreal width)
{
    painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath hook;
    const qreal r = size * 0.22;
    const QPointF top = centre + QPointF(0, -size * 0.14);
    hook.arcMoveTo(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), 160);
    hook.arcTo(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), 160, -230);
    hook.quadTo(centre + QPointF(0, size * 0.02), centre + QPointF(0, size * 0.14));
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(centre + QPointF(0, size * 0.33), width * 0.7, width * 0.7);
}

void iconHelp(QPainter &painter, const QRectF &box, const QColor &ink)
{
    painter.setPen(QPen(ink, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(box.adjusted(1, 1, -1, -1));
    drawQuestionMark(painter, box.center(), box.height(), ink, 1.7);
}

void iconMerge(QPainter &painter, const QRectF &box, const QColor &ink)
{
    painter.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const qreal midY = box.center().y();
    painter.drawLine(QPointF(box.left(), box.top() + 2), QPointF(box.center().x() - 2, midY));
    painter.drawLine(QPointF(box.left(), box.bottom() - 2), QPointF(box.center().x() - 2, midY));
    painter.drawLine(QPointF(box.center().x() - 2, midY), QPointF(box.right(), midY));
    painter.drawLine(QPointF(box.right() - 5, midY - 5), QPointF(box.right(), midY));
    painter.drawLine(QPointF(box.right() - 5, midY + 5), QPointF(box.right(), midY));
}

// ------------------------------------------------------------------ message box icons

enum class BoxIcon { Question, Information, Warning, Error };

// The icon of a message box: a disc (a triangle for warnings) with a white sign.
Picture boxIcon(BoxIcon kind)
{
    const QSize size(40, 40);
    const Drawing draw = [kind, size](QPainter &painter) {
        const QRectF area(1, 1, size.width() - 2, size.height() - 2);
        const QPointF centre = area.center();
        painter.setPen(Qt::NoPen);
        if (kind == BoxIcon::Warning) {
            QPainterPath triangle;
            triangle.moveTo(centre.x(), area.top() + 2);
            triangle.lineTo(area.right() - 1, area.bottom() - 3);
            triangle.lineTo(area.left() + 1, area.bottom() - 3);
            triangle.closeSubpath();
            painter.setPen(QPen(Colors::Warning, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Colors::Warning);
            painter.drawPath(triangle);
        } else {
            const QColor disc = kind == BoxIcon::Error ? Colors::Error : Colors::Accent;
            painter.setBrush(disc);
            painter.drawEllipse(area);
        }
        const QPen sign(Qt::white, 3.4, Qt::SolidLine, Qt::RoundCap);
        switch (kind) {
        case BoxIcon::Question:
            drawQuestionMark(painter, centre, size.height() * 0.9, Qt::white, 3.4);
            break;
        case BoxIcon::Information:
            painter.setPen(sign);
            painter.drawLine(centre + QPointF(0, -2), centre + QPointF(0, 10));
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::white);
            painter.drawEllipse(centre + QPointF(0, -9.5), 2.4, 2.4);
            break;
        case BoxIcon::Warning:
            painter.setPen(sign);
            painter.drawLine(centre + QPointF(0, -6), centre + QPointF(0, 5));
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::white);
            painter.drawEllipse(centre + QPointF(0, 11), 2.2, 2.2);
            break;
        case BoxIcon::Error:
            painter.setPen(sign);
            painter.drawLine(centre + QPointF(-7, -7), centre + QPointF(7, 7));
            painter.drawLine(centre + QPointF(-7, 7), centre + QPointF(7, -7));
            break;
        }
    };
    // Message boxes show these on their own ground: no cut-out, real transparency.
    return {render(size, 1, draw).convertToFormat(QImage::Format_ARGB32),
            render(size, 2, draw).convertToFormat(QImage::Format_ARGB32)};
}

// ------------------------------------------------------------------ button strips

using FacePainter = std::function<void(QPainter &, const QRect &, State)>;

// A horizontal strip with one frame per state.
Picture buttonStrip(QSize frame, int frames, const QColor &behind, const FacePainter &paintFace)
{
    const QSize strip(frame.width() * frames, frame.height());
    return picture(strip, behind, [&](QPainter &painter) {
        for (int index = 0; index < frames; ++index) {
            painter.save();
            painter.translate(index * frame.width(), 0);
            painter.setClipRect(QRect(QPoint(0, 0), frame));
            paintFace(painter, QRect(QPoint(0, 0), frame), static_cast<State>(index));
            painter.restore();
        }
    });
}

struct FaceColors {
    QColor fill;
    QColor edge;
};

FaceColors secondaryColors(State state)
{
    switch (state) {
    case Hover:
        return {Colors::AccentWash, Colors::Accent};
    case Pressed:
        return {Colors::AccentWashPressed, Colors::AccentPressed};
    case Disabled:
        return {Colors::DisabledFill, Colors::DisabledBorder};
    default:
        return {Colors::Card, Colors::ButtonEdge};
    }
}

FaceColors primaryColors(State state)
{
    switch (state) {
    case Hover:
        return {Colors::AccentHover, Colors::AccentHover};
    case Pressed:
        return {Colors::AccentPressed, Colors::AccentPressed};
    case Disabled:
        return {Colors::AccentDisabled, Colors::AccentDisabled};
    default:
        return {Colors::Accent, Colors::Accent};
    }
}

void drawPlate(QPainter &painter, const QRect &area, const FaceColors &colors)
{
    painter.setPen(QPen(colors.edge, 1));
    painter.setBrush(colors.fill);
    painter.drawPath(roundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), buttonRadius));
}

Picture textButton(QSize frame, const QColor &behind, bool primary, int frames = 4)
{
    return buttonStrip(frame, frames, behind, [&](QPainter &painter, const QRect &area, State state) {
        drawPlate(painter, area, primary ? primaryColors(state) : secondaryColors(state));
    });
}

// A toolbar button: an icon at the left and room for the caption beside it,
// sitting on the band until hovered.
Picture toolButton(QSize frame, const IconPainter &icon)
{
    return buttonStrip(frame, 4, Colors::Toolbar, [&](QPainter &painter, const QRect &area, State state) {
        painter.fillRect(area, Colors::Toolbar);
        QColor iconInk = Colors::Accent;
        if (state == Hover || state == Pressed) {
            drawPlate(painter, area, {state == Hover ? Colors::Card : Colors::AccentWashPressed,
                                      state == Hover ? Colors::ButtonEdge : Colors::Accent});
        } else if (state == Disabled) {
            iconInk = Colors::DisabledText;
        }
        const int shift = state == Pressed ? 1 : 0;
        icon(painter, QRectF(12, 8 + shift, 18, 18), iconInk);
    });
}

enum class TitleGlyph { Minimise, Close };

Picture titleButton(TitleGlyph glyph)
{
    const QSize frame(28, 24);
    return buttonStrip(frame, 4, Colors::TitleBand, [&](QPainter &painter, const QRect &area, State state) {
        painter.fillRect(area, Colors::TitleBand);
        QColor glyphInk = state == Disabled ? QColor(0x5C, 0x6B, 0x80) : Colors::TitleGlyph;
        if (state == Hover || state == Pressed) {
            QColor fill = state == Hover ? Colors::TitleHover : Colors::TitlePressed;
            if (glyph == TitleGlyph::Close) {
                fill = state == Hover ? Colors::CloseHover : Colors::ClosePressed;
                glyphInk = Qt::white;
            }
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.drawPath(roundedRect(area, buttonRadius));
        }
        painter.setPen(QPen(glyphInk, 1.6, Qt::SolidLine, Qt::RoundCap));
        const QPointF centre = QRectF(area).center();
        if (glyph == TitleGlyph::Minimise) {
            painter.drawLine(centre + QPointF(-5, 4), centre + QPointF(5, 4));
        } else {
            painter.drawLine(centre + QPointF(-4.5, -4.5), centre + QPointF(4.5, 4.5));
            painter.drawLine(centre + QPointF(-4.5, 4.5), centre + QPointF(4.5, -4.5));
        }
    });
}

// One tab face per image: image 0 shows the tab selected, image 1 not.
Picture tabImages()
{
    const QSize frame(186, 26);
    return buttonStrip(frame, 2, Colors::Body, [&](QPainter &painter, const QRect &area, State state) {
        const bool selected = state == Normal;
        // Tabs are not cut out: their corners show the window behind them.
        painter.fillRect(area, Colors::Body);
        QPainterPath top;
        const QRectF plate = QRectF(area).adjusted(0.5, 0.5, -0.5, 0);
        top.addRoundedRect(plate.adjusted(0, 0, 0, buttonRadius), buttonRadius, buttonRadius);
        painter.setPen(QPen(Colors::Border, 1));
        painter.setBrush(selected ? Colors::Card : Colors::Toolbar);
        painter.drawPath(top);
        if (selected) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Colors::Accent);
            painter.drawRect(QRectF(1, 0, area.width() - 2, 3));
        } else {
            painter.setPen(Colors::Border);
            painter.drawLine(QPointF(0, area.height() - 0.5), QPointF(area.width(), area.height() - 0.5));
        }
    });
}

// ------------------------------------------------------------------ windows

// A window: a rounded body with a title band; `paintContent` adds the rest.
Picture windowBackground(QSize size, int bandHeight, const Drawing &paintContent,
                         const QColor &bodyColor = Colors::Body)
{
    return picture(size, std::nullopt, [=](QPainter &painter) {
        const QPainterPath shape = roundedRect(QRectF(0, 0, size.width(), size.height()), windowRadius);
        painter.setClipPath(shape);
        painter.fillRect(QRect(QPoint(0, 0), size), bodyColor);
        painter.fillRect(QRect(0, 0, size.width(), bandHeight), Colors::TitleBand);
        painter.fillRect(QRect(0, bandHeight - 1, size.width(), 1), Colors::TitleLine);
        painter.setClipping(false);
        paintContent(painter);
        // A thin outline keeps a light window apart from a light desktop.
        painter.setPen(QPen(Colors::Outline, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(roundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), windowRadius - 0.5));
    });
}

void drawCard(QPainter &painter, const QRect &area, const QColor &fill = Colors::Card)
{
    painter.setPen(QPen(Colors::Border, 1));
    painter.setBrush(fill);
    painter.drawPath(roundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 6));
}

Picture mainWindow()
{
    return windowBackground(QSize(720, 540), mainTitleBandHeight, [](QPainter &painter) {
        drawLogo(painter, QRectF(14, 11, 22, 22));
        painter.fillRect(QRect(1, 44, 718, 52), Colors::Toolbar);
        painter.fillRect(QRect(1, 95, 718, 1), Colors::Border);
        drawCard(painter, QRect(16, 108, 688, 260));
        drawCard(painter, QRect(16, 418, 688, 108));
        painter.fillRect(QRect(28, 428, 3, 16), Colors::Accent);
        painter.fillRect(QRect(560, 430, 1, 86), Colors::Border);
    });
}

Picture addFileDialog()
{
    return windowBackground(QSize(420, 170), titleBandHeight, [](QPainter &painter) {
        drawCard(painter, QRect(12, 48, 396, 64));
        drawDocumentIcon(painter, QRectF(24, 62, 22, 28), Colors::AccentWash, Colors::Accent);
    });
}

Picture methodDialog()
{
    return windowBackground(QSize(460, 430), titleBandHeight, [](QPainter &painter) {
        drawCard(painter, QRect(12, 48, 436, 142));
        drawCard(painter, QRect(12, 198, 436, 54));
        drawCard(painter, QRect(12, 260, 436, 112));
        painter.fillRect(QRect(12, 376, 436, 1), Colors::Border);
    });
}

// The progress dialog: the file being copied above the bar, its page count below.
Picture convertDialog()
{
    return windowBackground(QSize(440, 150), titleBandHeight, [](QPainter &painter) {
        painter.setPen(QPen(Colors::Border, 1));
        painter.setBrush(Colors::Groove);
        painter.drawPath(roundedRect(QRectF(18.5, 63.5, 403, 19), 4));
    });
}

Picture optionsDialog()
{
    return windowBackground(QSize(440, 340), titleBandHeight, [](QPainter &painter) {
        drawCard(painter, QRect(20, 75, 400, 202));
    });
}

Picture optionsPanel()
{
    const QSize size(398, 198);
    return picture(size, std::nullopt, [size](QPainter &painter) {
        QLinearGradient wash(0, 0, 0, size.height());
        wash.setColorAt(0, Colors::Card);
        wash.setColorAt(1, QColor(0xF8, 0xFA, 0xFD));
        painter.fillRect(QRect(QPoint(0, 0), size), wash);
    });
}

Picture aboutWindow()
{
    return windowBackground(QSize(423, 241), 30, [](QPainter &painter) {
        QLinearGradient hero(0, 30, 0, 172);
        hero.setColorAt(0, QColor(0x25, 0x3A, 0x57));
        hero.setColorAt(1, Colors::TitleBand);
        painter.fillRect(QRect(1, 30, 421, 142), hero);
        painter.fillRect(QRect(1, 172, 421, 68), Colors::TitleBand);
        painter.fillRect(QRect(15, 172, 393, 1), Colors::TitleLine);
        drawLogo(painter, QRectF(28, 62, 64, 64));
    }, Colors::TitleBand);
}

// The fill of the progress bar; the bar stretches it sideways, so it only
// changes from top to bottom.
QImage progressFill()
{
    QImage fill(8, 16, QImage::Format_RGB32);
    QPainter painter(&fill);
    QLinearGradient shade(0, 0, 0, fill.height());
    shade.setColorAt(0, Colors::AccentHover);
    shade.setColorAt(0.5, Colors::Accent);
    shade.setColorAt(1, Colors::AccentPressed);
    painter.fillRect(fill.rect(), shade);
    painter.fillRect(QRect(0, 1, fill.width(), 1), QColor(0x7A, 0xA6, 0xF8));
    return fill;
}

bool save(const QImage &image, const QDir &folder, const QString &name, const char *format = "PNG")
{
    const QString path = folder.filePath(name);
    if (!image.save(path, format)) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTPUT_FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));

    const QSize toolSize(112, 34);
    const QSize rowSize(98, 30);
    const QSize dialogSize(90, 30);
    const QList<std::pair<QString, Picture>> pictures = {
        {"main", mainWindow()},
        {"addfile", addFileDialog()},
        {"method", methodDialog()},
        {"convert", convertDialog()},
        {"options", optionsDialog()},
        {"options_panel", optionsPanel()},
        {"about", aboutWindow()},
        {"btn_min", titleButton(TitleGlyph::Minimise)},
        {"btn_close", titleButton(TitleGlyph::Close)},
        {"btn_addfiles", toolButton(toolSize, iconAddFiles)},
        {"btn_method", toolButton(toolSize, iconMethod)},
        {"btn_options", toolButton(toolSize, iconOptions)},
        {"btn_help", toolButton(QSize(90, 34), iconHelp)},
        {"btn_remove", textButton(rowSize, Colors::Body, false)},
        {"btn_clear", textButton(rowSize, Colors::Body, false)},
        {"btn_moveup", textButton(rowSize, Colors::Body, false)},
        {"btn_movedown", textButton(rowSize, Colors::Body, false)},
        {"btn_browse", textButton(QSize(74, 28), Colors::Card, false)},
        {"btn_open", textButton(QSize(62, 28), Colors::Card, false)},
        {"btn_merge", buttonStrip(QSize(116, 62), 4, Colors::Card, [](QPainter &painter, const QRect &area, State state) {
             drawPlate(painter, area, primaryColors(state));
             const int shift = state == Pressed ? 1 : 0;
             const QColor ink = state == Disabled ? Colors::OnAccentDisabled : QColor(Qt::white);
             iconMerge(painter, QRectF(area.width() / 2 - 10, 10 + shift, 20, 18), ink);
         })},
        {"dlg_ok", textButton(dialogSize, Colors::Body, true)},
        {"dlg_cancel", textButton(dialogSize, Colors::Body, false)},
        {"dlg_help", textButton(dialogSize, Colors::Body, false)},
        {"dlg_stop", textButton(dialogSize, Colors::Body, false)},
        {"about_ok", textButton(QSize(68, 20), Colors::TitleBand, true, 3)},
        {"tab_properties", tabImages()},
        {"tab_other", tabImages()},
        {"icon_question", boxIcon(BoxIcon::Question)},
        {"icon_information", boxIcon(BoxIcon::Information)},
        {"icon_warning", boxIcon(BoxIcon::Warning)},
        {"icon_error", boxIcon(BoxIcon::Error)},
    };
    bool allSaved = true;
    for (const auto &[name, drawn] : pictures) {
        allSaved = save(drawn.plain, folder, name + ".png") && allSaved;
        allSaved = save(drawn.sharp, folder, name + "@2x.png") && allSaved;
    }
    allSaved = save(progressFill(), folder, "progress.bmp", "BMP") && allSaved;
    return allSaved ? 0 : 1;
}
