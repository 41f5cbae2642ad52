// Draws the application's skin pictures: window backgrounds, button strips and
// the progress bitmap. The output is committed beside this file, so a build
// does not depend on the fonts of the machine it runs on; run the target
// `skin-artwork` after changing a picture here.
//
// Everything outside a shape is fuchsia, the colour the skins cut out. Edge
// pixels of a button are blended with the colour the button sits on, so its
// rounded corners stay smooth although the cut-out itself is all or nothing.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

namespace Colors {
const QColor fuchsia(0xFF, 0x00, 0xFF);
const QColor titleBand(0x1D, 0x2B, 0x3F);
const QColor titleLine(0x2E, 0x42, 0x5E);
const QColor titleGlyph(0xC9, 0xD3, 0xE0);
const QColor titleHover(0x33, 0x47, 0x63);
const QColor titlePressed(0x14, 0x1F, 0x2E);
const QColor closeHover(0xE5, 0x48, 0x4D);
const QColor closePressed(0xC0, 0x35, 0x3A);
const QColor body(0xF4, 0xF6, 0xFA);
const QColor toolbar(0xE9, 0xEE, 0xF5);
const QColor card(0xFF, 0xFF, 0xFF);
const QColor border(0xD5, 0xDC, 0xE6);
const QColor outline(0x9A, 0xA7, 0xB8);
const QColor text(0x1F, 0x2A, 0x37);
const QColor mutedText(0x6B, 0x77, 0x85);
const QColor accent(0x2F, 0x6F, 0xED);
const QColor accentHover(0x4A, 0x84, 0xF5);
const QColor accentPressed(0x23, 0x58, 0xC4);
const QColor accentDisabled(0xA9, 0xC1, 0xF2);
const QColor accentWash(0xE6, 0xEE, 0xFD);
const QColor accentWashPressed(0xD3, 0xE1, 0xFB);
const QColor disabledFill(0xEE, 0xF1, 0xF5);
const QColor disabledBorder(0xDD, 0xE2, 0xE9);
const QColor disabledText(0xA7, 0xB0, 0xBC);
const QColor groove(0xE3, 0xE8, 0xEF);
} // namespace Colors

enum State { Normal, Hover, Pressed, Disabled };

constexpr int titleBandHeight = 38;
constexpr int mainTitleBandHeight = 44;
constexpr int windowRadius = 10;
constexpr int buttonRadius = 5;

