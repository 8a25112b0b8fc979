#include "platform/Carousel.h"

#include <QtTest>

namespace {

class Items : public CarouselDataSource, public CarouselDelegate {
public:
    int count = 10;
    int created = 0;
    QList<int> reportedIndexes;
    QList<int> selected;

    int numberOfItemsInCarousel(Carousel*) override { return count; }
    QWidget* carouselViewForItemAtIndex(Carousel*, int index, QWidget* reusingView) override {
        QWidget* view = reusingView;
        if (!view) {
            view = new QWidget;
            view->resize(100, 150);
            ++created;
        }
        view->setProperty("index", index);
        return view;
    }
    qreal carouselItemWidth(Carousel*) override { return 120; }
    void carouselDidSelectItemAtIndex(Carousel*, int index) override { selected.append(index); }
    void carouselCurrentItemIndexUpdated(Carousel* carousel) override {
        reportedIndexes.append(carousel->currentItemIndex());
    }
};

} // namespace

class TestCarousel : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_items = Items();
        m_carousel = std::make_unique<Carousel>();
        m_carousel->resize(320, 300);
        m_carousel->setType(Carousel::Type::CoverFlow);
        m_carousel->setDelegate(&m_items);
        m_carousel->setDataSource(&m_items);
        m_carousel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_carousel.get()));
    }

    void scrollingReportsEveryNewIndexAndReusesViews() {
        QCOMPARE(m_carousel->currentItemIndex(), 0);
        for (int index = 1; index < 10; ++index)
            m_carousel->scrollToItemAtIndex(index, false);
        QCOMPARE(m_items.reportedIndexes, QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(m_carousel->indexesForVisibleItems(), QList<int>({8, 9}));
        QVERIFY2(m_items.created <= 4, qPrintable(QString::number(m_items.created)));
        // Every view in sight shows the item it stands for.
        for (int index : m_carousel->indexesForVisibleItems())
            QCOMPARE(m_carousel->itemViewAtIndex(index)->property("index").toInt(), index);
    }

    void aDragComesToRestOnAnItem() {
        const QPoint centre = m_carousel->rect().center();
        QTest::mousePress(m_carousel.get(), Qt::LeftButton, {}, centre);
        for (int step = 1; step <= 10; ++step)
            QTest::mouseMove(m_carousel.get(), centre - QPoint(step * 8, 0), 20);
        QTest::qWait(150); // held still: no momentum
        QTest::mouseRelease(m_carousel.get(), Qt::LeftButton, {}, centre - QPoint(80, 0));
        QTRY_VERIFY(!m_carousel->isScrolling());
        QCOMPARE(m_carousel->scrollOffset(), 1.0);
        QCOMPARE(m_carousel->currentItemIndex(), 1);
        // The centred item is live at rest.
        QVERIFY(m_carousel->itemViewAtIndex(1)->isVisible());
    }

    void aDragPastTheEndSpringsBack() {
        const QPoint centre = m_carousel->rect().center();
        QTest::mousePress(m_carousel.get(), Qt::LeftButton, {}, centre);
        for (int step = 1; step <= 10; ++step)
            QTest::mouseMove(m_carousel.get(), centre + QPoint(step * 30, 0), 20);
        QVERIFY(m_carousel->scrollOffset() < 0);
        QVERIFY(m_carousel->scrollOffset() > -m_carousel->bounceDistance());
        QTest::mouseRelease(m_carousel.get(), Qt::LeftButton, {}, centre + QPoint(300, 0));
        QTRY_VERIFY(!m_carousel->isScrolling());
        QCOMPARE(m_carousel->scrollOffset(), 0.0);
    }

    void tappingASideItemSelectsAndCentresIt() {
        m_carousel->scrollToItemAtIndex(3, false);
        const QPoint right = m_carousel->rect().center() + QPoint(80, 0);
        QCOMPARE(m_carousel->indexOfItemAt(right), 4);
        QTest::mouseClick(m_carousel.get(), Qt::LeftButton, {}, right);
        QCOMPARE(m_items.selected, QList<int>{4});
        QTRY_COMPARE(m_carousel->currentItemIndex(), 4);
        QTest::mouseClick(m_carousel.get(), Qt::LeftButton, {}, m_carousel->rect().center());
        QCOMPARE(m_items.selected, QList<int>({4, 4}));
    }

    void wheelAndKeysStepOneItem() {
        QWheelEvent wheel(QPointF(160, 150), m_carousel->mapToGlobal(QPointF(160, 150)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_carousel.get(), &wheel);
        QTRY_COMPARE(m_carousel->currentItemIndex(), 1);
        QTest::keyClick(m_carousel.get(), Qt::Key_Right);
        QTRY_COMPARE(m_carousel->currentItemIndex(), 2);
        QTRY_VERIFY(!m_carousel->isScrolling());
        QCOMPARE(m_carousel->scrollOffset(), 2.0);
    }

    void reloadKeepsTheIndexInsideTheList() {
        m_carousel->scrollToItemAtIndex(9, false);
        m_items.count = 4;
        m_carousel->reloadData();
        QCOMPARE(m_carousel->currentItemIndex(), 3);
        QCOMPARE(m_items.reportedIndexes.last(), 3);
        m_items.count = 0;
        m_carousel->reloadData();
        QCOMPARE(m_carousel->currentItemIndex(), -1);
        QVERIFY(m_carousel->indexesForVisibleItems().isEmpty());
    }

private:
    Items m_items;
    std::unique_ptr<Carousel> m_carousel;
};

QTEST_MAIN(TestCarousel)
#include "tst_carousel.moc"
