// Draws every picture of the app into the folder given as the only argument. Sizes are in points; the
// pictures are drawn at two pixels per point unless told otherwise, and the app scales them back to points.
// One look for all: Korvo red, warm yellow accents, charcoal and white, flat shapes with rounded corners.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

const QColor korvoRed(0xC8, 0x10, 0x2E);
const QColor deepRed(0x9E, 0x0B, 0x23);
const QColor brightRed(0xE0, 0x25, 0x43);
const QColor korvoYellow(0xFF, 0xCC, 0x00);
const QColor charcoal(0x22, 0x22, 0x22);
const QColor slate(0x3A, 0x3A, 0x3A);
const QColor lightGray(0xF2, 0xF2, 0xF2);
const QColor cupGray(0xB4, 0xB4, 0xB4);
const QColor waterBlue(0x2A, 0x7F, 0xD4);

using Drawing = std::function<void(QPainter&)>;

class PictureWriter {
public:
    explicit PictureWriter(const QString& folder)
        : m_folder(folder) {}

    // A picture of width x height points, at `scale` pixels per point.
    void draw(const QString& name, qreal width, qreal height, const Drawing& drawing, int scale = 2) {
        QImage image(qRound(width * scale), qRound(height * scale), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        drawing(painter);
        painter.end();
        if (!image.save(QDir(m_folder).filePath(name))) {
            QTextStream(stderr) << "Cannot write " << name << "\n";
            m_failed = true;
        }
    }

    bool failed() const { return m_failed; }

private:
    QString m_folder;
    bool m_failed = false;
};

QFont boldFont(qreal pointSize) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(qRound(pointSize));
    return font;
}

QLinearGradient verticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

// The chain's word mark: "Korvo" in white over a yellow "STORE", centred on `centre`.
void drawWordMark(QPainter& p, QPointF centre, qreal size) {
    p.save();
    p.setPen(Qt::white);
    p.setFont(boldFont(size));
    const QRectF korvo(centre.x() - size * 4, centre.y() - size * 0.95, size * 8, size * 1.2);
    p.drawText(korvo, Qt::AlignCenter, "Korvo");
    QFont storeFont = boldFont(size * 0.42);
    storeFont.setLetterSpacing(QFont::AbsoluteSpacing, size * 0.16);
    p.setFont(storeFont);
    p.setPen(korvoYellow);
    const QRectF store(centre.x() - size * 4, centre.y() + size * 0.22, size * 8, size * 0.6);
    p.drawText(store, Qt::AlignCenter, "STORE");
    p.restore();
}

// The logo: a red rounded square with the word mark and a yellow smile under it.
void drawLogo(QPainter& p, const QRectF& rect) {
    const qreal side = rect.width();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(rect, brightRed, korvoRed));
    p.drawRoundedRect(rect, side * 0.22, side * 0.22);
    drawWordMark(p, rect.center() - QPointF(0, side * 0.06), side * 0.24);
    QPen smile(korvoYellow, side * 0.045, Qt::SolidLine, Qt::RoundCap);
    p.setPen(smile);
    p.setBrush(Qt::NoBrush);
    const QRectF arc(rect.center().x() - side * 0.22, rect.center().y() + side * 0.02, side * 0.44,
                     side * 0.3);
    p.drawArc(arc, 200 * 16, 140 * 16);
    p.restore();
}

