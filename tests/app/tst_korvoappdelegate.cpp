#include "app/KorvoAppDelegate.h"
#include "platform/Application.h"
#include "platform/DebugLog.h"
#include "platform/NotificationCenter.h"
#include "platform/Paths.h"
#include "platform/Reachability.h"
#include "platform/Window.h"
#include "push/BRHelper.h"
#include "screens/SplashViewController.h"
#include "storage/Database.h"
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

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedService> m_service;
};

QTEST_MAIN(TestKorvoAppDelegate)
#include "tst_korvoappdelegate.moc"
