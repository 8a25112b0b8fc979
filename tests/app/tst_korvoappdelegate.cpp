#include "app/FacebookSession.h"
#include "app/KorvoAppDelegate.h"
#include "platform/AlertView.h"
#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "platform/NotificationCenter.h"
#include "platform/Paths.h"
#include "platform/Reachability.h"
#include "platform/StringTable.h"
#include "platform/UserDefaults.h"
#include "platform/Window.h"
#include "push/BRHelper.h"
#include "screens/SplashViewController.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"
#include "tests/support/NotificationSpy.h"
#include "tests/support/ScriptedService.h"
#include "tests/support/TestHome.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <memory>

class TestKorvoAppDelegate : public QObject {
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

    void startUpBringsUpEveryFacility() {
        DebugLog::Capture log;
        KorvoAppDelegate delegate;
        QCOMPARE(KorvoAppDelegate::shared(), &delegate);
        QVERIFY(delegate.applicationDidFinishLaunching());

        QVERIFY(QFileInfo::exists(m_home->filePath(QStringLiteral("RatingDataBase.sqlite"))));
        QVERIFY(QFileInfo(m_home->filePath(QStringLiteral("imageCache"))).isDir());
        QCOMPARE(delegate.parseHelper(), &BRHelper::sharedHelper());
        QVERIFY(BRHelper::sharedHelper().isRegisteredForPushes());
        QVERIFY(log.contains(QStringLiteral("Analytics: session started with key KORVOANALYTICSKEY001")));
        QVERIFY(delegate.internet());
        QVERIFY(delegate.window()->isVisible());
        QCOMPARE(delegate.window()->size(), QSize(320, 568));
        QCOMPARE(delegate.window()->windowTitle(), QStringLiteral("Korvo Store"));
        QVERIFY(qobject_cast<SplashViewController*>(delegate.navCon()->viewControllers().value(0)));
        QVERIFY(!delegate.facebook()); // systems from 6.0 on share through the platform
        QCOMPARE(delegate.supportedInterfaceOrientationsForWindow(), 30u);
    }

    void returningToTheForegroundKeepsOneMonitor() {
        KorvoAppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        Reachability* monitor = delegate.internet();
        Application::shared().setApplicationIconBadgeNumber(4);
        Application::shared().setApplicationState(Application::State::Background);
        Application::shared().setApplicationState(Application::State::Active);
        QCOMPARE(Application::shared().applicationIconBadgeNumber(), 0);
        QCOMPARE(delegate.internet(), monitor);
    }

    void aFileNamedImageCacheBecomesADirectory() {
        QFile file(m_home->filePath(QStringLiteral("imageCache")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a directory");
        file.close();
        KorvoAppDelegate delegate;
        delegate.createCache(QStringLiteral("imageCache"));
        QVERIFY(QFileInfo(m_home->filePath(QStringLiteral("imageCache"))).isDir());
    }

    void offlineBannerShownTwiceIsOneBannerSlidingIn() {
        KorvoAppDelegate delegate;
        QWidget first;
        QWidget second;
        first.resize(320, 480);
        second.resize(320, 480);
        delegate.showOfflineWarningInView(&first);
        QWidget* banner = delegate.viewOfflineWarning();
        QVERIFY(banner);
        QTRY_COMPARE(banner->y(), 35);
        delegate.showOfflineWarningInView(&second);
        QCOMPARE(delegate.viewOfflineWarning(), banner);
        QCOMPARE(banner->parentWidget(), &second);
        QCOMPARE(banner->y(), -banner->height());
        QTRY_COMPARE(banner->y(), 35);
        QVERIFY(first.findChildren<QWidget*>().isEmpty());
        delegate.removeOfflineWarning();
        QVERIFY(!banner->parentWidget());
    }

    void olderSystemsGetTheOlderSocialClient_data() {
        QTest::addColumn<QString>("systemVersion");
        QTest::addColumn<bool>("olderClient");
        QTest::newRow("5.1") << "5.1" << true;
        QTest::newRow("6.0") << "6.0" << false;
        QTest::newRow("10.0") << "10.0" << false;
    }
    void olderSystemsGetTheOlderSocialClient() {
        QFETCH(QString, systemVersion);
        QFETCH(bool, olderClient);
        Configuration configuration = Configuration::current();
        configuration.systemVersion = systemVersion;
        Configuration::setCurrent(configuration);
        KorvoAppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        QCOMPARE(delegate.facebook() != nullptr, olderClient);
        if (olderClient)
            QCOMPARE(delegate.facebook()->applicationId(), configuration.facebookAppId);
        configuration.systemVersion = QStringLiteral("7.0");
        Configuration::setCurrent(configuration);
    }

    void socialLoginKeepsItsTokenUntilTheSessionIsInvalid() {
        KorvoAppDelegate delegate;
        const QDateTime expiry(QDate(2027, 1, 2), QTime(3, 4), QTimeZone::utc());
        delegate.fbDidLogin(QStringLiteral("token-1"), expiry);
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        QCOMPARE(defaults.stringForKey(kFBAccessTokenKey), QStringLiteral("token-1"));
        QCOMPARE(defaults.dateForKey(kFBExpirationDateKey), expiry);

        delegate.fbSessionInvalidated();
        QCOMPARE(AlertView::visibleAlerts().size(), 1);
        AlertView* alert = AlertView::visibleAlerts().first();
        QCOMPARE(alert->message(), localizedString(QStringLiteral("alert.share.facebook.session_expired")));
        QCOMPARE(alert->buttonTitles(), QStringList{localizedString(QStringLiteral("common.ok"))});
        alert->dismissWithClickedButtonIndex(0);
        QVERIFY(defaults.objectForKey(kFBAccessTokenKey).isNull());
        QVERIFY(defaults.objectForKey(kFBExpirationDateKey).isNull());
    }

    void sharingLoginAnnouncesTheOpenSession() {
        KorvoAppDelegate delegate;
        NotificationSpy changed(FBSessionStateChangedNotification);
        delegate.facebookAuthorize();
        QCOMPARE(changed.count(), 1);
        auto* session = qobject_cast<FacebookSession*>(changed.last().object.value<QObject*>());
        QVERIFY(session && session->isOpen());
        QCOMPARE(session->permissions(), (QStringList{"email", "publish_stream"}));
        delegate.facebookAuthorize(); // already open: announced again at once
        QCOMPARE(changed.count(), 2);
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedService> m_service;
};

QTEST_MAIN(TestKorvoAppDelegate)
#include "tst_korvoappdelegate.moc"