// A round badge whose middle row and column are plain, so it stretches into a pill along either axis.
void drawBadge(QPainter& p, qreal side) {
    const qreal ring = side * 0.09;
    const QRectF outer(0.5, 0.5, side - 1, side - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(outer.translated(0, 0.5));
    p.setBrush(Qt::white);
    p.drawEllipse(outer);
    const QRectF inner = outer.adjusted(ring, ring, -ring, -ring);
    p.setBrush(verticalGradient(inner, brightRed, korvoRed));
    p.drawEllipse(inner);
}

// A flat button face with a slightly darker lower edge.
void drawButtonFace(QPainter& p, const QRectF& rect, const QColor& top, const QColor& bottom,
                    const QColor& edge) {
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawRoundedRect(rect, 6, 6);
    p.setBrush(verticalGradient(rect, top, bottom));
    p.drawRoundedRect(rect.adjusted(0, 0, 0, -1.5), 6, 6);
}

// A coffee cup in a square of `side` points: a tapered cup with handle on a saucer.
QPainterPath cupPath(qreal side) {
    const qreal u = side / 30.0;
    QPainterPath cup;
    cup.moveTo(5 * u, 9 * u);
    cup.lineTo(22 * u, 9 * u);
    cup.cubicTo(22 * u, 17 * u, 20 * u, 22 * u, 16 * u, 23 * u);
    cup.lineTo(11 * u, 23 * u);
    cup.cubicTo(7 * u, 22 * u, 5 * u, 17 * u, 5 * u, 9 * u);
    cup.closeSubpath();
    QPainterPath handle;
    handle.addEllipse(QRectF(18.5 * u, 11 * u, 8 * u, 7 * u));
    QPainterPath hole;
    hole.addEllipse(QRectF(21 * u, 13 * u, 3.6 * u, 3 * u));
    handle = handle.subtracted(hole);
    QPainterPath saucer;
    saucer.addRoundedRect(QRectF(2 * u, 24 * u, 26 * u, 2.6 * u), 1.3 * u, 1.3 * u);
    return cup.united(handle).united(saucer);
}

enum class CupFill { Empty, Half, Full };

void drawCup(QPainter& p, qreal side, CupFill fill, const QColor& emptyColor = cupGray) {
    const QPainterPath cup = cupPath(side);
    const qreal u = side / 30.0;
    p.setPen(Qt::NoPen);
    p.setBrush(emptyColor);
    p.drawPath(cup);
    if (fill == CupFill::Empty) {
        // A hollow look: the inside of the cup shows lighter.
        QPainterPath inside;
        inside.moveTo(7.2 * u, 11 * u);
        inside.lineTo(19.8 * u, 11 * u);
        inside.cubicTo(19.8 * u, 16.5 * u, 18.5 * u, 20.5 * u, 15.5 * u, 21 * u);
        inside.lineTo(11.5 * u, 21 * u);
        inside.cubicTo(8.5 * u, 20.5 * u, 7.2 * u, 16.5 * u, 7.2 * u, 11 * u);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawPath(inside);
        return;
    }
    p.save();
    if (fill == CupFill::Half)
        p.setClipRect(QRectF(0, 0, 14.5 * u, side));
    p.setBrush(verticalGradient(QRectF(0, 9 * u, side, 18 * u), brightRed, korvoRed));
    p.drawPath(cup);
    p.restore();
    if (fill == CupFill::Full) {
        QPen steam(korvoYellow, 1.6 * u, Qt::SolidLine, Qt::RoundCap);
        p.setPen(steam);
        p.setBrush(Qt::NoBrush);
        for (qreal x : {10.0, 15.0}) {
            QPainterPath wisp;
            wisp.moveTo(x * u, 7 * u);
            wisp.cubicTo((x - 2) * u, 5 * u, (x + 2) * u, 4 * u, x * u, 2 * u);
            p.drawPath(wisp);
        }
    }
}

// A coffee bean, for the coffee information tab.
void drawBean(QPainter& p, qreal side, const QColor& color) {
    const qreal u = side / 30.0;
    p.save();
    p.translate(15 * u, 15 * u);
    p.rotate(-35);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QRectF(-8 * u, -12 * u, 16 * u, 24 * u));
    QPen crease(QColor(255, 255, 255, 230), 1.8 * u, Qt::SolidLine, Qt::RoundCap);
    p.setPen(crease);
    QPainterPath line;
    line.moveTo(0, -10 * u);
    line.cubicTo(-4 * u, -4 * u, 4 * u, 4 * u, 0, 10 * u);
    p.drawPath(line);
    p.restore();
}

