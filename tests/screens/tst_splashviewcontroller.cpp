#include "member/BirthdayViewController.h"
#include "platform/UserDefaults.h"
#include "platform/Window.h"
#include "screens/CustomNavigationController.h"
#include "screens/HomeViewController.h"
#include "screens/SplashViewController.h"
#include "storage/SettingsKeys.h"
#include "tests/support/ScriptedService.h"
#include "tests/support/TestHome.h"

#include <QtTest>

#include <memory>

class TestSplashViewController : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_service = std::make_unique<ScriptedService>();
    }
    void cleanup() {
        m_window.reset();
        m_service.reset();
        m_home.reset();
    }

    void newMemberGetsTheRegistrationScreenOverHome() {
        SplashViewController& splash = start();
        QVERIFY(SplashViewController::showRegisterAtStart());
        QVERIFY(qobject_cast<HomeViewController*>(m_navigation->topViewController()));
        QVERIFY(!m_navigation->topViewController()->isTransitioning()); // pushed without animation
        QTRY_VERIFY(qobject_cast<BirthdayViewController*>(splash.presentedViewController()));
    }

    void registeredMemberGoesStraightHome() {
        UserDefaults::standardUserDefaults().setObject(QStringLiteral("m1"), kUserIdKey);
        UserDefaults::standardUserDefaults().setBool(true, kConfirmedKey);
        SplashViewController& splash = start();
        QVERIFY(!SplashViewController::showRegisterAtStart());
        QVERIFY(qobject_cast<HomeViewController*>(m_navigation->topViewController()));
        QTest::qWait(400);
        QVERIFY(!splash.presentedViewController());
    }

    void lateAdvertNeverPushesASecondHome() {
        SplashViewController& splash = start();
        QCOMPARE(m_navigation->viewControllers().size(), 2);
        QPixmap advert(64, 64);
        advert.fill(Qt::red);
        splash.showAd(advert);
        QTest::qWait(1200); // the advert moves on to the home screen a second after it appears
        splash.showRoot();
        QCOMPARE(m_navigation->viewControllers().size(), 2);
        QCOMPARE(splash.adView()->alpha(), 1.0);
    }

private:
    SplashViewController& start() {
        m_window = std::make_unique<Window>(568);
        auto* splash = new SplashViewController;
        m_navigation = new CustomNavigationController(splash, m_window.get());
        m_navigation->setNavigationBarHidden(true);
        m_window->setRootViewController(m_navigation);
        m_window->makeKeyAndVisible();
        return *splash;
    }

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedService> m_service;
    std::unique_ptr<Window> m_window;
    CustomNavigationController* m_navigation = nullptr;
};

QTEST_MAIN(TestSplashViewController)
#include "tst_splashviewcontroller.moc"
