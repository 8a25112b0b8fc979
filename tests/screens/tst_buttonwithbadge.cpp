#include "screens/ButtonWithBadge.h"

#include <QFontMetricsF>
#include <QtTest>

class TestButtonWithBadge : public QObject {
    Q_OBJECT

private slots:
    void firstCountOfZeroCreatesHiddenViews() {
        QWidget parent;
        ButtonWithBadge button(&parent);
        button.setGeometry(10, 20, 96, 84);
        parent.show();
        QVERIFY(!button.badgeImageView());
        button.setBadgeCount(0);
        QVERIFY(button.badgeImageView());
        QVERIFY(button.badgeCountLabel());
        QVERIFY(button.badgeImageView()->isHidden());
    }

    void geometry_data() {
        QTest::addColumn<bool>("big");
        QTest::addColumn<unsigned>("count");
        QTest::addColumn<qreal>("side");
        QTest::addColumn<qreal>("inset");
        QTest::newRow("normal, one digit") << false << 7u << 25.0 << 9.0;
        QTest::newRow("big, one digit") << true << 3u << 35.0 << 11.0;
        QTest::newRow("normal, wide count") << false << 12345u << 25.0 << 9.0;
        QTest::newRow("big, wide count") << true << 9876543u << 35.0 << 11.0;
    }
    void geometry() {
        QFETCH(bool, big);
        QFETCH(unsigned, count);
        QFETCH(qreal, side);
        QFETCH(qreal, inset);
        QWidget parent;
        ButtonWithBadge button(&parent);
        button.setGeometry(10, 20, 96, 84);
        parent.show();
        button.setIsBig(big);
        button.setBadgeCount(count);

        const QRectF frame = button.badgeFrame();
        const qreal textWidth = std::ceil(
            QFontMetricsF(button.badgeCountLabel()->font()).horizontalAdvance(QString::number(count)));
        QCOMPARE(frame.width(), std::max(side, textWidth + 2 * inset));
        QCOMPARE(frame.height(), side);
        QCOMPARE(frame.top(), -7.0);
        QCOMPARE(frame.right(), 96.0 + 7); // grows to the left: the right edge stays 7 points outside
        QCOMPARE(button.badgeImageView()->geometry(), frame.translated(10, 20).toRect());
        QVERIFY(button.badgeImageView()->isVisible());
        QCOMPARE(button.badgeCountLabel()->text(), QString::number(count));
    }

    void wideCountIsWiderThanTheMinimum() {
        ButtonWithBadge button;
        button.resize(96, 84);
        button.setBadgeCount(1234567);
        QVERIFY(button.badgeFrame().width() > 25);
    }

    void bigAfterACountRelaysOut() {
        QWidget parent;
        ButtonWithBadge button(&parent);
        button.setGeometry(0, 0, 96, 84);
        parent.show();
        button.setBadgeCount(4);
        const qreal normalWidth = button.badgeFrame().width();
        QCOMPARE(button.badgeFrame().height(), 25.0);
        button.setIsBig(true);
        // The badge keeps the picture and font it was made with; only width and position follow the variant.
        QVERIFY(button.badgeFrame().width() > normalWidth);
        QCOMPARE(button.badgeFrame().width(), 35.0);
        QCOMPARE(button.badgeFrame().left(), 96.0 - 35 + 7);
        QCOMPARE(button.badgeFrame().height(), 25.0);
        QCOMPARE(button.badgeCount(), 4u);
    }

    void bigBeforeAnyCountChangesNothingVisible() {
        ButtonWithBadge button;
        button.setIsBig(true);
        QVERIFY(!button.badgeImageView());
    }

    void zeroHidesAndKeepsTheOldText() {
        QWidget parent;
        ButtonWithBadge button(&parent);
        parent.show();
        button.setBadgeCount(5);
        button.setBadgeCount(0);
        QVERIFY(button.badgeImageView()->isHidden());
        QCOMPARE(button.badgeCountLabel()->text(), QStringLiteral("5"));
    }
};

QTEST_MAIN(TestButtonWithBadge)
#include "tst_buttonwithbadge.moc"