// A list with a star, for the all reviews tab.
void drawReviewList(QPainter& p, qreal side, const QColor& color) {
    const qreal u = side / 30.0;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (int row = 0; row < 3; ++row) {
        const qreal y = (7 + row * 7) * u;
        p.drawEllipse(QRectF(3 * u, y, 4 * u, 4 * u));
        p.drawRoundedRect(QRectF(9.5 * u, y + 0.5 * u, (row == 0 ? 10 : 17) * u, 3 * u), 1.5 * u, 1.5 * u);
    }
    QPainterPath star;
    const QPointF centre(24 * u, 8.5 * u);
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0 ? 5.5 : 2.3) * u;
        const qreal angle = M_PI / 5 * i - M_PI / 2;
        const QPointF point = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
}

// Menu glyphs, white on the red disc of a menu button, drawn in a 36 point square at the origin.
void drawStampCard(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(7, 10, 22, 16), 2.5, 2.5);
    for (int i = 0; i < 6; ++i) {
        const QPointF centre(11.5 + (i % 3) * 6.5, 15 + (i / 3) * 6.5);
        p.setBrush(i < 4 ? korvoYellow : QColor(0xDD, 0xDD, 0xDD));
        p.drawEllipse(centre, 2.2, 2.2);
    }
}

void drawPriceTag(QPainter& p) {
    QPainterPath tag;
    tag.moveTo(18, 7);
    tag.lineTo(29, 7);
    tag.lineTo(29, 18);
    tag.lineTo(17, 30);
    tag.lineTo(6, 19);
    tag.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(24.5, 11.5), 1.8, 1.8);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(tag.subtracted(hole));
    p.setPen(QPen(korvoRed, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 22.5), QPointF(20.5, 16.5));
    p.setPen(Qt::NoPen);
    p.setBrush(korvoRed);
    p.drawEllipse(QPointF(14.8, 17), 1.5, 1.5);
    p.drawEllipse(QPointF(20.2, 22.2), 1.5, 1.5);
}

void drawTicket(QPainter& p) {
    QPainterPath ticket;
    ticket.addRoundedRect(QRectF(5, 11, 26, 14), 2, 2);
    QPainterPath notches;
    notches.addEllipse(QPointF(5, 18), 2.6, 2.6);
    notches.addEllipse(QPointF(31, 18), 2.6, 2.6);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(ticket.subtracted(notches));
    p.setPen(korvoRed);
    p.setFont(boldFont(8));
    p.drawText(QRectF(5, 11, 26, 14), Qt::AlignCenter, "kr");
}

void drawNewspaper(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 8, 20, 21), 2, 2);
    p.setBrush(korvoRed);
    p.drawRect(QRectF(11, 11, 14, 4));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(11, 18 + i * 3.3, i == 2 ? 9 : 14, 1.4));
}

void drawMapPin(QPainter& p) {
    QPainterPath pin;
    pin.moveTo(18, 30);
    pin.cubicTo(12, 22, 9, 18.5, 9, 14.5);
    pin.arcTo(QRectF(9, 5.5, 18, 18), 180, -180);
    pin.cubicTo(27, 18.5, 24, 22, 18, 30);
    pin.closeSubpath();
    QPainterPath dot;
    dot.addEllipse(QPointF(18, 14.5), 3.6, 3.6);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(pin.subtracted(dot));
}

void drawStopwatch(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(15.5, 5, 5, 3), 1, 1);
    p.drawEllipse(QPointF(18, 19.5), 10, 10);
    p.setBrush(korvoRed);
    p.drawEllipse(QPointF(18, 19.5), 7.6, 7.6);
    p.setBrush(korvoYellow);
    QPainterPath slice;
    slice.moveTo(18, 19.5);
    slice.arcTo(QRectF(10.4, 11.9, 15.2, 15.2), 90, -100);
    slice.closeSubpath();
    p.drawPath(slice);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 19.5), QPointF(18, 13.5));
}

