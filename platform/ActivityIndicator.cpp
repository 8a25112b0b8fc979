#include "platform/ActivityIndicator.h"

#include <QPainter>

namespace {

constexpr int kSpokes = 12;

} // namespace

ActivityIndicator::ActivityIndicator(QWidget* parent)
    : QWidget(parent) {
    resize(20, 20);
    m_timer.setInterval(1000 / kSpokes); // one turn a second
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % kSpokes;
        update();
    });
    setVisible(!m_hidesWhenStopped);
}

void ActivityIndicator::startAnimating() {
    m_timer.start();
    show();
}

void ActivityIndicator::stopAnimating() {
    m_timer.stop();
    if (m_hidesWhenStopped)
        hide();
}

void ActivityIndicator::setHidesWhenStopped(bool hides) {
    m_hidesWhenStopped = hides;
    if (!isAnimating())
        setVisible(!hides);
}

void ActivityIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height());
    painter.translate(width() / 2.0, height() / 2.0);
    QPen pen(QColor(0x8e, 0x8e, 0x93));
    pen.setWidthF(side / 10);
    pen.setCapStyle(Qt::RoundCap);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        // The spoke at the current step is the darkest; those behind it fade.
        const int age = (m_step - spoke + kSpokes) % kSpokes;
        QColor color = pen.color();
        color.setAlphaF(1.0 - 0.75 * age / kSpokes);
        pen.setColor(color);
        painter.setPen(pen);
        painter.save();
        painter.rotate(360.0 * spoke / kSpokes);
        painter.drawLine(QPointF(0, -side / 4), QPointF(0, -side / 2 + pen.widthF()));
        painter.restore();
    }
}
