#include "platform/Carousel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int pictureRefreshMs = 400;
constexpr int wheelStep = 120; // one notch of a mouse wheel
constexpr qreal restTolerance = 1e-6;

// Cover-flow geometry, in items and degrees: how far the first side item sits from the centre, how close
// the further ones stack behind it, how much it is turned and how much smaller it looks.
constexpr qreal sideShift = 0.55;
constexpr qreal stackShift = 0.3;
constexpr qreal sideAngle = 50;
constexpr qreal sideShrink = 0.2;

} // namespace

Carousel::Carousel(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    m_scrollAnimation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_scrollAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setScrollOffset(value.toReal()); });
    connect(&m_scrollAnimation, &QVariantAnimation::finished, this, [this] {
        layOutLiveItem();
        update();
    });
    m_pictureRefresh.setInterval(pictureRefreshMs);
    connect(&m_pictureRefresh, &QTimer::timeout, this, &Carousel::refreshPictures);
}

Carousel::~Carousel() = default;

void Carousel::setDataSource(CarouselDataSource* dataSource) {
    m_dataSource = dataSource;
    if (dataSource)
        reloadData();
}

void Carousel::setDelegate(CarouselDelegate* delegate) {
    m_delegate = delegate;
    update();
}

void Carousel::setType(Type type) {
    m_type = type;
    update();
}

int Carousel::currentItemIndex() const {
    if (m_numberOfItems == 0)
        return -1;
    return std::clamp(int(std::lround(m_scrollOffset)), 0, m_numberOfItems - 1);
}

bool Carousel::isScrolling() const {
    return m_dragging || m_scrollAnimation.state() == QAbstractAnimation::Running;
}

qreal Carousel::itemWidth() const {
    const qreal fromDelegate = m_delegate ? m_delegate->carouselItemWidth(const_cast<Carousel*>(this)) : 0;
    if (fromDelegate > 0)
        return fromDelegate;
    const QWidget* any = m_itemViews.isEmpty() ? nullptr : *m_itemViews.cbegin();
    return any ? any->width() : width();
}

void Carousel::reloadData() {
    stopScrolling();
    for (QWidget* view : std::as_const(m_itemViews)) {
        view->hide();
        m_reusableViews.append(view);
    }
    m_itemViews.clear();
    m_pictures.clear();
    m_numberOfItems = m_dataSource ? std::max(m_dataSource->numberOfItemsInCarousel(this), 0) : 0;
    m_scrollOffset =
        m_numberOfItems == 0 ? 0 : std::clamp<qreal>(std::round(m_scrollOffset), 0, m_numberOfItems - 1);
    loadVisibleItems();
    layOutLiveItem();
    update();
    reportCurrentIndex();
}

void Carousel::scrollToItemAtIndex(int index, bool animated) {
    if (m_numberOfItems == 0)
        return;
    const int target = std::clamp(index, 0, m_numberOfItems - 1);
    if (!animated) {
        stopScrolling();
        setScrollOffset(target);
        layOutLiveItem();
        return;
    }
    const qreal distance = std::min<qreal>(std::abs(target - m_scrollOffset), 3);
    animateScrollTo(target, int(200 + 150 * distance));
}

