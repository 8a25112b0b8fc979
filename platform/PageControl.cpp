#include "platform/PageControl.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr qreal dotSize = 7;
constexpr qreal dotSpacing = 9;
} // namespace

PageControl::PageControl(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void PageControl::setNumberOfPages(int pages) {
    m_numberOfPages = std::max(pages, 0);
    setCurrentPage(m_currentPage);
}

void PageControl::setCurrentPage(int page) {
    m_currentPage = std::clamp(page, 0, std::max(m_numberOfPages - 1, 0));
    update();
}

void PageControl::paintEvent(QPaintEvent*) {
    if (m_numberOfPages == 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal rowWidth = m_numberOfPages * dotSize + (m_numberOfPages - 1) * dotSpacing;
    qreal x = (width() - rowWidth) / 2;
    for (int page = 0; page < m_numberOfPages; ++page) {
        painter.setBrush(page == m_currentPage ? QColor(60, 60, 60) : QColor(60, 60, 60, 80));
        painter.drawEllipse(QRectF(x, (height() - dotSize) / 2, dotSize, dotSize));
        x += dotSize + dotSpacing;
    }
}

void PageControl::mouseReleaseEvent(QMouseEvent* event) {
    if (m_numberOfPages == 0 || !rect().contains(event->position().toPoint()))
        return;
    const qreal rowWidth = m_numberOfPages * dotSize + (m_numberOfPages - 1) * dotSpacing;
    const qreal currentDot = (width() - rowWidth) / 2 + m_currentPage * (dotSize + dotSpacing) + dotSize / 2;
    const int page = m_currentPage + (event->position().x() < currentDot ? -1 : 1);
    if (page < 0 || page >= m_numberOfPages)
        return;
    setCurrentPage(page);
    emit valueChanged();
}
