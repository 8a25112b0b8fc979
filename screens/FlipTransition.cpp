#include "screens/FlipTransition.h"

#include <QPainter>

FlipTransition* FlipTransition::run(QWidget* view, From from, int durationMs,
                                    const std::function<void()>& change) {
    const QPixmap before = view->grab();
    change();
    const QPixmap after = view->grab();
    return new FlipTransition(view, from, before, after, durationMs);
}

FlipTransition::FlipTransition(QWidget* view, From from, const QPixmap& before, const QPixmap& after,
                               int durationMs)
    : QWidget(view)
    , m_before(before)
    , m_after(after)
    , m_from(from) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(view->rect());
    // The changed view must not show through beside the picture while it turns edge-on.
    for (QWidget* child : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != this && !child->isHidden()) {
            child->hide();
            m_hiddenContent.append(child);
        }
    }
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    m_animation.setDuration(durationMs);
    m_animation.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_progress = value.toReal();
        update();
    });
    connect(&m_animation, &QVariantAnimation::finished, this, &QObject::deleteLater);
    show();
    raise();
    m_animation.start();
}

FlipTransition::~FlipTransition() {
    for (const QPointer<QWidget>& child : std::as_const(m_hiddenContent)) {
        if (child)
            child->show();
    }
}

void FlipTransition::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const bool firstHalf = m_progress < 0.5;
    const qreal direction = m_from == From::Left ? 1 : -1;
    // The old side turns from facing the viewer to edge-on, the new side from edge-on to facing the viewer.
    const qreal angle = direction * (firstHalf ? m_progress * 180 : m_progress * 180 - 180);
    QTransform transform;
    transform.translate(width() / 2.0, 0);
    transform.rotate(angle, Qt::YAxis);
    transform.translate(-width() / 2.0, 0);
    painter.setTransform(transform);
    painter.drawPixmap(0, 0, firstHalf ? m_before : m_after);
}
