#include "platform/AlertView.h"
#include "platform/DebugLog.h"
#include "platform/Device.h"
#include "platform/UserDefaults.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "service/RequestType.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"
#include "tests/support/NotificationSpy.h"
#include "tests/support/ScriptedService.h"
#include "tests/support/TestHome.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <memory>

namespace {

QString coupons(const QStringList& elements) {
    return QStringLiteral("<Coupons xmlns=\"\">%1</Coupons>").arg(elements.join(QString()));
}

QString coupon(int id, int type, const QString& extra = {}) {
    return QStringLiteral("<Coupon Id=\"%1\" TypeId=\"%2\" %3/>").arg(id).arg(type).arg(extra);
}

void saveMemberId(const QString& id) {
    UserDefaults::standardUserDefaults().setObject(id, kUserIdKey);
    UserDefaults::standardUserDefaults().synchronize();
}

} // namespace

class TestRedireServer : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_service = std::make_unique<ScriptedService>();
    }
    void cleanup() {
        m_service.reset();
        m_home.reset();
    }

    void firstStartHoldsRequestsUntilTheIdentifierArrives() {
        NotificationSpy news(RedireNewsNotification);
        RedireServer& server = RedireServer::sharedServer();
        QVERIFY(!server.isServerReady());
        server.requestDataOfType(RequestTypeGetNews);
        server.requestDataOfType(RequestTypeGetOffers);
        QCOMPARE(server.heldRequests(), 2);

        m_service->answerSoap(QStringLiteral("InitializeApp"), QStringLiteral("member-7"));
        m_service->answerSoap(QStringLiteral("GetNews"),
                              QStringLiteral("<News xmlns=\"\"><item id=\"1\"/></News>"));
        QVERIFY(news.wait());

        const QList<ScriptedService::Request> requests = m_service->requests();
        QCOMPARE(requests.size(), 3);
        QCOMPARE(requests.at(0).operation, QStringLiteral("InitializeApp"));
        QCOMPARE(requests.at(0).parameter(QStringLiteral("InstanceId")), Device::identifier());
        QVERIFY(m_service->waitForRequests(QStringLiteral("GetOffers"), 1));
        QCOMPARE(m_service->requests().at(1).operation, QStringLiteral("GetNews"));
        QCOMPARE(m_service->requests().at(2).operation, QStringLiteral("GetOffers"));
        for (const auto& request : m_service->requests().mid(1))
            QCOMPARE(request.parameter(QStringLiteral("UserID")), QStringLiteral("member-7"));
        QCOMPARE(server.userId(), QStringLiteral("member-7"));
        QCOMPARE(UserDefaults::standardUserDefaults().stringForKey(kUserIdKey), QStringLiteral("member-7"));
        QCOMPARE(server.heldRequests(), 0);
        QTest::qWait(100);
        QCOMPARE(m_service->requests().size(), 3); // each held request once
    }

    void emptyIdentifierKeepsTheSessionWaiting() {
        RedireServer& server = RedireServer::sharedServer();
        QVERIFY(m_service->waitForRequests(QStringLiteral("InitializeApp"), 1));
        QTRY_COMPARE(server.connectionsInFlight(), 0);
        QVERIFY(!server.isServerReady());
        server.requestDataOfType(RequestTypeGetOffers);
        QCOMPARE(server.heldRequests(), 1);
        QTest::qWait(50);
        QCOMPARE(m_service->requestsFor(QStringLiteral("GetOffers")).size(), 0);
    }

    void refusedAnswers_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("notification");
        QTest::addColumn<int>("posted"); // -1 nothing, 0 without object
        QTest::addColumn<QString>("logLine");

        const QByteArray fault =
            ScriptedService::soapFault(QStringLiteral("soap:Server"), QStringLiteral("Boom"));
        const QByteArray error = ScriptedService::soapEnvelope(
            QStringLiteral("GetNews"),
            QStringLiteral("<error xmlns=\"\" Id=\"42\" Message=\"Nope\" Source=\"Redire\"/>"));
        QTest::newRow("news fault posts without object")
            << int(RequestTypeGetNews) << "GetNews" << fault << 500 << RedireNewsNotification << 0
            << "Fault: soap:Server - Boom";
        QTest::newRow("news service error") << int(RequestTypeGetNews) << "GetNews" << error << 200
                                            << RedireNewsNotification << 0 << "Error (42): Redire - Nope";
        QTest::newRow("offers fault posts nothing")
            << int(RequestTypeGetOffers) << "GetOffers" << fault << 500 << RedireOffersNotification << -1
            << "Fault: soap:Server - Boom";
        QTest::newRow("news error page is a failed transfer")
            << int(RequestTypeGetNews) << "GetNews" << QByteArray("<html><body>Server Error</body></html>")
            << 500 << RedireNewsNotification << -1 << "Connection error: HTTP status 500";
    }
    void refusedAnswers() {
        QFETCH(int, type);
        QFETCH(QString, operation);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, notification);
        QFETCH(int, posted);
        QFETCH(QString, logLine);

        saveMemberId(QStringLiteral("m1"));
        DebugLog::Capture log;
        NotificationSpy spy(notification);
        m_service->answer(operation, body, status);
        RedireServer& server = RedireServer::sharedServer();
        server.requestDataOfType(type);
        QTRY_COMPARE(server.connectionsInFlight(), 0);
        QVERIFY2(log.contains(logLine), qPrintable(log.lines().join(QLatin1Char('\n'))));
        if (posted < 0) {
            QCOMPARE(spy.count(), 0);
        } else {
            QCOMPARE(spy.count(), 1);
            QVERIFY(spy.last().object.isNull());
        }
    }

    void errorAndFaultLogOnlyTheError() {
        saveMemberId(QStringLiteral("m1"));
        DebugLog::Capture log;
        m_service->answer(
            QStringLiteral("GetOffers"),
            "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault>"
            "<faultcode>c</faultcode><faultstring>s</faultstring></soap:Fault>"
            "<error Id=\"3\" Message=\"m\" Source=\"x\"/></soap:Body></soap:Envelope>",
            500);
        RedireServer& server = RedireServer::sharedServer();
        server.requestDataOfType(RequestTypeGetOffers);
        QTRY_COMPARE(server.connectionsInFlight(), 0);
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Error (3): x - m")});
    }

    void brokenCouponAnswerKeepsTheList_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("body not xml") << QByteArray("this is not xml");
        QTest::newRow("result not xml") << ScriptedService::soapEnvelope(
            QStringLiteral("GetOffers"), QStringLiteral("Service unavailable"));
    }
    void brokenCouponAnswerKeepsTheList() {
        QFETCH(QByteArray, body);
        saveMemberId(QStringLiteral("m1"));
        NotificationSpy offers(RedireOffersNotification);
        RedireServer& server = RedireServer::sharedServer();
        m_service->answerSoap(QStringLiteral("GetOffers"), coupons({coupon(1, 147), coupon(2, 148)}));
        server.requestDataOfType(RequestTypeGetOffers);
        QVERIFY(offers.wait());
        QCOMPARE(server.arrayOffers()->size(), 2);

        m_service->answer(QStringLiteral("GetOffers"), body);
        server.requestDataOfType(RequestTypeGetOffers);
        QTRY_COMPARE(server.connectionsInFlight(), 0);
        QCOMPARE(offers.count(), 1);
        QCOMPARE(server.arrayOffers()->size(), 2);
    }

    void emptyCouponAnswerIsAnnounced() {
        saveMemberId(QStringLiteral("m1"));
        NotificationSpy rewards(RedireRewardsNotification);
        m_service->answerSoap(QStringLiteral("GetRewards"), coupons({}));
        RedireServer::sharedServer().requestDataOfType(RequestTypeGetRewards);
        QVERIFY(rewards.wait());
        QVERIFY(RedireServer::sharedServer().arrayRewards().has_value());
        QCOMPARE(RedireServer::sharedServer().arrayRewards()->size(), 0);
    }

    void duplicateCouponsInOneAnswerGetTwoFlags() {
        saveMemberId(QStringLiteral("m1"));
        Database& database = Database::shared();
        QList<BadgesData> existing{BadgesData{0, 5, 146, false}};
        database.saveBadges(existing);

        NotificationSpy all(RedireAllCouponsNotification);
        m_service->answerSoap(QStringLiteral("GetAllCoupons"),
                              coupons({coupon(9, 145), coupon(9, 145), coupon(5, 146)}));
        RedireServer::sharedServer().requestDataOfType(RequestTypeGetAllCoupons);
        QVERIFY(all.wait());
        QCOMPARE(all.last().object.value<ElementRecords>().size(), 3);
        const QList<BadgesData> badges = database.fetchAllBadges();
        QCOMPARE(badges.size(), 3);
        QCOMPARE(database.countNewBadges({145}), 2);
        QCOMPARE(database.countNewBadges({146}), 0); // an existing flag keeps its value
    }

    void logOutAbandonsTransfersAndHoldsNewRequests() {
        saveMemberId(QStringLiteral("old"));
        RedireServer& server = RedireServer::sharedServer();
        NotificationSpy offers(RedireOffersNotification);
        NotificationSpy loggedOut(RedireUserLoggedOutNotification);
        server.requestDataOfType(RequestTypeGetOffers);
        QCOMPARE(server.connectionsInFlight(), 1);
        server.logOut();
        QCOMPARE(loggedOut.count(), 1);
        QCOMPARE(server.connectionsInFlight(), 1); // only the new InitializeApp
        QVERIFY(server.userId().isNull());

        server.requestDataOfType(RequestTypeGetPromotions);
        QCOMPARE(server.heldRequests(), 1);
        m_service->answerSoap(QStringLiteral("InitializeApp"), QStringLiteral("new-id"));
        QVERIFY(m_service->waitForRequests(QStringLiteral("GetPromotions"), 1));
        QCOMPARE(m_service->requestsFor(QStringLiteral("GetPromotions"))
                     .first()
                     .parameter(QStringLiteral("UserID")),
                 QStringLiteral("new-id"));
        QTRY_COMPARE(server.connectionsInFlight(), 0);
        QCOMPARE(offers.count(), 0); // the abandoned answer was never read
    }

    void cleanupDropsExpiredSavedCoupons() {
        const QString format = QStringLiteral("dd.MM.yyyy HH:mm:ss");
        const QDateTime now = QDateTime::currentDateTime();
        const QVariantList saved{
            QVariantMap{{QStringLiteral("Id"), "1"},
                        {QStringLiteral("Expires"), now.addSecs(-60).toString(format)}},
            QVariantMap{{QStringLiteral("Id"), "2"},
                        {QStringLiteral("Expires"), now.addSecs(-30).toString(format)}},
            QVariantMap{{QStringLiteral("Id"), "3"},
                        {QStringLiteral("Expires"), now.addSecs(3600).toString(format)}},
            QVariantMap{{QStringLiteral("Id"), "4"}, {QStringLiteral("Expires"), QStringLiteral("soon")}},
            QVariantMap{{QStringLiteral("Id"), "5"}}};
        UserDefaults::standardUserDefaults().setObject(saved, kCachedOffersKey);
        saveMemberId(QStringLiteral("m1"));

        const std::optional<RedireCouponList> loaded =
            RedireServer::sharedServer().loadDataFromCache(kCachedOffersKey);
        QVERIFY(loaded);
        QStringList ids;
        for (const auto& coupon : *loaded)
            ids << coupon->ID();
        QCOMPARE(ids, (QStringList{"3", "4", "5"}));
        QCOMPARE(UserDefaults::standardUserDefaults().arrayForKey(kCachedOffersKey).size(), 3);
    }

    void savedListNotEndingInAMapIsNotLoaded() {
        const QVariantList saved{
            QVariantMap{{QStringLiteral("Expires"), QStringLiteral("01.01.2000 00:00:00")}},
            QStringLiteral("junk")};
        UserDefaults::standardUserDefaults().setObject(saved, kCachedRewardsKey);
        saveMemberId(QStringLiteral("m1"));
        QVERIFY(!RedireServer::sharedServer().loadDataFromCache(kCachedRewardsKey));
        QCOMPARE(UserDefaults::standardUserDefaults().arrayForKey(kCachedRewardsKey), saved);
    }

    void storeLocationsKeepDuplicatesAndSkipMissingIds() {
        saveMemberId(QStringLiteral("m1"));
        NotificationSpy spy(RedireStoreLocationsNotification);
        m_service->answerSoap(
            QStringLiteral("GetStoreLocations"),
            QStringLiteral("<Stores xmlns=\"\"><stores type=\"BRENNOR\"/>"
                           "<store id=\"12\" name=\"A\" location=\"59.91, 10.75\" wash=\"TRUE\"/>"
                           "<store id=\"12\" name=\"B\" location=\"1,2,3\" wash=\"true\"/>"
                           "<store id=\"\" name=\"C\"/><store name=\"D\"/></Stores>"));
        RedireServer::sharedServer().getStoresLocationsForType(QStringLiteral("BRENNOR"));
        QVERIFY(spy.wait());
        QCOMPARE(spy.last().userInfo.value(StoreTypeKey).toString(), QStringLiteral("BRENNOR"));
        QCOMPARE(spy.last().userInfo.value(StoresAnnotationArrayKey).value<QList<StoreAnnotation>>().size(),
                 2);

        const QList<Store> stores = Database::shared().fetchAllStores();
        QCOMPARE(stores.size(), 2);
        QCOMPARE(stores.at(0).title, QStringLiteral("A"));
        QCOMPARE(stores.at(0).latitude, 59.91);
        QCOMPARE(stores.at(0).longitude, 10.75);
        QVERIFY(stores.at(0).wash);
        QCOMPARE(stores.at(1).latitude, 0.0);
        QVERIFY(!stores.at(1).wash);
    }

    void ratingsMarkMissingStoresUnratable() {
        saveMemberId(QStringLiteral("m1"));
        QList<Store> stored{Store{}, Store{}};
        stored[0].storeID = 1;
        stored[0].title = QStringLiteral("Gammel");
        stored[0].isRatable = true;
        stored[1].storeID = 2;
        stored[1].title = QStringLiteral("Borte");
        stored[1].isRatable = true;
        Database::shared().saveStores(stored);

        NotificationSpy spy(RedireRatingsNotification);
        m_service->answer(QStringLiteral("Ratings"),
                          R"([{"ShopId":1,"ShopName":"Ny","AvRating":4.25,"Av2MonthRating":3.5,"TotRatings":8,
                              "Tot2MonthRatings":2},{"ShopId":3,"ShopName":"X"},{"ShopId":3,"ShopName":"Y"},
                              {"ShopName":"no id"}])");
        RedireServer::sharedServer().requestRatings();
        QVERIFY(spy.wait());
        const QList<Store> stores = Database::shared().fetchAllStores();
        QCOMPARE(stores.size(), 4);
        QCOMPARE(stores.at(0).title, QStringLiteral("Ny"));
        QCOMPARE(stores.at(0).avRating, 4.25);
        QVERIFY(stores.at(0).isRatable);
        QVERIFY(!stores.at(1).isRatable);
        QCOMPARE(stores.at(1).title, QStringLiteral("Borte"));
        QCOMPARE(Database::shared().ratableStores().size(), 3);
    }

    void brokenRatingAnswersChangeNothing() {
        saveMemberId(QStringLiteral("m1"));
        QList<Store> stored{Store{}};
        stored[0].storeID = 1;
        stored[0].title = QStringLiteral("Butikk");
        stored[0].isRatable = true;
        Database::shared().saveStores(stored);
        RatingState allowance;
        allowance.remRatings = 2;
        allowance.ratingAvailable = true;
        Database::shared().saveRatingState(allowance);

        NotificationSpy ratings(RedireRatingsNotification);
        NotificationSpy state(RedireRatingStateNotification);
        m_service->answer(QStringLiteral("Ratings"), "{not json");
        m_service->answer(QStringLiteral("RatingState"), "[1,2]");
        RedireServer::sharedServer().requestRatings();
        RedireServer::sharedServer().requestRatingState();
        QVERIFY(ratings.wait());
        QVERIFY(state.wait());
        QVERIFY(state.last().object.isNull());
        QVERIFY(Database::shared().fetchAllStores().first().isRatable);
        QCOMPARE(Database::shared().lastRatingState()->remRatings, 2);
    }

    void ratingStateIsStored() {
        saveMemberId(QStringLiteral("m1"));
        NotificationSpy spy(RedireRatingStateNotification);
        m_service->answer(QStringLiteral("RatingState"),
                          R"({"RatingAvailable":true,"TimeToLive":"2026-12-11T13:45:10.1234567","RatingId":77,
                              "ShopId":12,"NoRatings":1,"RemRatings":2,"Epoch":1000,"EpochTTL":6400,"ShopName":"Sentrum"})");
        RedireServer::sharedServer().requestRatingState();
        QVERIFY(spy.wait());
        QCOMPARE(spy.last().object.toMap().value(QStringLiteral("RatingId")).toInt(), 77);
        const RatingState state = *Database::shared().lastRatingState();
        QVERIFY(state.ratingAvailable);
        QCOMPARE(state.timeToLive, QDateTime(QDate(2026, 12, 11), QTime(13, 45, 10, 123), QTimeZone::utc()));
        QCOMPARE(state.ratingId, 77);
        QCOMPARE(state.remRatings, 2);
        QCOMPARE(state.epochTTL, 6400);
        QCOMPARE(state.shopName, QStringLiteral("Sentrum"));

        const ScriptedService::Request request =
            m_service->requestsFor(QStringLiteral("RatingState")).first();
        QVERIFY(request.url.path().startsWith(
            QStringLiteral("/v1/RatingState/AppId/app_KRV/UserID/m1/Universe/KAFFE/Signature/")));
        QCOMPARE(request.url.query(), QStringLiteral("format=json"));
    }

    void weeklyStatsMatchBeforeTheAnswer() {
        saveMemberId(QStringLiteral("m1"));
        QList<StoreStats> existing{StoreStats{0, 12, 40, 3.0, 5}};
        Database::shared().saveStoreStats(existing);
        NotificationSpy spy(RedireStoreStatsNotification);
        m_service->answer(QStringLiteral("StoreStats"),
                          R"({"ShopId":12,"WeekRatings":[{"WeekNr":40,"AvgRating":4.5,"Count":9},
                              {"WeekNr":41,"AvgRating":2,"Count":1},{"WeekNr":41,"AvgRating":3,"Count":2}]})");
        m_service->answer(QStringLiteral("StoreStats"), R"({"ShopId":12,"WeekRatings":[]})");
        RedireServer::sharedServer().requestStoreStats(12);
        QVERIFY(spy.wait());
        const QList<StoreStats> weeks = Database::shared().storeStats(12, true);
        QCOMPARE(weeks.size(), 3);
        QCOMPARE(weeks.at(0).avgRating, 4.5);
        QCOMPARE(weeks.at(0).count, 9);

        RedireServer::sharedServer().requestStoreStats(12);
        QVERIFY(spy.wait(2));
        QCOMPARE(Database::shared().storeStats(12, true).size(), 3);
    }

    void rateProductSendsItsJsonBody() {
        NotificationSpy spy(RedireRateProductNotification);
        saveMemberId(QStringLiteral("m1"));
        m_service->answer(QStringLiteral("RateProduct"), R"({"Bonus":true})");
        RedireServer::sharedServer().requestRateProductWithRatingId(77, 5, 12);
        QVERIFY(spy.wait());
        QVERIFY(spy.last().object.toMap().value(QStringLiteral("Bonus")).toBool());
        const ScriptedService::Request request =
            m_service->requestsFor(QStringLiteral("RateProduct")).first();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.url.path(), QStringLiteral("/v1/RateProduct"));
        const QJsonObject body = QJsonDocument::fromJson(request.body).object();
        QCOMPARE(body.value(QStringLiteral("UserId")).toString(), QStringLiteral("m1"));
        QCOMPARE(body.value(QStringLiteral("ShopId")).toInt(), 12);
        QCOMPARE(body.value(QStringLiteral("RatingId")).toInt(), 77);
        QCOMPARE(body.value(QStringLiteral("Rating")).toInt(), 5);
    }

    void userInfo_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("postCode");
        QTest::addColumn<bool>("alert");
        QTest::newRow("same birthday")
            << R"(MobileNumber="99887766" DateOfBirth="01.02.1990" PostCode="0150")"
            << "99887766"
            << "0150" << false;
        QTest::newRow("empty phone keeps the saved one, empty postal code clears")
            << R"(MobileNumber="" DateOfBirth="01.02.1990" PostCode="")"
            << "12345678"
            << "" << false;
        QTest::newRow("no postal code keeps the member's") << R"(MobileNumber="" DateOfBirth="")"
                                                           << "12345678"
                                                           << "0301" << false;
        QTest::newRow("other birthday is announced") << R"(DateOfBirth="03.04.1985" PostCode="0301")"
                                                     << "12345678"
                                                     << "0301" << true;
    }
    void userInfo() {
        QFETCH(QString, user);
        QFETCH(QString, phone);
        QFETCH(QString, postCode);
        QFETCH(bool, alert);
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        defaults.setObject(QStringLiteral("12345678"), kPhoneKey);
        defaults.setObject(QStringLiteral("01.02.1990"), kDobKey);
        defaults.setObject(QStringLiteral("0301"), kPostCodeKey);
        saveMemberId(QStringLiteral("m1"));

        NotificationSpy spy(RedireGetUserInfoNotification);
        m_service->answerSoap(QStringLiteral("GetUserInfo"),
                              QStringLiteral("<Users xmlns=\"\"><user UserID=\"m1\" %1/></Users>").arg(user));
        RedireServer::sharedServer().requestDataOfType(RequestTypeGetUserInfo);
        QVERIFY(spy.wait());
        QCOMPARE(defaults.stringForKey(kPhoneKey), phone);
        QCOMPARE(defaults.stringForKey(kPostCodeKey), postCode);
        QCOMPARE(RedireServer::sharedServer().dictUserInfo()->value(kPostCodeKey).toString(), postCode);
        QCOMPARE(AlertView::visibleAlerts().size(), alert ? 1 : 0);
        if (alert) {
            QCOMPARE(AlertView::visibleAlerts().first()->title(), QStringLiteral("Obs!"));
            QVERIFY(AlertView::visibleAlerts().first()->message().contains(QStringLiteral("03.04.1985")));
            AlertView::visibleAlerts().first()->dismissWithClickedButtonIndex(0);
        }
    }

    void requestTypeNames() {
        QCOMPARE(requestTypeName(8), std::optional<QString>(QStringLiteral("GetPromotios")));
        QCOMPARE(requestTypeName(0), std::optional<QString>(QStringLiteral("")));
        QVERIFY(!requestTypeName(18));
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedService> m_service;
};

QTEST_MAIN(TestRedireServer)
#include "tst_redireserver.moc"