// A home menu button: a white card with the glyph on a red disc; the caption is the button's own text,
// drawn by the app in the lower third.
void drawMenuButton(QPainter& p, const std::function<void(QPainter&)>& glyph) {
    const QRectF card(0.5, 0.5, 95, 83);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 28));
    p.drawRoundedRect(card.translated(0, 1), 8, 8);
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 8, 8);
    p.setBrush(korvoYellow);
    p.drawRoundedRect(QRectF(card.left() + 30, card.bottom() - 4, card.width() - 60, 2), 1, 1);
    p.save();
    p.translate(30, 9);
    p.setBrush(verticalGradient(QRectF(0, 0, 36, 36), brightRed, korvoRed));
    p.drawEllipse(QRectF(0, 0, 36, 36));
    glyph(p);
    p.restore();
}

void drawStartPicture(QPainter& p, qreal width, qreal height) {
    const QRectF all(0, 0, width, height);
    QRadialGradient glow(QPointF(width / 2, height * 0.42), height * 0.6);
    glow.setColorAt(0, brightRed);
    glow.setColorAt(1, deepRed);
    p.fillRect(all, glow);
    drawLogo(p, QRectF(width / 2 - 70, height * 0.42 - 70, 140, 140));
    p.setPen(Qt::white);
    QFont tagline = boldFont(15);
    tagline.setBold(false);
    p.setFont(tagline);
    p.drawText(QRectF(0, height * 0.42 + 86, width, 24), Qt::AlignCenter, "Alltid i nærheten");
    p.fillRect(QRectF(0, height - 8, width, 8), korvoYellow);
    p.fillRect(QRectF(0, height - 12, width, 4), charcoal);
}

void drawInfoBackground(QPainter& p, qreal width, qreal height) {
    p.fillRect(QRectF(0, 0, width, height), lightGray);
    const QRectF header(0, 0, width, 200);
    p.fillRect(header, verticalGradient(header, brightRed, korvoRed));
    p.fillRect(QRectF(0, 200, width, 4), korvoYellow);
    drawLogo(p, QRectF(width / 2 - 55, 64, 110, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(12, 224, width - 24, height - 224 - 48), 10, 10);
    p.setPen(QColor(0x88, 0x88, 0x88));
    QFont small = boldFont(10);
    small.setBold(false);
    p.setFont(small);
    p.drawText(QRectF(0, height - 40, width, 20), Qt::AlignCenter, "Korvo Store – alltid i nærheten");
}

void drawCouponBackside(QPainter& p) {
    const QRectF card(0, 0, 218, 304);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(card, brightRed, deepRed));
    p.drawRoundedRect(card, 12, 12);
    // Faint diagonal stripes.
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(card, 12, 12);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(255, 255, 255, 18), 10));
    for (qreal x = -304; x < 218; x += 28)
        p.drawLine(QPointF(x, 304), QPointF(x + 304, 0));
    p.restore();
    p.setPen(QPen(korvoYellow, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(8, 8, -8, -8), 7, 7);
    drawLogo(p, QRectF(109 - 56, 152 - 62, 112, 112));
    p.setPen(Qt::white);
    QFont small = boldFont(11);
    small.setBold(false);
    p.setFont(small);
    p.drawText(QRectF(0, 236, 218, 20), Qt::AlignCenter, "Digitale kuponger");
}

