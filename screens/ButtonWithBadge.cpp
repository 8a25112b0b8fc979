#include "screens/ButtonWithBadge.h"

#include "platform/ImageView.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>

#include <algorithm>
#include <cmath>

struct ButtonWithBadge::Variant {
    const char* image;
    int capInset;
    qreal side;
    qreal textInset;
    qreal labelTop;
    int fontSize;
};

const ButtonWithBadge::Variant& ButtonWithBadge::variantFor(bool big) {
    static const Variant normal{"BadgeIcon.png", 12, 25, 9, 0, 11};
    static const Variant large{"BigBadgesImage.png", 17, 35, 11, 2, 17};
    return big ? large : normal;
}

ButtonWithBadge::ButtonWithBadge(QWidget* parent)
    : QPushButton(parent) {}

ButtonWithBadge::~ButtonWithBadge() {
    delete m_badgeImageView;
}

void ButtonWithBadge::setIsBig(bool big) {
    m_isBig = big;
    if (m_badgeImageView)
        setBadgeCount(m_badgeCount);
}

void ButtonWithBadge::createBadge(const Variant& variant) {
    m_badgeImageView = new ImageView(parentWidget() ? parentWidget() : this);
    m_badgeImageView->setImage(imageNamed(QString::fromLatin1(variant.image)));
    m_badgeImageView->setCapInsets(
        QMargins(variant.capInset, variant.capInset, variant.capInset, variant.capInset));
    m_badgeImageView->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_badgeFrame = QRectF(width() - variant.side + 7, -7, variant.side, variant.side);

    m_badgeCountLabel = new QLabel(m_badgeImageView);
    m_badgeCountLabel->setGeometry(QRectF(variant.textInset, variant.labelTop,
                                          variant.side - 2 * variant.textInset, variant.fontSize + 7)
                                       .toRect());
    QFont font = m_badgeCountLabel->font();
    font.setBold(true);
    font.setPixelSize(variant.fontSize);
    m_badgeCountLabel->setFont(font);
    m_badgeCountLabel->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_badgeCountLabel->setAlignment(Qt::AlignCenter);
}

void ButtonWithBadge::setBadgeCount(unsigned count) {
    m_badgeCount = count;
    const Variant& variant = variantFor(m_isBig);
    if (!m_badgeImageView)
        createBadge(variant);
    if (count == 0) {
        m_badgeImageView->hide();
        return;
    }
    const QString text = QString::number(count);
    const qreal textWidth = QFontMetricsF(m_badgeCountLabel->font()).horizontalAdvance(text);
    const qreal badgeWidth = std::max(std::ceil(textWidth) + 2 * variant.textInset, variant.side);
    m_badgeFrame = QRectF(width() - badgeWidth + 7, -7, badgeWidth, m_badgeFrame.height());
    // The label grows with the badge.
    const QRect label = m_badgeCountLabel->geometry();
    m_badgeCountLabel->resize(int(badgeWidth - 2 * label.x()), label.height());
    m_badgeCountLabel->setText(text);
    placeBadge();
    m_badgeImageView->setVisible(isVisible() || !parentWidget());
    m_badgeImageView->raise();
}

void ButtonWithBadge::placeBadge() {
    if (!m_badgeImageView)
        return;
    const QPointF origin = m_badgeImageView->parentWidget() == this ? QPointF() : QPointF(pos());
    m_badgeImageView->setGeometry(m_badgeFrame.translated(origin).toRect());
}

bool ButtonWithBadge::event(QEvent* event) {
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        placeBadge();
        break;
    case QEvent::Show:
        if (m_badgeImageView && m_badgeCount > 0)
            m_badgeImageView->show();
        break;
    case QEvent::Hide:
        if (m_badgeImageView)
            m_badgeImageView->hide();
        break;
    default:
        break;
    }
    return handled;
}