QList<int> Carousel::indexesForVisibleItems() const {
    QList<int> indexes = m_itemViews.keys();
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

void Carousel::setScrollOffset(qreal offset) {
    m_scrollOffset = offset;
    loadVisibleItems();
    layOutLiveItem();
    update();
    reportCurrentIndex();
}

void Carousel::animateScrollTo(qreal target, int durationMs) {
    m_scrollAnimation.stop();
    if (std::abs(target - m_scrollOffset) < restTolerance) {
        setScrollOffset(target);
        layOutLiveItem();
        return;
    }
    m_scrollAnimation.setStartValue(m_scrollOffset);
    m_scrollAnimation.setEndValue(target);
    m_scrollAnimation.setDuration(durationMs);
    m_scrollAnimation.start();
    layOutLiveItem();
}

void Carousel::stopScrolling() {
    m_scrollAnimation.stop();
    m_dragging = false;
}

// Where momentum would carry the carousel, then there, coming to rest on an item when asked to.
void Carousel::settle(qreal velocity) {
    if (m_numberOfItems == 0)
        return;
    qreal target = m_scrollOffset + velocity / std::max<qreal>(m_decelerationRate, 0.01);
    if (m_stopAtItemBoundary || m_scrollToItemBoundary)
        target = std::round(target);
    target = std::clamp<qreal>(target, 0, m_numberOfItems - 1);
    const qreal distance = std::abs(target - m_scrollOffset);
    // An ease-out curve starts at three times its mean speed: match the flick's speed where there is one.
    const qreal durationMs =
        std::abs(velocity) > 0.1 ? 3000 * distance / std::abs(velocity) : 150 + 250 * distance;
    animateScrollTo(target, int(std::clamp<qreal>(durationMs, 150, 1200)));
}

void Carousel::loadVisibleItems() {
    if (!m_dataSource)
        return;
    const int visible = std::max(m_dataSource->numberOfVisibleItemsInCarousel(this), 1);
    const qreal reach = visible / 2 + 1; // items half in sight while moving count as visible
    const auto inSight = [&](int index) {
        return index >= 0 && index < m_numberOfItems && std::abs(index - m_scrollOffset) < reach;
    };
    for (const int index : m_itemViews.keys()) {
        if (inSight(index))
            continue;
        QWidget* view = m_itemViews.take(index);
        view->hide();
        m_pictures.remove(view);
        m_reusableViews.append(view);
    }
    const int first = int(std::ceil(m_scrollOffset - reach));
    const int last = int(std::floor(m_scrollOffset + reach));
    for (int index = first; index <= last; ++index) {
        if (!inSight(index) || m_itemViews.contains(index))
            continue;
        QWidget* reusable = m_reusableViews.isEmpty() ? nullptr : m_reusableViews.takeLast();
        QWidget* view = m_dataSource->carouselViewForItemAtIndex(this, index, reusable);
        if (reusable && view != reusable)
            m_reusableViews.append(reusable);
        if (!view)
            continue;
        if (view->parentWidget() != this)
            view->setParent(this);
        view->hide();
        m_pictures.remove(view);
        m_itemViews.insert(index, view);
    }
    if (m_itemViews.isEmpty())
        m_pictureRefresh.stop();
    else if (!m_pictureRefresh.isActive())
        m_pictureRefresh.start();
}

// At rest on an item, that item is its live widget, placed where its picture would be drawn.
void Carousel::layOutLiveItem() {
    const bool atRest =
        !isScrolling() && std::abs(m_scrollOffset - std::round(m_scrollOffset)) < restTolerance;
    const int live = atRest ? currentItemIndex() : -1;
    for (auto it = m_itemViews.cbegin(); it != m_itemViews.cend(); ++it) {
        QWidget* view = it.value();
        if (it.key() == live) {
            view->move((width() - view->width()) / 2, (height() - view->height()) / 2);
            view->show();
        } else if (view->isVisible()) {
            m_pictures.insert(view, view->grab());
            view->hide();
        }
    }
}

void Carousel::refreshPictures() {
    for (QWidget* view : std::as_const(m_itemViews)) {
        if (!view->isVisible())
            m_pictures.insert(view, view->grab());
    }
    update();
}

QPixmap Carousel::pictureOf(int index) {
    QWidget* view = m_itemViews.value(index);
    if (!view)
        return {};
    auto it = m_pictures.find(view);
    if (it == m_pictures.end())
        it = m_pictures.insert(view, view->grab());
    return it.value();
}

QTransform Carousel::transformForOffset(qreal offset, const QSize& size) const {
    const qreal w = itemWidth();
    QTransform transform;
    transform.translate(width() / 2.0, height() / 2.0);
    if (m_type == Type::CoverFlow) {
        const qreal side = std::clamp<qreal>(offset, -1, 1);
        transform.translate((side * sideShift + (offset - side) * stackShift) * w, 0);
        transform.rotate(-side * sideAngle, Qt::YAxis);
        const qreal scale = 1 - sideShrink * std::abs(side);
        transform.scale(scale, scale);
    } else {
        transform.translate(offset * w, 0);
    }
    transform.translate(-size.width() / 2.0, -size.height() / 2.0);
    return transform;
}

qreal Carousel::opacityForOffset(qreal offset) const {
    return std::clamp<qreal>(2 - std::abs(offset), 0, 1);
}

int Carousel::indexOfItemAt(const QPoint& point) const {
    QList<int> frontToBack = m_itemViews.keys();
    std::sort(frontToBack.begin(), frontToBack.end(),
              [this](int a, int b) { return std::abs(a - m_scrollOffset) < std::abs(b - m_scrollOffset); });
    for (const int index : frontToBack) {
        const QSize size = m_itemViews.value(index)->size();
        bool invertible = false;
        const QTransform inverse = transformForOffset(index - m_scrollOffset, size).inverted(&invertible);
        if (invertible && QRectF(QPointF(0, 0), size).contains(inverse.map(QPointF(point))))
            return index;
    }
    return -1;
}

void Carousel::paintEvent(QPaintEvent*) {
    QList<int> backToFront;
    for (auto it = m_itemViews.cbegin(); it != m_itemViews.cend(); ++it) {
        if (!it.value()->isVisible())
            backToFront.append(it.key());
    }
    std::sort(backToFront.begin(), backToFront.end(),
              [this](int a, int b) { return std::abs(a - m_scrollOffset) > std::abs(b - m_scrollOffset); });
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    for (const int index : backToFront) {
        const qreal offset = index - m_scrollOffset;
        const QPixmap picture = pictureOf(index);
        painter.setOpacity(opacityForOffset(offset));
        painter.setTransform(transformForOffset(offset, m_itemViews.value(index)->size()));
        painter.drawPixmap(QPointF(0, 0), picture);
    }
}

void Carousel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    stopScrolling();
    m_pressed = true;
    m_pressPoint = event->position().toPoint();
    m_pressOffset = m_lastMoveOffset = m_scrollOffset;
    m_velocity = 0;
    m_moveClock.start();
}

