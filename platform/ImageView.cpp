#include "platform/ImageView.h"

#include <qdrawutil.h>
#include <QPainter>

ImageView::ImageView(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageView::setImageName(const QString& name) {
    m_imageName = name;
    setImage(imageNamed(name));
}

void ImageView::setImage(const QPixmap& image) {
    m_image = image;
    update();
}

void ImageView::setCapInsets(const QMargins& insets, ResizingMode mode) {
    m_capInsets = insets;
    m_resizingMode = mode;
    update();
}

void ImageView::setAlpha(qreal alpha) {
    m_alpha = std::clamp(alpha, 0.0, 1.0);
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setOpacity(m_alpha);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_capInsets.isNull()) {
        painter.drawPixmap(rect(), m_image);
        return;
    }
    const Qt::TileRule middle = m_resizingMode == ResizingMode::Tile ? Qt::RepeatTile : Qt::StretchTile;
    // Cap insets are in points; the caps of a double-resolution picture are twice as many pixels.
    const QMargins sourceCaps = m_capInsets * m_image.devicePixelRatio();
    qDrawBorderPixmap(&painter, rect(), m_capInsets, m_image, m_image.rect(), sourceCaps, QTileRules(middle));
}

QPixmap imageNamed(const QString& name) {
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    QStringList candidates{name};
    if (!stem.endsWith(QLatin1String("@2x")))
        candidates.prepend(stem + QStringLiteral("@2x") + extension);
    for (const QString& candidate : std::as_const(candidates)) {
        QPixmap picture(QStringLiteral(":/pictures/") + candidate);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(2);
            return picture;
        }
    }
    return {};
}
