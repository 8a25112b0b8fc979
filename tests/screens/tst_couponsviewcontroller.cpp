#include "app/KorvoAppDelegate.h"
#include "platform/ActionSheet.h"
#include "platform/AlertView.h"
#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/MessageComposeViewController.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "screens/CouponsViewController.h"
#include "screens/CouponView.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "storage/SettingsKeys.h"
#include "tests/support/ScriptedService.h"
#include "tests/support/TestHome.h"
#include "ui_CouponsViewController.h"
#include "ui_CouponView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include <memory>

namespace {

QSharedPointer<RedireCoupon> coupon(const QString& id, const QString& universe = {},
                                    const QString& text = {}) {
    return QSharedPointer<RedireCoupon>::create(
        QVariantMap{{"Id", id}, {"TypeId", "143"}, {"Universe", universe}, {"Text", text}});
}

RedireCouponList someCoupons(int count) {
    RedireCouponList list;
    for (int i = 0; i < count; ++i)
        list.append(coupon(QString::number(100 + i), {}, QStringLiteral("Baksiden")));
    return list;
}

} // namespace

class TestCouponsViewController : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_service = std::make_unique<ScriptedService>();
        m_delegate = std::make_unique<KorvoAppDelegate>();
        m_delegate->setConnectionStatus(1);
        UserDefaults::standardUserDefaults().setObject(QStringLiteral("m1"), kUserIdKey);
        RedireServer::resetSharedServer();
        Application::shared().setRecordsOpenedUrls(true);
    }
    void cleanup() {
        m_screen.reset();
        for (ActionSheet* sheet : ActionSheet::visibleSheets())
            sheet->dismissWithClickedButtonIndex(sheet->cancelButtonIndex());
        for (AlertView* alert : AlertView::visibleAlerts())
            alert->dismissWithClickedButtonIndex(0);
        RedireServer::resetSharedServer();
        m_delegate.reset();
        m_service.reset();
        m_home.reset();
        Configuration::setCurrent(Configuration());
    }

    void eachKindShowsAndAsksForItsList_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("operation");
        QTest::newRow("147 offers") << 147 << "GetOffers";
        QTest::newRow("148 offers") << 148 << "GetOffers";
        QTest::newRow("143 promotions") << 143 << "GetPromotions";
        QTest::newRow("144 promotions") << 144 << "GetPromotions";
    }
    void eachKindShowsAndAsksForItsList() {
        QFETCH(int, type);
        QFETCH(QString, operation);
        RedireServer& server = RedireServer::sharedServer();
        server.setArrayOffers(someCoupons(2));
        server.setArrayPromotions(someCoupons(3));
        CouponsViewController& screen = show(type);
        QCOMPARE(screen.ui().carousel->numberOfItems(), operation == "GetOffers" ? 2 : 3);
        QVERIFY(m_service->waitForRequests(operation, 1));
    }

    void emptyTextOnlyAfterAnAnswer() {
        RedireServer::sharedServer().setArrayOffers(RedireCouponList());
        CouponsViewController& screen = show(147);
        QVERIFY(screen.ui().labelEmpty->isHidden());
        NotificationCenter::defaultCenter().postNotification(RedireOffersNotification);
        QVERIFY(!screen.ui().labelEmpty->isHidden());
        QCOMPARE(screen.ui().labelEmpty->text(), QStringLiteral("Ingen tilbud"));
    }

    void updateButtonWaitsForTheGuardAndTheAnswer() {
        CouponsViewController& screen = show(145);
        QPushButton* update = screen.ui().buttonUpdate;
        QVERIFY(!update->isEnabled());
        QTest::qWait(500);
        NotificationCenter::defaultCenter().postNotification(RedireLoyaltyCardsNotification);
        QVERIFY(!update->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(update->isEnabled(), 1500);
        // Without an answer the button stays disabled after the guard.
        update->click();
        QVERIFY(!update->isEnabled());
        QTest::qWait(1700);
        QVERIFY(!update->isEnabled());
        QCOMPARE(m_service->requestsFor("GetLoyaltyCards").size(), 2);
    }

    void rateButtonTakesTheShareButtonsPlace() {
        RedireServer::sharedServer().setArrayPromotions(
            RedireCouponList{coupon("5", "KAFFE"), coupon("6"), coupon("1"), coupon("7")});
        CouponsViewController& screen = show(143, true);
        QPushButton* share = screen.ui().buttonShare;
        QTRY_COMPARE(screen.rateCoffeeButtonAlpha(), 1.0);
        QVERIFY(!screen.rateCoffeeButton()->isHidden());
        QVERIFY(share->isHidden());

        screen.ui().carousel->scrollToItemAtIndex(1, false);
        QVERIFY(!screen.rateCoffeeButton()->isHidden()); // fading out
        QVERIFY(!share->isHidden());
        QTest::qWait(150);
        QVERIFY(screen.rateCoffeeButtonAlpha() > 0 && screen.rateCoffeeButtonAlpha() < 1);
        QTRY_VERIFY(screen.rateCoffeeButton()->isHidden());
        screen.ui().carousel->scrollToItemAtIndex(2, false);
        QVERIFY(share->isHidden());
        screen.ui().carousel->scrollToItemAtIndex(3, false);
        QVERIFY(!share->isHidden());
    }

    void giveAwaySheetTitles_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("title");
        QTest::newRow("146") << 146 << "Gi bort kupongen på sms";
        QTest::newRow("143") << 143 << "Del kupongen på sms";
    }
    void giveAwaySheetTitles() {
        QFETCH(int, type);
        QFETCH(QString, title);
        show(type, true);
        // An empty give-away text still opens the sheet.
        NotificationCenter::defaultCenter().postNotification(RedireCouponForFriendNotification, QString());
        QCOMPARE(ActionSheet::visibleSheets().size(), 1);
        QCOMPARE(ActionSheet::visibleSheets().first()->buttonTitles(), QStringList({title, "Avbryt"}));
    }

    void composerResults_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("alert");
        QTest::newRow("failed") << int(MessageComposeResult::Failed) << "SMS sendingen feilet";
        QTest::newRow("cancelled") << int(MessageComposeResult::Cancelled) << "";
        QTest::newRow("sent") << int(MessageComposeResult::Sent) << "";
    }
    void composerResults() {
        QFETCH(int, result);
        QFETCH(QString, alert);
        RedireServer::sharedServer().setArrayPromotions(someCoupons(1));
        CouponsViewController& screen = show(143, true);
        NotificationCenter::defaultCenter().postNotification(RedireCouponForFriendNotification, "KODE-42");
        ActionSheet::visibleSheets().first()->dismissWithClickedButtonIndex(0);
        auto* composer = qobject_cast<MessageComposeViewController*>(screen.presentedViewController());
        QVERIFY(composer);
        QVERIFY(composer->body().contains("benytt tilbudet! KODE-42 Sendt fra"));
        QVERIFY(composer->recipients().isEmpty());
        composer->finish(MessageComposeResult(result));
        const QList<AlertView*> alerts = AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), alert.isEmpty() ? 0 : 1);
        if (!alert.isEmpty())
            QCOMPARE(alerts.first()->message(), alert);
        QTRY_VERIFY(!screen.presentedViewController());
    }

    void chosenNumberLosesOnlyItsSpaces() {
        Configuration configuration = Configuration::current();
        configuration.canSendText = false;
        Configuration::setCurrent(configuration);
        CouponsViewController& screen = show(146, true);
        NotificationCenter::defaultCenter().postNotification(RedireCouponForFriendNotification, "KODE-7");
        ActionSheet::visibleSheets().first()->dismissWithClickedButtonIndex(0);
        auto* picker = qobject_cast<PeoplePickerNavigationController*>(screen.presentedViewController());
        QVERIFY(picker);
        const Contact person{"Kari", {"999", "+47 (0) 412 34-567 #2"}};
        QVERIFY(screen.peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(picker, person));
        QVERIFY(!screen.peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
            picker, person, ContactProperty::Phone, 1));
        const QUrl opened = Application::shared().openedUrls().last();
        QCOMPARE(opened.scheme(), QStringLiteral("sms"));
        QCOMPARE(opened.path(), QStringLiteral("+47(0)41234-567#2"));
        QVERIFY(!opened.hasQuery() && !opened.hasFragment());
        QVERIFY(QGuiApplication::clipboard()->text().contains("tilbudet!\n\n KODE-7 \n\nSendt fra"));
    }

    void flippedCouponStaysFlippedAfterScrollingAway() {
        RedireServer::sharedServer().setArrayPromotions(someCoupons(8));
        CouponsViewController& screen = show(143);
        Carousel* carousel = screen.ui().carousel;
        screen.carouselDidSelectItemAtIndex(carousel, 0);
        const QSharedPointer<RedireCoupon> first = screen.coupons().first();
        QVERIFY(first->isFlipped());
        carousel->scrollToItemAtIndex(7, false);
        // The card that showed the first coupon now shows another one on its front.
        for (int index : carousel->indexesForVisibleItems()) {
            CouponView* card = carousel->itemViewAtIndex(index)->findChild<CouponView*>();
            QVERIFY(!card->ui().viewFront->isHidden());
        }
        carousel->scrollToItemAtIndex(0, false);
        CouponView* card = carousel->itemViewAtIndex(0)->findChild<CouponView*>();
        QCOMPARE(card->coupon(), first);
        QVERIFY(card->ui().viewFront->isHidden());
        QVERIFY(!card->ui().viewBack->isHidden());
    }

private:
    CouponsViewController& show(int type, bool share = false) {
        // The service fails every list request: the tests announce the answers themselves.
        for (const char* operation : {"GetOffers", "GetPromotions", "GetLoyaltyCards", "GetRewards"}) {
            for (int i = 0; i < 3; ++i)
                m_service->answer(operation, QByteArray(), 500);
        }
        m_screen = std::make_unique<CouponsViewController>();
        m_screen->setType(type);
        m_screen->setCaption(QStringLiteral("Kuponger"));
        m_screen->setEmpty(QStringLiteral("Ingen tilbud"));
        m_screen->setVisibleShareButton(share);
        m_screen->setVisibleUpdateButton(true);
        m_screen->view()->show();
        m_screen->viewWillAppear(false);
        m_screen->viewDidAppear(false);
        return *m_screen;
    }

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedService> m_service;
    std::unique_ptr<KorvoAppDelegate> m_delegate;
    std::unique_ptr<CouponsViewController> m_screen;
};

QTEST_MAIN(TestCouponsViewController)
#include "tst_couponsviewcontroller.moc"
