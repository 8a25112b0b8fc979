#include "platform/NotificationCenter.h"

#include <QTest>

class TestNotificationCenter : public QObject {
    Q_OBJECT

    NotificationCenter m_center;
    QStringList m_heard;

    void listen(QObject* observer, const QString& name, const QString& who) {
        m_center.addObserver(observer, name, [this, who](const Notification&) { m_heard.append(who); });
    }

private slots:
    void init() { m_heard.clear(); }

    void deliversInRegistrationOrderWithObjectAndUserInfo() {
        QObject first, second, other;
        Notification received;
        listen(&first, QStringLiteral("RedireNewsNotification"), QStringLiteral("first"));
        m_center.addObserver(&second, QStringLiteral("RedireNewsNotification"), [&](const Notification& n) {
            received = n;
            m_heard.append(QStringLiteral("second"));
        });
        listen(&other, QStringLiteral("RedireOffersNotification"), QStringLiteral("other"));

        m_center.postNotification(QStringLiteral("RedireNewsNotification"), QVariant(7), {{"count", 2}});
        QCOMPARE(m_heard, (QStringList{"first", "second"}));
        QCOMPARE(received.name, QStringLiteral("RedireNewsNotification"));
        QCOMPARE(received.object, QVariant(7));
        QCOMPARE(received.userInfo, (QVariantMap{{"count", 2}}));
        m_center.removeObserver(&first);
        m_center.removeObserver(&second);
        m_center.removeObserver(&other);
    }

    void removalDuringDeliveryTakesEffectAtOnce() {
        QObject first, second;
        m_center.addObserver(&first, QStringLiteral("n"), [&](const Notification&) {
            m_heard.append(QStringLiteral("first"));
            m_center.removeObserver(&second);
        });
        listen(&second, QStringLiteral("n"), QStringLiteral("second"));
        m_center.postNotification(QStringLiteral("n"));
        m_center.postNotification(QStringLiteral("n"));
        QCOMPARE(m_heard, (QStringList{"first", "first"}));
        m_center.removeObserver(&first);
    }

    void removingOneNameKeepsTheOthers() {
        QObject observer;
        listen(&observer, QStringLiteral("a"), QStringLiteral("a"));
        listen(&observer, QStringLiteral("b"), QStringLiteral("b"));
        m_center.removeObserver(&observer, QStringLiteral("a"));
        m_center.postNotification(QStringLiteral("a"));
        m_center.postNotification(QStringLiteral("b"));
        QCOMPARE(m_heard, QStringList{"b"});
    }

    void destroyedObserverStopsReceiving() {
        auto* doomed = new QObject;
        QObject killer;
        m_center.addObserver(&killer, QStringLiteral("n"), [&](const Notification&) {
            m_heard.append(QStringLiteral("killer"));
            delete doomed;
            doomed = nullptr;
        });
        listen(doomed, QStringLiteral("n"), QStringLiteral("doomed"));
        m_center.postNotification(QStringLiteral("n"));
        m_center.postNotification(QStringLiteral("n"));
        QCOMPARE(m_heard, (QStringList{"killer", "killer"}));
        m_center.removeObserver(&killer);
    }
};

QTEST_GUILESS_MAIN(TestNotificationCenter)
#include "tst_notificationcenter.moc"
