#include "sim/PictureFactory.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QString fontFamily = QStringLiteral("DejaVu Sans");

struct CouponStyle {
    QColor colour;
    QString kind;
};

CouponStyle styleFor(const SimulatedCoupon& coupon) {
    if (coupon.universe == QLatin1String("KAFFE"))
        return {QColor(0x5b, 0x3a, 0x29),
                coupon.typeId == 145 ? QStringLiteral("LOJALITETSKORT") : QStringLiteral("KAFFE")};
    switch (coupon.typeId) {
    case 143:
    case 144:
        return {QColor(0xd2, 0x26, 0x30), QStringLiteral("TILBUD")};
    case 145:
        return {QColor(0x1d, 0x5c, 0x3a), QStringLiteral("LOJALITETSKORT")};
    case 146:
        return {QColor(0x1f, 0x4e, 0x9c), QStringLiteral("VERDIKUPONG")};
    default:
        return {QColor(0xe0, 0x8a, 0x00), QStringLiteral("FØRST TIL KORVO STORE")};
    }
}

QFont font(int pixelSize, bool bold = false) {
    QFont result(fontFamily);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    return result;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void fillBackground(QPainter& painter, const QRect& area, const QColor& colour) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, colour.lighter(125));
    gradient.setColorAt(1, colour.darker(130));
    painter.fillRect(area, gradient);
}

void drawStamps(QPainter& painter, const SimulatedCoupon& coupon, const QRect& area) {
    const int columns = qMin(coupon.stampsNeeded, 5);
    const int size = 56;
    const int gap = 14;
    const int left = area.center().x() - (columns * size + (columns - 1) * gap) / 2;
    painter.setFont(font(26, true));
    for (int index = 0; index < coupon.stampsNeeded; ++index) {
        const QRect circle(left + (index % columns) * (size + gap),
                           area.top() + (index / columns) * (size + gap), size, size);
        const bool stamped = index < coupon.stamps;
        painter.setPen(QPen(Qt::white, 3));
        painter.setBrush(stamped ? QBrush(Qt::white) : Qt::NoBrush);
        painter.drawEllipse(circle);
        if (stamped) {
            painter.setPen(styleFor(coupon).colour);
            painter.drawText(circle, Qt::AlignCenter, QStringLiteral("✓"));
        }
    }
}

} // namespace

QByteArray PictureFactory::couponCard(const SimulatedCoupon& coupon) {
    const CouponStyle style = styleFor(coupon);
    QImage image(couponWidth, couponHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QPainterPath card;
    card.addRoundedRect(QRectF(image.rect()).adjusted(2, 2, -2, -2), 24, 24);
    painter.setClipPath(card);
    fillBackground(painter, image.rect(), style.colour);

    painter.fillRect(QRect(0, 0, couponWidth, 72), QColor(0, 0, 0, 60));
    painter.setPen(Qt::white);
    painter.setFont(font(24, true));
    painter.drawText(QRect(24, 0, couponWidth - 48, 72), Qt::AlignVCenter | Qt::AlignLeft, style.kind);
    painter.setFont(font(18));
    painter.drawText(QRect(24, 0, couponWidth - 48, 72), Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("Korvo Store"));

    painter.setFont(font(44, true));
    painter.drawText(QRect(28, 100, couponWidth - 56, 150), Qt::AlignCenter | Qt::TextWordWrap, coupon.title);

    const QRect priceBadge(couponWidth / 2 - 110, 262, 220, 110);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(priceBadge, 20, 20);
    painter.setPen(style.colour.darker(110));
    painter.setFont(font(coupon.price.size() > 10 ? 22 : 40, true));
    painter.drawText(priceBadge.adjusted(8, 0, -8, 0), Qt::AlignCenter | Qt::TextWordWrap, coupon.price);

    if (coupon.stampsNeeded > 0)
        drawStamps(painter, coupon, QRect(0, 396, couponWidth, 130));

    // A stamp card's sub-text is shown by the app in the card's bottom strip, over this part of the picture.
    if (coupon.stampsNeeded == 0) {
        painter.setPen(Qt::white);
        painter.setFont(font(20));
        painter.drawText(QRect(28, 420, couponWidth - 56, 60), Qt::AlignCenter | Qt::TextWordWrap,
                         coupon.subText);
    }
    painter.setFont(font(13));
    painter.setPen(QColor(255, 255, 255, 170));
    painter.drawText(QRect(24, couponHeight - 34, couponWidth - 48, 24), Qt::AlignRight,
                     QStringLiteral("Kupong %1 · v%2").arg(coupon.id).arg(coupon.version));
    painter.end();
    return png(image);
}

QByteArray PictureFactory::newsPicture(const SimulatedNewsItem& item) {
    QImage image(640, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int hue = int(qHash(item.id) % 360);
    fillBackground(painter, image.rect(), QColor::fromHsv(hue, 150, 170));
    painter.setPen(Qt::white);
    painter.setFont(font(18, true));
    painter.drawText(QRect(30, 20, 580, 30), Qt::AlignLeft, QStringLiteral("NYHET FRA KORVO STORE"));
    painter.setFont(font(40, true));
    painter.drawText(QRect(30, 60, 580, 120), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                     item.title);
    painter.setFont(font(20));
    painter.drawText(QRect(30, 190, 580, 90), Qt::AlignLeft | Qt::TextWordWrap, item.text);
    if (item.url.endsWith(QLatin1String(".mp4"))) {
        painter.setBrush(QColor(255, 255, 255, 200));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(560, 110), 40, 40);
        painter.setBrush(QColor::fromHsv(hue, 150, 140));
        painter.drawPolygon(QPolygon({QPoint(548, 88), QPoint(548, 132), QPoint(582, 110)}));
    }
    painter.end();
    return png(image);
}

QByteArray PictureFactory::splashAdvert(const SimulatedSplash& splash) {
    QImage image(640, 1136, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    fillBackground(painter, image.rect(), QColor(0xd2, 0x26, 0x30));
    painter.setPen(Qt::white);
    painter.setFont(font(36, true));
    painter.drawText(QRect(40, 120, 560, 60), Qt::AlignCenter, QStringLiteral("Korvo Store"));
    painter.setFont(font(72, true));
    painter.drawText(QRect(40, 340, 560, 260), Qt::AlignCenter | Qt::TextWordWrap, splash.title);
    painter.setFont(font(34));
    painter.drawText(QRect(60, 640, 520, 220), Qt::AlignCenter | Qt::TextWordWrap, splash.text);
    painter.end();
    return png(image);
}
