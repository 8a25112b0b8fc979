#include "screens/CouponView.h"
#include "tests/support/TestHome.h"
#include "ui_CouponView.h"

#include <QtTest>

#include <memory>

namespace {

QSharedPointer<RedireCoupon> coupon(const QVariantMap& fields) {
    return QSharedPointer<RedireCoupon>::create(fields);
}

} // namespace

class TestCouponView : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        auto [card, bottom] = CouponView::loadFromLayout();
        m_card.reset(card);
        m_bottom.reset(bottom);
        m_card->setViewBottom(bottom);
    }
    void cleanup() {
        m_card.reset();
        m_bottom.reset();
        m_home.reset();
    }

    void countdownText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("two days and 5 s") << 2 * 86400.0 + 5 << "48t 0m 5s";
        QTest::newRow("3725 s") << 3725.0 << "1t 2m 5s";
        QTest::newRow("fraction") << 59.9 << "0t 0m 59s";
        QTest::newRow("passed") << -3725.0 << "0t 0m 0s";
    }
    void countdownText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(CouponView::countdownText(seconds), text);
    }

    void countdownStopsWhenTheCardShowsCouponsLeft() {
        const QString inAnHour =
            QDateTime::currentDateTime().addSecs(3600).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        m_card->setCoupon(coupon({{"Id", "1"}, {"TypeId", "148"}, {"Expires", inAnHour}}));
        QVERIFY(!m_card->ui().labelSingleLine->isHidden());
        QVERIFY(m_card->ui().labelSingleLine->text().startsWith("0t 59m") ||
                m_card->ui().labelSingleLine->text() == "1t 0m 0s");
        m_card->prepareForReuse();
        m_card->setCoupon(coupon({{"Id", "2"}, {"TypeId", "147"}, {"AmountLeft", "3"}}));
        QTest::qWait(1200);
        QCOMPARE(m_card->ui().labelSingleLine->text(), QStringLiteral("Det er 3 kuponger igjen"));
        QVERIFY(!m_card->countdownTimer().isActive());

        m_card->setCoupon(coupon({{"Id", "3"}, {"TypeId", "145"}, {"SubText", "To\nlinjer"}}));
        QVERIFY(m_card->ui().labelSingleLine->isHidden());
        QVERIFY(!m_card->ui().labelTwoLines->isHidden());
        QCOMPARE(m_card->ui().labelTwoLines->text(), QStringLiteral("To\nlinjer"));
    }

    void coffeeCouponHidesReflectionAndBottom() {
        m_card->setCoupon(coupon({{"Id", "1"}, {"TypeId", "143"}, {"Universe", "KAFFE"}}));
        QVERIFY(m_card->ui().frontReflectionImageView->isHidden());
        QVERIFY(m_bottom->isHidden());
        m_card->setCoupon(coupon({{"Id", "2"}, {"TypeId", "143"}, {"Universe", "MAT"}}));
        QVERIFY(!m_card->ui().frontReflectionImageView->isHidden());
        QVERIFY(!m_bottom->isHidden());
    }

    void longBackTextIsCutAt250Points() {
        QStringList lines;
        for (int i = 0; i < 10; ++i)
            lines.append(
                QStringLiteral("En lang linje med vilkår for kupongen som går over hele bredden, nr. %1")
                    .arg(i));
        m_card->setCoupon(coupon({{"Id", "1"}, {"TypeId", "143"}, {"Text", lines.join('\n')}}));
        QCOMPARE(m_card->ui().labelBackText->height(), 250);
        m_card->setCoupon(coupon({{"Id", "2"}, {"TypeId", "143"}, {"Text", "Kort"}}));
        QVERIFY(m_card->ui().labelBackText->height() < 40);
    }

    void flipOnlyWithABackText() {
        const auto plain = coupon({{"Id", "1"}, {"TypeId", "143"}, {"Text", "  "}});
        m_card->setCoupon(plain);
        m_card->flip();
        QVERIFY(!plain->isFlipped());
        QVERIFY(!m_card->isFlipping());
        const auto withBack = coupon({{"Id", "2"}, {"TypeId", "143"}, {"Text", "Vilkår"}});
        m_card->setCoupon(withBack);
        m_card->flip();
        QVERIFY(withBack->isFlipped());
        QTRY_VERIFY(!m_card->isFlipping());
        QVERIFY(m_card->ui().viewFront->isHidden());
        QVERIFY(!m_card->ui().viewBack->isHidden());
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<CouponView> m_card;
    std::unique_ptr<QWidget> m_bottom;
};

QTEST_MAIN(TestCouponView)
#include "tst_couponview.moc"
