#include "platform/NotificationCenter.h"
#include "platform/Reachability.h"

#include <QTest>

class TestReachability : public QObject {
    Q_OBJECT

private slots:
    void offlineSwitchForcesNoConnection() {
        qputenv("KORVO_OFFLINE", "1");
        QObject observer;
        int posted = 0;
        NotificationCenter::defaultCenter().addObserver(&observer, kReachabilityChangedNotification,
                                                        [&](const Notification&) { ++posted; });
        Reachability* reachability = Reachability::reachabilityForInternetConnection(&observer);
        QVERIFY(reachability->startNotifier());
        QCOMPARE(reachability->currentReachabilityStatus(), Reachability::NotReachable);
        QTest::qWait(100);
        QCOMPARE(posted, 0);
        reachability->stopNotifier();
        qunsetenv("KORVO_OFFLINE");
    }
};

QTEST_GUILESS_MAIN(TestReachability)
#include "tst_reachability.moc"