void Carousel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed || m_numberOfItems == 0)
        return;
    const qreal dx = event->position().x() - m_pressPoint.x();
    if (!m_dragging) {
        if (std::abs(dx) < QApplication::startDragDistance())
            return;
        m_dragging = true;
    }
    const qreal wanted = m_pressOffset - dx / std::max<qreal>(itemWidth(), 1);
    // Past either end the drag meets growing resistance and never pulls further than the bounce distance.
    const qreal last = m_numberOfItems - 1;
    const auto resisted = [this](qreal overshoot) {
        return m_bounceDistance * overshoot / (overshoot + std::max<qreal>(m_bounceDistance, 0.001));
    };
    qreal shown = wanted;
    if (wanted < 0)
        shown = -resisted(-wanted);
    else if (wanted > last)
        shown = last + resisted(wanted - last);

    const qint64 elapsed = m_moveClock.restart();
    if (elapsed > 0) {
        const qreal instant = (wanted - m_lastMoveOffset) * 1000 / elapsed;
        m_velocity = 0.8 * instant + 0.2 * m_velocity;
    }
    m_lastMoveOffset = wanted;
    setScrollOffset(shown);
}

void Carousel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QWidget::mouseReleaseEvent(event);
    m_pressed = false;
    if (m_dragging) {
        m_dragging = false;
        // A drag that came to a halt before the release has no momentum left.
        settle(m_moveClock.elapsed() > 100 ? 0 : m_velocity);
        return;
    }
    settle(0);
    const int index = indexOfItemAt(event->position().toPoint());
    if (index < 0 || (m_delegate && !m_delegate->carouselShouldSelectItemAtIndex(this, index)))
        return;
    if (index != currentItemIndex())
        scrollToItemAtIndex(index, true);
    if (m_delegate)
        m_delegate->carouselDidSelectItemAtIndex(this, index);
}

void Carousel::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const int along = delta.x() != 0 ? delta.x() : delta.y();
    m_wheelRemainder -= along;
    const int steps = m_wheelRemainder / wheelStep;
    m_wheelRemainder %= wheelStep;
    if (steps != 0) {
        const bool animating = m_scrollAnimation.state() == QAbstractAnimation::Running;
        const int from =
            animating ? int(std::lround(m_scrollAnimation.endValue().toReal())) : currentItemIndex();
        scrollToItemAtIndex(from + steps, true);
    }
    event->accept();
}

void Carousel::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0)
        return QWidget::keyPressEvent(event);
    const bool animating = m_scrollAnimation.state() == QAbstractAnimation::Running;
    const int from = animating ? int(std::lround(m_scrollAnimation.endValue().toReal())) : currentItemIndex();
    scrollToItemAtIndex(from + step, true);
}

void Carousel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutLiveItem();
}

void Carousel::reportCurrentIndex() {
    const int index = currentItemIndex();
    if (index == m_reportedIndex)
        return;
    m_reportedIndex = index;
    if (m_delegate)
        m_delegate->carouselCurrentItemIndexUpdated(this);
}
