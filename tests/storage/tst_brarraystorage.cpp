#include "platform/DebugLog.h"
#include "platform/UserDefaults.h"
#include "storage/BRArrayStorage.h"
#include "tests/support/TestHome.h"

#include <QDataStream>
#include <QTest>

// A record that archives itself, as the push statistics keep theirs.
struct PendingOpen {
    QString pushId;
    qint64 openedAt = 0;
    bool operator==(const PendingOpen&) const = default;
};
Q_DECLARE_METATYPE(PendingOpen)

QDataStream& operator<<(QDataStream& stream, const PendingOpen& open) {
    return stream << open.pushId << open.openedAt;
}
QDataStream& operator>>(QDataStream& stream, PendingOpen& open) {
    return stream >> open.pushId >> open.openedAt;
}

// A type without stream operators cannot be archived.
struct Unarchivable {
    int value = 0;
};
Q_DECLARE_METATYPE(Unarchivable)

class TestBRArrayStorage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<PendingOpen>(); }

    void addToUnusedNameMakesListOfOne() {
        TestHome home;
        QVERIFY(!BRArrayStorage::arrayForKey("pushOpensCount"));
        BRArrayStorage::addObject("p1", "pushOpensCount", false);
        QCOMPARE(BRArrayStorage::arrayForKey("pushOpensCount"), QVariantList{"p1"});
    }

    void removeRemovesEveryEqualElement() {
        TestHome home;
        BRArrayStorage::setArray({"a", "b", "a", 7, "a"}, "list");
        BRArrayStorage::removeObject("a", "list", false);
        QCOMPARE(BRArrayStorage::arrayForKey("list"), (QVariantList{"b", 7}));
    }

    void firstObject() {
        TestHome home;
        QVERIFY(!BRArrayStorage::firstObjectForKey("missing").isValid());
        BRArrayStorage::setArray({}, "empty");
        QCOMPARE(BRArrayStorage::arrayForKey("empty"), QVariantList{});
        QVERIFY(!BRArrayStorage::firstObjectForKey("empty").isValid());
        BRArrayStorage::setArray({"x", "y"}, "two");
        QCOMPARE(BRArrayStorage::firstObjectForKey("two"), QVariant("x"));
    }

    void ownRecordsSurviveSynchronizeAndReopen() {
        TestHome home;
        const PendingOpen first{"push-1", 1700000000};
        const PendingOpen second{"push-2", 1700000100};
        BRArrayStorage::addObject(QVariant::fromValue(first), "PendingPushes", false);
        BRArrayStorage::addObject(QVariant::fromValue(second), "PendingPushes", true);
        UserDefaults::resetStandardUserDefaults();

        const QVariantList stored = BRArrayStorage::arrayForKey("PendingPushes").value_or(QVariantList());
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored.at(1).value<PendingOpen>(), second);
        BRArrayStorage::removeObject(QVariant::fromValue(first), "PendingPushes", true);
        UserDefaults::resetStandardUserDefaults();
        QCOMPARE(BRArrayStorage::firstObjectForKey("PendingPushes").value<PendingOpen>(), second);
    }

    void undecodableBytesReadAsNoList_data() {
        QTest::addColumn<QVariant>("stored");
        QByteArray archive;
        {
            TestHome home;
            BRArrayStorage::setArray({"a", "b"}, "list");
            archive = UserDefaults::standardUserDefaults().dataForKey("list");
        }
        QTest::newRow("truncated archive") << QVariant(archive.chopped(1));
        QTest::newRow("foreign bytes") << QVariant(QByteArray("not an archive"));
        QTest::newRow("not bytes") << QVariant(QStringLiteral("text"));
    }
    void undecodableBytesReadAsNoList() {
        QFETCH(QVariant, stored);
        TestHome home;
        UserDefaults::standardUserDefaults().setObject(stored, "list");
        QVERIFY(!BRArrayStorage::arrayForKey("list"));
        QVERIFY(!BRArrayStorage::firstObjectForKey("list").isValid());
    }

    void listWithUnarchivableObjectKeepsTheOldList() {
        TestHome home;
        DebugLog::Capture log;
        BRArrayStorage::setArray({"kept"}, "list");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unable to save type"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unable to load type"));
        BRArrayStorage::addObject(QVariant::fromValue(Unarchivable{1}), "list", false);
        QCOMPARE(BRArrayStorage::arrayForKey("list"), QVariantList{"kept"});
        QCOMPARE(log.lines(),
                 QStringList{"BRArrayStorage: list \"list\" holds an object that cannot be archived"});
    }
};

QTEST_GUILESS_MAIN(TestBRArrayStorage)
#include "tst_brarraystorage.moc"
