#include "app/KorvoAppDelegate.h"
#include "platform/Configuration.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "platform/Window.h"
#include "screens/ButtonWithBadge.h"
#include "screens/CustomNavigationController.h"
#include "screens/HomeViewController.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"
#include "tests/support/ScriptedService.h"
#include "tests/support/TestHome.h"
#include "ui_HomeViewController.h"

#include <QtTest>

#include <memory>

namespace {

ElementRecords newsItems(const QStringList& ids) {
    ElementRecords items;
    for (const QString& id : ids)
        items.append({{QStringLiteral("id"), id}});
    return items;
}

void postNews(const QStringList& ids) {
    NotificationCenter::defaultCenter().postNotification(RedireNewsNotification,
                                                         QVariant::fromValue(newsItems(ids)));
}

} // namespace

class TestHomeViewController : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_service = std::make_unique<ScriptedService>();
        m_delegate = std::make_unique<KorvoAppDelegate>();
        m_delegate->setConnectionStatus(1);
        UserDefaults::standardUserDefaults().setObject(QStringLiteral("m1"), kUserIdKey);
    }
    void cleanup() {
        m_window.reset();
        m_delegate.reset();
        m_service.reset();
        m_home.reset();
        Configuration::setCurrent(Configuration());
    }

    void newsBadgeCountsItemsNotSeenBefore() {
        HomeViewController& home = showHome();
        postNews({"1", "2", "3"});
        QCOMPARE(home.ui().newsButton->badgeCount(), 3u);
        postNews({"1", "2", "3"});
        QCOMPARE(home.ui().newsButton->badgeCount(), 3u);
        postNews({"1", "2", "3", "4"});
        QCOMPARE(home.ui().newsButton->badgeCount(), 4u);
        home.newsButtonAction();
        QCOMPARE(home.ui().newsButton->badgeCount(), 0u);
        QCOMPARE(UserDefaults::standardUserDefaults().integerForKey(kNewNewsInCacheKey), 0);
        postNews({"1", "2", "3", "4"});
        QCOMPARE(home.ui().newsButton->badgeCount(), 0u);
        // A failed news request announces nothing to count.
        NotificationCenter::defaultCenter().postNotification(RedireNewsNotification);
        QCOMPARE(UserDefaults::standardUserDefaults().arrayForKey(kCachedNewsKey).size(), 4);
    }

    void openingPromotionsClearsTheirBadgeAndRows() {
        QList<BadgesData> badges{{0, 1, 143, true}, {0, 2, 143, true}, {0, 3, 144, true}, {0, 4, 145, true}};
        Database::shared().saveBadges(badges);
        HomeViewController& home = showHome();
        NotificationCenter::defaultCenter().postNotification(RedireAllCouponsNotification);
        QCOMPARE(home.ui().promotionButton->badgeCount(), 3u);
        QCOMPARE(home.ui().loyaltyCardsButton->badgeCount(), 1u);

        home.promotionButtonAction();
        QVERIFY(home.presentedViewController());
        QCOMPARE(home.ui().promotionButton->badgeCount(), 0u);
        QCOMPARE(Database::shared().countNewBadges({143, 144}), 0);
        QCOMPARE(Database::shared().countNewBadges({145}), 1);
    }

    void couponListsAreSavedAsTheyArrive() {
        showHome();
        RedireCouponList offers;
        offers.append(QSharedPointer<RedireCoupon>::create(QVariantMap{{"Id", "7"}, {"TypeId", "147"}}));
        NotificationCenter::defaultCenter().postNotification(RedireOffersNotification,
                                                             QVariant::fromValue(offers));
        const QVariantList saved = UserDefaults::standardUserDefaults().arrayForKey(kCachedOffersKey);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.first().toMap().value(QStringLiteral("Id")).toString(), QStringLiteral("7"));
    }

    void birthdayBar_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("titleY");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("counter");
        QTest::newRow("not registered") << -1 << 23 << QString() << QString();
        QTest::newRow("birthday today") << 0 << 15 << "Gratulerer! Bursdagskupong kommer!"
                                        << "";
        QTest::newRow("five days") << 5 << 15 << "Antall dager til bursdagsgave:"
                                   << "5";
    }
    void birthdayBar() {
        QFETCH(int, days);
        QFETCH(int, titleY);
        QFETCH(QString, text);
        QFETCH(QString, counter);
        if (days >= 0) {
            const QDate birthday = QDateTime::currentDateTimeUtc().date().addDays(days).addYears(-30);
            UserDefaults::standardUserDefaults().setBool(true, kConfirmedKey);
            UserDefaults::standardUserDefaults().setObject(birthday.toString(QStringLiteral("dd.MM.yyyy")),
                                                           kDobKey);
        }
        HomeViewController& home = showHome();
        home.updateUserInfo();
        const Ui::HomeViewController& ui = home.ui();
        QCOMPARE(ui.labelBottomTitle->y(), titleY);
        QCOMPARE(ui.labelBottomText->isVisible(), days >= 0);
        QCOMPARE(ui.labelBottomCounter->isVisible(), days >= 0);
        if (days < 0)
            return;
        QCOMPARE(ui.labelBottomText->text(), text);
        QCOMPARE(ui.labelBottomCounter->text(), counter);
        QCOMPARE(ui.labelBottomText->geometry(), days == 0 ? QRect(30, 27, 260, 15) : QRect(36, 27, 200, 15));
    }

    void tallScreenOffsets_data() {
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<QString>("systemVersion");
        QTest::addColumn<int>("buttonsShift");
        QTest::addColumn<int>("advertShift");
        QTest::newRow("480") << 480 << "7.0" << 0 << 0;
        QTest::newRow("568 on 6.1") << 568 << "6.1" << 44 << 12;
        QTest::newRow("568 on 7.0") << 568 << "7.0" << 64 << 32;
    }
    void tallScreenOffsets() {
        QFETCH(int, screenHeight);
        QFETCH(QString, systemVersion);
        QFETCH(int, buttonsShift);
        QFETCH(int, advertShift);
        QWidget layout;
        Ui::HomeViewController asDrawn;
        asDrawn.setupUi(&layout);

        Configuration configuration = Configuration::current();
        configuration.screenHeight = screenHeight;
        configuration.systemVersion = systemVersion;
        Configuration::setCurrent(configuration);
        HomeViewController home;
        home.view();
        QCOMPARE(home.ui().buttonsView->y(), asDrawn.buttonsView->y() + buttonsShift);
        QCOMPARE(home.ui().viewAd->y(), asDrawn.viewAd->y() + advertShift);
        QCOMPARE(home.ui().buttonsView->height(), asDrawn.buttonsView->height() + (buttonsShift ? 20 : 0));
        QCOMPARE(home.ui().viewAd->height(), asDrawn.viewAd->height() + (advertShift ? 24 : 0));
    }

    void commonDataOnlyWhenOnlineAndRegistered_data() {
        QTest::addColumn<int>("connection");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<bool>("asked");
        QTest::newRow("online, registered") << 1 << true << true;
        QTest::newRow("offline") << 0 << true << false;
        QTest::newRow("not registered") << 1 << false << false;
    }
    void commonDataOnlyWhenOnlineAndRegistered() {
        QFETCH(int, connection);
        QFETCH(bool, registered);
        QFETCH(bool, asked);
        UserDefaults::standardUserDefaults().setBool(registered, kConfirmedKey);
        m_delegate->setConnectionStatus(connection);
        showHome();
        QTest::qWait(200);
        QCOMPARE(m_service->requestsFor(QStringLiteral("GetAllCoupons")).isEmpty(), !asked);
        QCOMPARE(m_service->requestsFor(QStringLiteral("RatingState")).isEmpty(), !asked);
        QCOMPARE(m_service->requestsFor(QStringLiteral("GetNews")).isEmpty(), !asked);
    }

private:
    HomeViewController& showHome() {
        m_window = std::make_unique<Window>(Configuration::current().screenHeight);
        auto* home = new HomeViewController;
        m_navigation = new CustomNavigationController(home, m_window.get());
        m_window->setRootViewController(m_navigation);
        m_window->makeKeyAndVisible();
        home->view();
        return *home;
    }

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedService> m_service;
    std::unique_ptr<KorvoAppDelegate> m_delegate;
    std::unique_ptr<Window> m_window;
    CustomNavigationController* m_navigation = nullptr;
};

QTEST_MAIN(TestHomeViewController)
#include "tst_homeviewcontroller.moc"
