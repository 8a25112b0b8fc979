#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QTransform>
#include <QVariantAnimation>
#include <QWidget>

class Carousel;

class CarouselDataSource {
public:
    virtual ~CarouselDataSource() = default;
    virtual int numberOfItemsInCarousel(Carousel* carousel) = 0;
    // The view of the item; reusingView is a view the carousel no longer shows (or null) that may be
    // filled and returned instead of a new one. The carousel takes ownership of the returned view.
    virtual QWidget* carouselViewForItemAtIndex(Carousel* carousel, int index, QWidget* reusingView) = 0;
    virtual int numberOfVisibleItemsInCarousel(Carousel*) { return 3; }
};

class CarouselDelegate {
public:
    virtual ~CarouselDelegate() = default;
    virtual qreal carouselItemWidth(Carousel*) { return 0; } // 0: the width of the item views
    virtual bool carouselShouldSelectItemAtIndex(Carousel*, int) { return true; }
    virtual void carouselDidSelectItemAtIndex(Carousel*, int) {}
    virtual void carouselCurrentItemIndexUpdated(Carousel*) {}
};

// A cover-flow carousel: the centred item faces the viewer, the items beside it are turned towards the
// centre and pushed back. It scrolls by mouse drag (with momentum), wheel and arrow keys, comes to rest on
// an item, and selects an item by a tap. Item views are reused as they scroll out of sight.
//
// At rest the centred item is its live widget, so that it animates and takes input as usual; every other
// item, and every item while the carousel moves, is drawn from a picture of its widget, refreshed now and
// then so that side items follow their widgets' changes.
class Carousel : public QWidget {
    Q_OBJECT
public:
    enum class Type { Linear, CoverFlow };

    explicit Carousel(QWidget* parent = nullptr);
    ~Carousel() override;

    CarouselDataSource* dataSource() const { return m_dataSource; }
    void setDataSource(CarouselDataSource* dataSource);
    CarouselDelegate* delegate() const { return m_delegate; }
    void setDelegate(CarouselDelegate* delegate);

    Type type() const { return m_type; }
    void setType(Type type);
    // How fast momentum dies away after a flick, per second (higher stops sooner).
    qreal decelerationRate() const { return m_decelerationRate; }
    void setDecelerationRate(qreal rate) { m_decelerationRate = rate; }
    // How far, in items, a drag may pull past either end before it springs back.
    qreal bounceDistance() const { return m_bounceDistance; }
    void setBounceDistance(qreal distance) { m_bounceDistance = distance; }
    bool stopAtItemBoundary() const { return m_stopAtItemBoundary; }
    void setStopAtItemBoundary(bool stop) { m_stopAtItemBoundary = stop; }
    bool scrollToItemBoundary() const { return m_scrollToItemBoundary; }
    void setScrollToItemBoundary(bool scroll) { m_scrollToItemBoundary = scroll; }

    int numberOfItems() const { return m_numberOfItems; }
    // -1 while there are no items.
    int currentItemIndex() const;
    void setCurrentItemIndex(int index) { scrollToItemAtIndex(index, false); }
    // The scroll position in items (0 centres the first item).
    qreal scrollOffset() const { return m_scrollOffset; }
    bool isScrolling() const;

    void reloadData();
    void scrollToItemAtIndex(int index, bool animated);
    // The view shown for the item, if it is in sight.
    QWidget* itemViewAtIndex(int index) const { return m_itemViews.value(index); }
    QList<int> indexesForVisibleItems() const;
    // The item drawn at the point (the front-most), or -1.
    int indexOfItemAt(const QPoint& point) const;
    qreal itemWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setScrollOffset(qreal offset);
    void animateScrollTo(qreal target, int durationMs);
    void stopScrolling();
    void settle(qreal velocity);
    void loadVisibleItems();
    void layOutLiveItem();
    void refreshPictures();
    QPixmap pictureOf(int index);
    QTransform transformForOffset(qreal offset, const QSize& size) const;
    qreal opacityForOffset(qreal offset) const;
    qreal clampedOffset(qreal offset) const;
    void reportCurrentIndex();

    CarouselDataSource* m_dataSource = nullptr;
    CarouselDelegate* m_delegate = nullptr;
    Type m_type = Type::Linear;
    qreal m_decelerationRate = 2.5;
    qreal m_bounceDistance = 0.25;
    bool m_stopAtItemBoundary = true;
    bool m_scrollToItemBoundary = true;

    int m_numberOfItems = 0;
    qreal m_scrollOffset = 0;
    int m_reportedIndex = -1;
    QHash<int, QWidget*> m_itemViews;
    QHash<QWidget*, QPixmap> m_pictures;
    QList<QWidget*> m_reusableViews;
    QVariantAnimation m_scrollAnimation;
    QTimer m_pictureRefresh;

    // Dragging
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressPoint;
    qreal m_pressOffset = 0;
    QElapsedTimer m_moveClock;
    qreal m_lastMoveOffset = 0;
    qreal m_velocity = 0; // items per second
    int m_wheelRemainder = 0;
};
