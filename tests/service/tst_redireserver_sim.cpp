// The service client against the simulated coupon service, over real HTTP: what a member does in one visit.
#include "platform/DebugLog.h"
#include "platform/UserDefaults.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "service/RequestType.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"
#include "tests/support/NotificationSpy.h"
#include "tests/support/SimulatedService.h"
#include "tests/support/TestHome.h"

#include <QtTest>

#include <memory>

namespace {
const QString mobile = QStringLiteral("98765432");
const QString birthday = QStringLiteral("01.02.1990");

QSet<int> typesOf(const RedireCouponList& coupons) {
    QSet<int> types;
    for (const auto& coupon : coupons)
        types.insert(coupon->type());
    return types;
}
} // namespace

class TestRedireServerWithSimulator : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_service = std::make_unique<SimulatedService>();
        QTRY_VERIFY(RedireServer::sharedServer().isServerReady());
    }
    void cleanup() {
        m_service.reset();
        m_home.reset();
    }

    void registersWithTheVerificationCode() {
        RedireServer& server = RedireServer::sharedServer();
        NotificationSpy codeSent(RedireVerificationCodeSentNotification);
        NotificationSpy userInfo(RedireGetUserInfoNotification);
        server.registerUserWithMobile(mobile, birthday, QString());
        QVERIFY(codeSent.wait());
        QVERIFY(!codeSent.last().object.toString().isEmpty());
        QVERIFY(!server.isUserRegistered());
        const QString code = (*m_service)->verificationCode(mobile);
        QCOMPARE(code.size(), 6);

        const QString wrongCode =
            code == QLatin1String("000000") ? QStringLiteral("111111") : QStringLiteral("000000");
        server.completeRegistrationWithMobile(mobile, birthday, QString(), wrongCode);
        QVERIFY(codeSent.wait(2));
        QVERIFY(!server.isUserRegistered());

        server.completeRegistrationWithMobile(mobile, birthday, QString(), code);
        QVERIFY(codeSent.wait(3));
        QVERIFY(server.isUserRegistered());
        QVERIFY(userInfo.wait());
        QVERIFY(UserDefaults::standardUserDefaults().boolForKey(kConfirmedKey));
        QCOMPARE(UserDefaults::standardUserDefaults().stringForKey(kPhoneKey), mobile);
        QCOMPARE(server.dictUserInfo()->value(kDobKey).toString(), birthday);

        NotificationSpy updated(RedireUserUpdatedNotification);
        QVERIFY(server.updateUserPostalCode(QStringLiteral("0150")));
        QVERIFY(updated.wait());
        QCOMPARE(UserDefaults::standardUserDefaults().stringForKey(kPostCodeKey), QStringLiteral("0150"));

        server.logOut();
        QVERIFY(!server.isUserRegistered());
        QTRY_VERIFY(server.isServerReady());
        QVERIFY(!server.dictUserInfo());
        QVERIFY(!UserDefaults::standardUserDefaults().boolForKey(kConfirmedKey));
    }

    void fetchesEveryList() {
        RedireServer& server = RedireServer::sharedServer();
        NotificationSpy all(RedireAllCouponsNotification);
        NotificationSpy loyalty(RedireLoyaltyCardsNotification);
        NotificationSpy offers(RedireOffersNotification);
        NotificationSpy promotions(RedirePromotionsNotification);
        NotificationSpy rewards(RedireRewardsNotification);
        NotificationSpy news(RedireNewsNotification);
        NotificationSpy splash(RedireSplashAdNotification);
        for (const int type :
             {RequestTypeGetAllCoupons, RequestTypeGetLoyaltyCards, RequestTypeGetOffers,
              RequestTypeGetPromotions, RequestTypeGetRewards, RequestTypeGetNews, RequestTypeGetSplashAd})
            server.requestDataOfType(type);
        for (const NotificationSpy* spy : {&all, &loyalty, &offers, &promotions, &rewards, &news, &splash})
            QVERIFY(spy->wait());

        QCOMPARE(typesOf(*server.arrayOffers()), (QSet<int>{147, 148}));
        QCOMPARE(typesOf(*server.arrayPromotions()), (QSet<int>{143, 144}));
        QCOMPARE(typesOf(*server.arrayLoyaltyCards()), QSet<int>{145});
        QVERIFY(!server.arrayRewards()->isEmpty());
        QVERIFY(!server.arrayNews()->isEmpty());
        QVERIFY(QUrl(splash.last().object.toString()).isValid());
        QVERIFY(Database::shared().countNewBadges({145}) > 0);

        NotificationSpy giveAway(RedireCouponForFriendNotification);
        server.getCouponForFriend(server.arrayOffers()->first()->ID());
        QVERIFY(giveAway.wait());
        QVERIFY(!giveAway.last().object.toString().isEmpty());
    }

    void readsStoreLocations() {
        RedireServer& server = RedireServer::sharedServer();
        NotificationSpy spy(RedireStoreLocationsNotification);
        server.getStoresLocationsForType(QStringLiteral("KRV"));
        server.getStoresLocationsForType(QStringLiteral("BRENNOR"));
        QVERIFY(spy.wait(2));
        QStringList types;
        for (const Notification& notification : spy.notifications()) {
            types << notification.userInfo.value(StoreTypeKey).toString();
            const auto annotations =
                notification.userInfo.value(StoresAnnotationArrayKey).value<QList<StoreAnnotation>>();
            QVERIFY(!annotations.isEmpty());
            QVERIFY(annotations.first().coordinate().latitude > 57);
        }
        types.sort();
        QCOMPARE(types, (QStringList{"BRENNOR", "KRV"}));
        QVERIFY(Database::shared().fetchAllStores().size() >= server.arrayStoreLocations().size());
    }

    void ratesACup() {
        RedireServer& server = RedireServer::sharedServer();
        NotificationSpy state(RedireRatingStateNotification);
        server.requestRatingState();
        QVERIFY(state.wait());
        const std::optional<RatingState> allowance = Database::shared().lastRatingState();
        QVERIFY(allowance && allowance->ratingAvailable);
        QVERIFY(allowance->epochTTL > allowance->epoch);

        NotificationSpy rated(RedireRateProductNotification);
        server.requestRateProductWithRatingId(allowance->ratingId, 5, allowance->shopId);
        QVERIFY(rated.wait());
        QVERIFY(rated.last().object.toMap().contains(QStringLiteral("Bonus")));

        NotificationSpy ratings(RedireRatingsNotification);
        server.requestRatings();
        QVERIFY(ratings.wait());
        QVERIFY(!Database::shared().ratableStores().isEmpty());

        NotificationSpy stats(RedireStoreStatsNotification);
        server.requestStoreStats(allowance->shopId);
        QVERIFY(stats.wait());
        QVERIFY(!Database::shared().storeStats(allowance->shopId, false).isEmpty());
    }

    void faultsLeaveTheListsAsTheyWere_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("logStart");
        QTest::newRow("service error") << int(SimulatedFault::Kind::ServiceError) << "Error (";
        QTest::newRow("soap fault") << int(SimulatedFault::Kind::SoapFault) << "Fault: ";
        QTest::newRow("html page") << int(SimulatedFault::Kind::HtmlError)
                                   << "Connection error: HTTP status 500";
        QTest::newRow("garbage") << int(SimulatedFault::Kind::Garbage)
                                 << "GetOffers: the answer is not well-formed";
        QTest::newRow("dropped connection")
            << int(SimulatedFault::Kind::DropConnection) << "Connection error: ";
    }
    void faultsLeaveTheListsAsTheyWere() {
        QFETCH(int, kind);
        QFETCH(QString, logStart);
        RedireServer& server = RedireServer::sharedServer();
        NotificationSpy offers(RedireOffersNotification);
        server.requestDataOfType(RequestTypeGetOffers);
        QVERIFY(offers.wait());
        const qsizetype count = server.arrayOffers()->size();

        DebugLog::Capture log;
        (*m_service)->setFault(QStringLiteral("GetOffers"), SimulatedFault{SimulatedFault::Kind(kind)});
        server.requestDataOfType(RequestTypeGetOffers);
        QTRY_COMPARE(server.connectionsInFlight(), 0);
        QCOMPARE(offers.count(), 1);
        QCOMPARE(server.arrayOffers()->size(), count);
        QVERIFY2(std::any_of(log.lines().cbegin(), log.lines().cend(),
                             [&](const QString& line) { return line.startsWith(logStart); }),
                 qPrintable(log.lines().join(QLatin1Char('\n'))));
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<SimulatedService> m_service;
};

QTEST_MAIN(TestRedireServerWithSimulator)
#include "tst_redireserver_sim.moc"