QFont uiFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Turns a drawing on a transparent ground into an opaque skin picture. With a
// known colour behind, partly covered pixels are blended with it; without one
// (a window's edge over an unknown desktop) they are kept or cut at half cover.
QImage flatten(const QImage &drawing, std::optional<QColor> behind)
{
    QImage result(drawing.size(), QImage::Format_RGB32);
    const QImage straight = drawing.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(straight.constScanLine(y));
        auto *target = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb pixel = source[x];
            const int alpha = qAlpha(pixel);
            QRgb out = Colors::fuchsia.rgb();
            if (alpha == 255 || (!behind && alpha >= 128)) {
                out = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
            } else if (behind && alpha > 0) {
                auto mix = [alpha](int front, int back) { return (front * alpha + back * (255 - alpha) + 127) / 255; };
                out = qRgb(mix(qRed(pixel), behind->red()), mix(qGreen(pixel), behind->green()),
                           mix(qBlue(pixel), behind->blue()));
            }
            // A drawn pixel that happens to be fuchsia would be cut out.
            if (out == Colors::fuchsia.rgb() && alpha > 0)
                out = qRgb(0xFE, 0x00, 0xFF);
            target[x] = out;
        }
    }
    return result;
}

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void beginPainting(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
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
    painter.setBrush(Colors::accentHover);
    painter.drawPath(roundedRect(back, box.width() * 0.08));
    painter.setBrush(Colors::card);
    painter.drawPath(roundedRect(front, box.width() * 0.08));
    painter.setBrush(Colors::accent);
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
    painter.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(box.right() - 3, box.bottom() - 3);
    painter.setBrush(Colors::accent);
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
        painter.setBrush(Colors::card);
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

void iconHelp(QPainter &painter, const QRectF &box, const QColor &ink)
{
    painter.setPen(QPen(ink, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(box.adjusted(1, 1, -1, -1));
    painter.setFont(uiFont(12, true));
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
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

// ------------------------------------------------------------------ button strips

using FacePainter = std::function<void(QPainter &, const QRect &, State)>;

// A horizontal strip with one frame per state, each frame drawn on its own.
QImage buttonStrip(QSize frame, int frames, const QColor &behind, const FacePainter &paintFace)
{
    QImage strip(frame.width() * frames, frame.height(), QImage::Format_RGB32);
    QPainter stripPainter(&strip);
    for (int index = 0; index < frames; ++index) {
        QImage face = transparentImage(frame);
        {
            QPainter painter(&face);
            beginPainting(painter);
            paintFace(painter, QRect(QPoint(0, 0), frame), static_cast<State>(index));
        }
        stripPainter.drawImage(index * frame.width(), 0, flatten(face, behind));
    }
    return strip;
}

void drawCaption(QPainter &painter, const QRect &area, const QString &caption, const QColor &ink, State state,
                 int pixelSize = 13, bool bold = false)
{
    painter.setFont(uiFont(pixelSize, bold));
    painter.setPen(ink);
    painter.drawText(area.translated(0, state == Pressed ? 1 : 0), Qt::AlignCenter, caption);
}

struct FaceColors {
    QColor fill;
    QColor edge;
    QColor ink;
};

FaceColors secondaryColors(State state)
{
    switch (state) {
    case Hover:
        return {Colors::accentWash, Colors::accent, Colors::accentPressed};
    case Pressed:
        return {Colors::accentWashPressed, Colors::accentPressed, Colors::accentPressed};
    case Disabled:
        return {Colors::disabledFill, Colors::disabledBorder, Colors::disabledText};
    default:
        return {Colors::card, QColor(0xC3, 0xCC, 0xD8), Colors::text};
    }
}

FaceColors primaryColors(State state)
{
    switch (state) {
    case Hover:
        return {Colors::accentHover, Colors::accentHover, Qt::white};
    case Pressed:
        return {Colors::accentPressed, Colors::accentPressed, Qt::white};
    case Disabled:
        return {Colors::accentDisabled, Colors::accentDisabled, QColor(0xF2, 0xF6, 0xFE)};
    default:
        return {Colors::accent, Colors::accent, Qt::white};
    }
}

void drawPlate(QPainter &painter, const QRect &area, const FaceColors &colors)
{
    painter.setPen(QPen(colors.edge, 1));
    painter.setBrush(colors.fill);
    painter.drawPath(roundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), buttonRadius));
}

QImage textButton(QSize frame, const QString &caption, const QColor &behind, bool primary, int frames = 4)
{
    return buttonStrip(frame, frames, behind, [&](QPainter &painter, const QRect &area, State state) {
        const FaceColors colors = primary ? primaryColors(state) : secondaryColors(state);
        drawPlate(painter, area, colors);
        drawCaption(painter, area, caption, colors.ink, state, frame.height() < 24 ? 11 : 13, primary);
    });
}

// A toolbar button: an icon and a caption that sit on the band until hovered.
QImage toolButton(QSize frame, const QString &caption, const IconPainter &icon)
{
    return buttonStrip(frame, 4, Colors::toolbar, [&](QPainter &painter, const QRect &area, State state) {
        painter.fillRect(area, Colors::toolbar);
        QColor ink = Colors::text;
        QColor iconInk = Colors::accent;
        if (state == Hover || state == Pressed) {
            drawPlate(painter, area, {state == Hover ? Colors::card : Colors::accentWashPressed,
                                      state == Hover ? QColor(0xC3, 0xCC, 0xD8) : Colors::accent, ink});
        } else if (state == Disabled) {
            ink = iconInk = Colors::disabledText;
        }
        const int shift = state == Pressed ? 1 : 0;
        painter.setFont(uiFont(13));
        const int textWidth = painter.fontMetrics().horizontalAdvance(caption);
        const int iconSize = 18;
        const int left = (area.width() - iconSize - 8 - textWidth) / 2;
        icon(painter, QRectF(left, (area.height() - iconSize) / 2 + shift, iconSize, iconSize), iconInk);
        painter.setFont(uiFont(13));
        painter.setPen(ink);
        painter.drawText(QRect(left + iconSize + 8, shift, textWidth + 2, area.height()), Qt::AlignVCenter | Qt::AlignLeft,
                         caption);
    });
}

enum class TitleGlyph { Minimise, Close };

QImage titleButton(TitleGlyph glyph)
{
    const QSize frame(28, 24);
    return buttonStrip(frame, 4, Colors::titleBand, [&](QPainter &painter, const QRect &area, State state) {
        painter.fillRect(area, Colors::titleBand);
        QColor glyphInk = state == Disabled ? QColor(0x5C, 0x6B, 0x80) : Colors::titleGlyph;
        if (state == Hover || state == Pressed) {
            QColor fill = state == Hover ? Colors::titleHover : Colors::titlePressed;
            if (glyph == TitleGlyph::Close) {
                fill = state == Hover ? Colors::closeHover : Colors::closePressed;
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
QImage tabImages(const QString &caption)
{
    const QSize frame(186, 26);
    return buttonStrip(frame, 2, Colors::body, [&](QPainter &painter, const QRect &area, State state) {
        const bool selected = state == Normal;
        QPainterPath top;
        const QRectF plate = QRectF(area).adjusted(0.5, 0.5, -0.5, 0);
        top.addRoundedRect(plate.adjusted(0, 0, 0, buttonRadius), buttonRadius, buttonRadius);
        painter.save();
        painter.setClipRect(area);
        painter.setPen(QPen(Colors::border, 1));
        painter.setBrush(selected ? Colors::card : Colors::toolbar);
        painter.drawPath(top);
        painter.restore();
        if (selected) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Colors::accent);
            painter.drawRect(QRectF(1, 0, area.width() - 2, 3));
        } else {
            painter.setPen(Colors::border);
            painter.drawLine(0, area.height() - 1, area.width(), area.height() - 1);
        }
        drawCaption(painter, area.adjusted(0, 1, 0, 0), caption, selected ? Colors::text : Colors::mutedText, Normal,
                    13, selected);
    });
}

// ------------------------------------------------------------------ windows

// A window: a rounded body with a title band; `paintContent` adds the rest.
QImage windowBackground(QSize size, int bandHeight, const std::function<void(QPainter &)> &paintContent,
                        const QColor &bodyColor = Colors::body)
{
    QImage drawing = transparentImage(size);
    {
        QPainter painter(&drawing);
        beginPainting(painter);
        const QPainterPath shape = roundedRect(QRectF(0, 0, size.width(), size.height()), windowRadius);
        painter.setClipPath(shape);
        painter.fillRect(QRect(QPoint(0, 0), size), bodyColor);
        painter.fillRect(QRect(0, 0, size.width(), bandHeight), Colors::titleBand);
        painter.fillRect(QRect(0, bandHeight - 1, size.width(), 1), Colors::titleLine);
        painter.setClipping(false);
        paintContent(painter);
        // A thin outline keeps a light window apart from a light desktop.
        painter.setPen(QPen(Colors::outline, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(roundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), windowRadius - 0.5));
    }
    return flatten(drawing, std::nullopt);
}

void drawCard(QPainter &painter, const QRect &area, const QColor &fill = Colors::card)
{
    painter.setPen(QPen(Colors::border, 1));
    painter.setBrush(fill);
    painter.drawPath(roundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 6));
}

void drawBandText(QPainter &painter, const QRect &area, const QString &text)
{
    painter.setFont(uiFont(14, true));
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft, text);
}

QImage mainWindow()
{
    return windowBackground(QSize(720, 540), mainTitleBandHeight, [](QPainter &painter) {
        drawLogo(painter, QRectF(14, 11, 22, 22));
        painter.fillRect(QRect(1, 44, 718, 52), Colors::toolbar);
        painter.fillRect(QRect(1, 95, 718, 1), Colors::border);
        drawCard(painter, QRect(16, 108, 688, 260));
        drawCard(painter, QRect(16, 418, 688, 108));
        painter.fillRect(QRect(28, 428, 3, 16), Colors::accent);
        painter.fillRect(QRect(560, 430, 1, 86), Colors::border);
    });
}

QImage addFileDialog()
{
    return windowBackground(QSize(420, 170), titleBandHeight, [](QPainter &painter) {
        drawCard(painter, QRect(12, 48, 396, 64));
        drawDocumentIcon(painter, QRectF(24, 62, 22, 28), Colors::accentWash, Colors::accent);
    });
}

QImage methodDialog()
{
    return windowBackground(QSize(460, 430), titleBandHeight, [](QPainter &painter) {
        drawCard(painter, QRect(12, 48, 436, 142));
        drawCard(painter, QRect(12, 198, 436, 54));
        drawCard(painter, QRect(12, 260, 436, 112));
        painter.fillRect(QRect(12, 376, 436, 1), Colors::border);
    });
}

QImage convertDialog()
{
    return windowBackground(QSize(440, 150), titleBandHeight, [](QPainter &painter) {
        painter.setPen(QPen(Colors::border, 1));
        painter.setBrush(Colors::groove);
        painter.drawPath(roundedRect(QRectF(18.5, 63.5, 403, 19), 4));
    });
}

QImage optionsDialog()
{
    return windowBackground(QSize(440, 340), titleBandHeight, [](QPainter &painter) {
        drawBandText(painter, QRect(16, 0, 300, titleBandHeight), QStringLiteral("Options"));
        drawCard(painter, QRect(20, 75, 400, 202));
    });
}

QImage optionsPanel()
{
    QImage panel(398, 198, QImage::Format_RGB32);
    QPainter painter(&panel);
    beginPainting(painter);
    QLinearGradient wash(0, 0, 0, panel.height());
    wash.setColorAt(0, Colors::card);
    wash.setColorAt(1, QColor(0xF8, 0xFA, 0xFD));
    painter.fillRect(panel.rect(), wash);
    return panel;
}

QImage aboutWindow()
{
    return windowBackground(QSize(423, 241), 30, [](QPainter &painter) {
        QLinearGradient hero(0, 30, 0, 172);
        hero.setColorAt(0, QColor(0x25, 0x3A, 0x57));
        hero.setColorAt(1, Colors::titleBand);
        painter.fillRect(QRect(1, 30, 421, 142), hero);
        painter.fillRect(QRect(1, 172, 421, 68), Colors::titleBand);
        painter.fillRect(QRect(15, 172, 393, 1), Colors::titleLine);
        drawLogo(painter, QRectF(28, 62, 64, 64));
        painter.setFont(uiFont(24, true));
        painter.setPen(Qt::white);
        painter.drawText(QRect(112, 66, 300, 32), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Quellan PDF Merger"));
        painter.setFont(uiFont(13));
        painter.setPen(Colors::titleGlyph);
        painter.drawText(QRect(113, 100, 300, 22), Qt::AlignVCenter | Qt::AlignLeft,
                         QStringLiteral("Join PDF files into one, page by page."));
    }, Colors::titleBand);
}

// The fill of the progress bar; the bar stretches it sideways, so it only
// changes from top to bottom.
QImage progressFill()
{
    QImage fill(8, 16, QImage::Format_RGB32);
    QPainter painter(&fill);
    QLinearGradient shade(0, 0, 0, fill.height());
    shade.setColorAt(0, Colors::accentHover);
    shade.setColorAt(0.5, Colors::accent);
    shade.setColorAt(1, Colors::accentPressed);
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
    const QList<std::pair<QString, QImage>> pictures = {
        {"main.png", mainWindow()},
        {"addfile.png", addFileDialog()},
        {"method.png", methodDialog()},
        {"convert.png", convertDialog()},
        {"options.png", optionsDialog()},
        {"options_panel.png", optionsPanel()},
        {"about.png", aboutWindow()},
        {"btn_min.png", titleButton(TitleGlyph::Minimise)},
        {"btn_close.png", titleButton(TitleGlyph::Close)},
        {"btn_addfiles.png", toolButton(toolSize, "Add Files", iconAddFiles)},
        {"btn_method.png", toolButton(toolSize, "Method", iconMethod)},
        {"btn_options.png", toolButton(toolSize, "Options", iconOptions)},
        {"btn_help.png", toolButton(QSize(90, 34), "Help", iconHelp)},
        {"btn_remove.png", textButton(rowSize, "Remove", Colors::body, false)},
        {"btn_clear.png", textButton(rowSize, "Clear", Colors::body, false)},
        {"btn_moveup.png", textButton(rowSize, "Move Up", Colors::body, false)},
        {"btn_movedown.png", textButton(rowSize, "Move Down", Colors::body, false)},
        {"btn_browse.png", textButton(QSize(74, 28), "Browse", Colors::card, false)},
        {"btn_open.png", textButton(QSize(62, 28), "Open", Colors::card, false)},
        {"btn_merge.png", buttonStrip(QSize(116, 62), 4, Colors::card, [](QPainter &painter, const QRect &area, State state) {
             const FaceColors colors = primaryColors(state);
             drawPlate(painter, area, colors);
             const int shift = state == Pressed ? 1 : 0;
             iconMerge(painter, QRectF(area.width() / 2 - 10, 10 + shift, 20, 18), colors.ink);
             drawCaption(painter, QRect(0, 30, area.width(), 24), "Merge", colors.ink, state, 15, true);
         })},
        {"dlg_ok.png", textButton(dialogSize, "OK", Colors::body, true)},
        {"dlg_cancel.png", textButton(dialogSize, "Cancel", Colors::body, false)},
        {"dlg_help.png", textButton(dialogSize, "Help", Colors::body, false)},
        {"dlg_stop.png", textButton(dialogSize, "Stop", Colors::body, false)},
        {"about_ok.png", textButton(QSize(68, 20), "OK", Colors::titleBand, true, 3)},
        {"tab_properties.png", tabImages("Properties")},
        {"tab_other.png", tabImages("Other")},
    };
    bool allSaved = true;
    for (const auto &[name, picture] : pictures)
        allSaved = save(picture, folder, name) && allSaved;
    allSaved = save(progressFill(), folder, "progress.bmp", "BMP") && allSaved;
    return allSaved ? 0 : 1;
}