void drawAdvert(QPainter& p) {
    const QRectF all(0, 0, 320, 106);
    QLinearGradient shade(all.topLeft(), all.topRight());
    shade.setColorAt(0, charcoal);
    shade.setColorAt(0.55, QColor(0x5A, 0x12, 0x1E));
    shade.setColorAt(1, korvoRed);
    p.fillRect(all, shade);
    // Warm light behind the cup.
    QRadialGradient light(QPointF(250, 56), 70);
    light.setColorAt(0, QColor(255, 204, 0, 110));
    light.setColorAt(1, QColor(255, 204, 0, 0));
    p.fillRect(all, light);
    p.save();
    p.translate(205, 14);
    const qreal side = 84;
    const QPainterPath cup = cupPath(side);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(cup);
    p.setBrush(korvoRed);
    p.drawRect(QRectF(side / 30 * 6.5, side / 30 * 13, side / 30 * 14.5, side / 30 * 2.2));
    p.setPen(QPen(QColor(255, 255, 255, 200), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (qreal x : {30.0, 42.0}) {
        QPainterPath wisp;
        wisp.moveTo(x, 20);
        wisp.cubicTo(x - 6, 14, x + 6, 8, x, 0);
        p.drawPath(wisp);
    }
    p.restore();
    // A yellow "new" seal.
    p.setPen(Qt::NoPen);
    p.setBrush(korvoYellow);
    p.drawEllipse(QPointF(292, 24), 18, 18);
    p.setPen(charcoal);
    p.setFont(boldFont(8.5));
    p.drawText(QRectF(274, 6, 36, 36), Qt::AlignCenter, "NYHET");
}

void drawBottomBar(QPainter& p) {
    const QRectF bar(0, 0, 320, 60);
    p.fillRect(bar, verticalGradient(bar, slate, charcoal));
    p.fillRect(QRectF(0, 0, 320, 3), korvoYellow);
    // A small gift at the left.
    p.save();
    p.translate(8, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(korvoRed);
    p.drawRoundedRect(QRectF(1, 7, 18, 13), 2, 2);
    p.setBrush(brightRed);
    p.drawRoundedRect(QRectF(0, 3.5, 20, 5), 1.5, 1.5);
    p.setBrush(korvoYellow);
    p.drawRect(QRectF(8.5, 3.5, 3, 16.5));
    p.setPen(QPen(korvoYellow, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4, -0.5, 6, 4));
    p.drawEllipse(QRectF(10, -0.5, 6, 4));
    p.restore();
}

void drawOfflineBanner(QPainter& p) {
    const QRectF strip(0, 0, 320, 30);
    p.fillRect(strip, verticalGradient(strip, brightRed, korvoRed));
    p.fillRect(QRectF(0, 28.5, 320, 1.5), deepRed);
    p.setPen(Qt::NoPen);
    p.setBrush(korvoYellow);
    p.drawEllipse(QPointF(17, 15), 8, 8);
    p.setPen(charcoal);
    p.setFont(boldFont(12));
    p.drawText(QRectF(9, 7, 16, 16), Qt::AlignCenter, "!");
}

void drawTopBar(QPainter& p) {
    // Plain along its width, so any width works; the bottom 42 points keep their size.
    const QRectF bar(0, 0, 320, 64);
    p.fillRect(bar, verticalGradient(bar, brightRed, korvoRed));
    p.fillRect(QRectF(0, 60, 320, 1), deepRed);
    p.fillRect(QRectF(0, 61, 320, 3), korvoYellow);
}

void drawRoundIcon(QPainter& p, qreal side, const std::function<void(QPainter&)>& glyph) {
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QRectF(3, 3, side - 6, side - 6));
    glyph(p);
}

void drawPhoneButton(QPainter& p, bool pressed) {
    const QRectF face(0.5, 0.5, 32, 31);
    p.setPen(Qt::NoPen);
    p.setBrush(pressed ? verticalGradient(face, deepRed, deepRed.darker(115))
                       : verticalGradient(face, brightRed, korvoRed));
    p.drawRoundedRect(face, 6, 6);
    // A handset.
    QPainterPath handset;
    handset.moveTo(11, 8);
    handset.cubicTo(8, 9, 8, 12, 9, 15);
    handset.cubicTo(11, 20, 14, 23, 19, 25);
    handset.cubicTo(22, 26, 24.5, 25, 25, 22.5);
    handset.lineTo(21.5, 19.5);
    handset.lineTo(19, 21);
    handset.cubicTo(16, 19.5, 13.5, 17, 12, 14);
    handset.lineTo(13.5, 11.5);
    handset.closeSubpath();
    p.setBrush(pressed ? korvoYellow : QColor(Qt::white));
    p.drawPath(handset);
}

void drawCarWash(QPainter& p) {
    const QRectF face(1, 1, 30, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(korvoYellow);
    p.drawRoundedRect(face, 6, 6);
    // Drops.
    p.setBrush(waterBlue);
    for (QPointF top : {QPointF(9, 4.5), QPointF(16, 3), QPointF(23, 4.5)}) {
        QPainterPath drop;
        drop.moveTo(top);
        drop.cubicTo(top + QPointF(3, 4), top + QPointF(2.6, 7), top + QPointF(0, 7));
        drop.cubicTo(top + QPointF(-2.6, 7), top + QPointF(-3, 4), top);
        p.drawPath(drop);
    }
    // Car.
    p.setBrush(charcoal);
    QPainterPath cabin;
    cabin.moveTo(9.5, 18);
    cabin.lineTo(12, 13.5);
    cabin.lineTo(20, 13.5);
    cabin.lineTo(22.5, 18);
    cabin.closeSubpath();
    p.drawPath(cabin);
    p.drawRoundedRect(QRectF(5, 17.5, 22, 6.5), 2.5, 2.5);
    p.setBrush(korvoYellow);
    p.drawRect(QRectF(13, 15, 6, 2.5));
    p.setBrush(charcoal);
    p.drawEllipse(QPointF(10, 24.5), 2.6, 2.6);
    p.drawEllipse(QPointF(22, 24.5), 2.6, 2.6);
    p.setBrush(korvoYellow);
    p.drawEllipse(QPointF(10, 24.5), 1, 1);
    p.drawEllipse(QPointF(22, 24.5), 1, 1);
}

void drawAll(PictureWriter& out) {
    out.draw("BadgeIcon.png", 25, 25, [](QPainter& p) { drawBadge(p, 25); });
    out.draw("BigBadgesImage.png", 35, 35, [](QPainter& p) { drawBadge(p, 35); });

    // Button backgrounds at the rating button's size; stretchable with caps of 8 points.
    out.draw("homeScreenButtonRed.png", 96, 32,
             [](QPainter& p) { drawButtonFace(p, QRectF(0, 0, 96, 32), brightRed, korvoRed, deepRed); });
    out.draw("homeScreenButtonBlack.png", 96, 32, [](QPainter& p) {
        drawButtonFace(p, QRectF(0, 0, 96, 32), QColor(0x4A, 0x4A, 0x4A), charcoal, QColor(0x0A, 0x0A, 0x0A));
    });

    // Form buttons of the member screen: stretchable with a left cap of 20 points and a one-point middle.
    out.draw("BlackButton.png", 41, 40, [](QPainter& p) {
        drawButtonFace(p, QRectF(0, 0, 41, 40), QColor(0x4A, 0x4A, 0x4A), charcoal, QColor(0x0A, 0x0A, 0x0A));
    });
    out.draw("BlackButtonPressed.png", 41, 40, [](QPainter& p) {
        drawButtonFace(p, QRectF(0, 0, 41, 40), charcoal, QColor(0x0A, 0x0A, 0x0A), QColor(0x00, 0x00, 0x00));
    });

    out.draw("topBar.png", 320, 64, drawTopBar);
    out.draw("topBarLogo.png", 120, 36, [](QPainter& p) { drawWordMark(p, QPointF(60, 18), 19); });
    out.draw("logo.png", 128, 128, [](QPainter& p) { drawLogo(p, QRectF(0, 0, 128, 128)); });

    out.draw(
        "Default.png", 320, 480, [](QPainter& p) { drawStartPicture(p, 320, 480); }, 1);
    out.draw("Default@2x.png", 320, 480, [](QPainter& p) { drawStartPicture(p, 320, 480); });
    out.draw("Default-568h@2x.png", 320, 568, [](QPainter& p) { drawStartPicture(p, 320, 568); });
    out.draw("InfoBackground.png", 320, 480, [](QPainter& p) { drawInfoBackground(p, 320, 480); });
    out.draw("InfoBackground-568h@2x.png", 320, 568, [](QPainter& p) { drawInfoBackground(p, 320, 568); });

    out.draw("CouponBackside.png", 218, 304, drawCouponBackside);
    out.draw("homeAd.png", 320, 106, drawAdvert);
    out.draw("bottomBar.png", 320, 60, drawBottomBar);
    out.draw("offlineBanner.png", 320, 30, drawOfflineBanner);

    const std::pair<const char*, void (*)(QPainter&)> menu[] = {
        {"menuLoyaltyCards.png", drawStampCard}, {"menuPromotions.png", drawPriceTag},
        {"menuValueCoupons.png", drawTicket},    {"menuNews.png", drawNewspaper},
        {"menuStoreFinder.png", drawMapPin},     {"menuCompetition.png", drawStopwatch},
    };
    for (const auto& [name, glyph] : menu)
        out.draw(name, 96, 84, [glyph](QPainter& p) { drawMenuButton(p, glyph); });

    // Cups: empty, half and full, for the rating rows (20 points) and the give points tab (30 points).
    out.draw("givePointsTabBar.png", 30, 30, [](QPainter& p) { drawCup(p, 30, CupFill::Empty); });
    out.draw("givePointsTabBarHighlighted.png", 30, 30, [](QPainter& p) { drawCup(p, 30, CupFill::Full); });
    out.draw("halfRate.png", 30, 30, [](QPainter& p) { drawCup(p, 30, CupFill::Half); });
    out.draw("emptyRate.png", 20, 20, [](QPainter& p) { drawCup(p, 20, CupFill::Empty); });
    out.draw("fullRate.png", 20, 20, [](QPainter& p) { drawCup(p, 20, CupFill::Full); });
    out.draw("caffeLumenoTabBar.png", 30, 30, [](QPainter& p) { drawBean(p, 30, cupGray); });
    out.draw("caffeLumenoTabBarHighlighted.png", 30, 30, [](QPainter& p) { drawBean(p, 30, korvoRed); });
    out.draw("allReviewsTabBar.png", 30, 30, [](QPainter& p) { drawReviewList(p, 30, cupGray); });
    out.draw("allReviewsTabBarHighlighted.png", 30, 30, [](QPainter& p) { drawReviewList(p, 30, korvoRed); });

    out.draw("phone_button_OFF.png", 33, 32, [](QPainter& p) { drawPhoneButton(p, false); });
    out.draw("phone_button_ON.png", 33, 32, [](QPainter& p) { drawPhoneButton(p, true); });
    out.draw("CarWash.png", 32, 32, drawCarWash);

    // Small white icons for the top bars.
    out.draw("infoButton.png", 32, 32, [](QPainter& p) {
        drawRoundIcon(p, 32, [](QPainter& q) {
            q.setPen(Qt::NoPen);
            q.setBrush(Qt::white);
            q.drawEllipse(QPointF(16, 10.5), 1.8, 1.8);
            q.drawRoundedRect(QRectF(14.4, 14, 3.2, 10), 1.2, 1.2);
        });
    });
    out.draw("tipsButton.png", 32, 32, [](QPainter& p) {
        drawRoundIcon(p, 32, [](QPainter& q) {
            q.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            q.setBrush(Qt::NoBrush);
            q.drawRoundedRect(QRectF(9, 11, 14, 10), 1.5, 1.5);
            q.drawPolyline(QPolygonF({QPointF(9.5, 11.5), QPointF(16, 17), QPointF(22.5, 11.5)}));
        });
    });
    out.draw("closeButton.png", 32, 32, [](QPainter& p) {
        drawRoundIcon(p, 32, [](QPainter& q) {
            q.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
            q.drawLine(QPointF(11.5, 11.5), QPointF(20.5, 20.5));
            q.drawLine(QPointF(20.5, 11.5), QPointF(11.5, 20.5));
        });
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: draw_pictures <pictures folder>\n";
        return 2;
    }
    if (!QDir().mkpath(argv[1])) {
        QTextStream(stderr) << "Cannot create " << argv[1] << "\n";
        return 1;
    }
    PictureWriter out(QString::fromLocal8Bit(argv[1]));
    drawAll(out);
    return out.failed() ? 1 : 0;
}
