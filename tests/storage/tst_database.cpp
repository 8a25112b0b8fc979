#include "platform/DebugLog.h"
#include "storage/Database.h"
#include "storage/DatabaseMigrations.h"
#include "tests/support/TestHome.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

namespace {

// Runs statements on the file through a connection of its own, outside the class under test.
QVariantList runOnFile(const QString& path, const QStringList& statements) {
    QVariantList lastValues;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw");
        raw.setDatabaseName(path);
        raw.open();
        QSqlQuery query(raw);
        for (const QString& statement : statements) {
            query.exec(statement);
            lastValues.clear();
            while (query.next())
                lastValues.append(query.value(0));
        }
    }
    QSqlDatabase::removeDatabase("raw");
    return lastValues;
}

int userVersion(const QString& path) {
    return runOnFile(path, {"PRAGMA user_version"}).value(0).toInt();
}

QStringList tableNames(const QString& path) {
    QStringList names;
    for (const QVariant& name : runOnFile(path, {"SELECT name FROM sqlite_master WHERE type = 'table' "
                                                 "AND name NOT LIKE 'sqlite_%' ORDER BY name"}))
        names.append(name.toString());
    return names;
}

BadgesData badge(qint64 couponId, qint64 typeId, bool isNew) {
    BadgesData made;
    made.couponId = couponId;
    made.typeId = typeId;
    made.isNew = isNew;
    return made;
}

Store store(qint64 storeID, const QString& title, bool isRatable) {
    Store made;
    made.storeID = storeID;
    made.title = title;
    made.isRatable = isRatable;
    return made;
}

StoreStats week(qint64 storeID, int weekNumber, double avgRating) {
    StoreStats made;
    made.storeID = storeID;
    made.weekNumber = weekNumber;
    made.avgRating = avgRating;
    return made;
}

QList<int> weekNumbers(const QList<StoreStats>& stats) {
    QList<int> numbers;
    for (const StoreStats& one : stats)
        numbers.append(one.weekNumber);
    return numbers;
}

QList<qint64> storeIDs(const QList<Store>& stores) {
    QList<qint64> numbers;
    for (const Store& one : stores)
        numbers.append(one.storeID);
    return numbers;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        Database::resetShared();
        m_path = m_home->filePath("RatingDataBase.sqlite");
    }
    void cleanup() {
        Database::resetShared();
        m_home.reset();
    }

    void sharedOpensTheFileOfTheDocumentsDirectory() {
        QVERIFY(Database::shared().isOpen());
        QCOMPARE(Database::shared().filePath(), m_path);
        QVERIFY(QFile::exists(m_path));
        QCOMPARE(userVersion(m_path), DatabaseMigrations::latestVersion());
    }

    void everyEntitySurvivesARestartWithItsAbsentAttributes() {
        Store full;
        full.storeID = 9'000'000'001;
        full.title = QString::fromUtf8("Korvo Grünerløkka");
        full.addressTitle = "Thorvald Meyers gate 1";
        full.telephone = "+47 22 00 00 00";
        full.wash = true;
        full.latitude = 59.9226;
        full.longitude = 10.7589;
        full.avRating = 4.25;
        full.av2MonthRating = 3.5;
        full.totRatings = 120;
        full.tot2MonthRatings = 7;
        full.isRatable = true;
        Store emptyTexts;
        emptyTexts.title = "";
        emptyTexts.addressTitle = "";
        QList<Store> stores = {full, Store(), emptyTexts};

        QList<BadgesData> badges = {badge(77, 145, true), BadgesData()};
        QList<StoreStats> stats = {week(5, 42, 4.75), StoreStats()};
        stats[0].count = 3;

        RatingState state;
        state.ratingAvailable = true;
        state.timeToLive = QDateTime(QDate(2014, 3, 1), QTime(12, 30, 15, 250), QTimeZone::utc());
        state.ratingId = 5'000'000'000;
        state.shopId = 1234;
        state.shopName = "Korvo Majorstuen";
        state.noRatings = 2;
        state.remRatings = 1;
        state.epoch = 1'393'670'000;
        state.epochTTL = 1'393'677'015;
        RatingState absent;

        {
            Database database(m_path);
            QVERIFY(database.saveStores(stores));
            QVERIFY(database.saveBadges(badges));
            QVERIFY(database.saveStoreStats(stats));
            QVERIFY(database.saveRatingState(absent));
            QVERIFY(database.saveRatingState(state));
        }
        for (const Store& one : stores)
            QVERIFY(one.rowId != 0);

        Database reopened(m_path);
        QCOMPARE(reopened.fetchAllStores(), stores);
        QCOMPARE(reopened.fetchAllBadges(), badges);
        QCOMPARE(reopened.storeStats(5, true), QList<StoreStats>{stats[0]});
        QCOMPARE(reopened.storeStats(0, true), QList<StoreStats>{stats[1]});
        QCOMPARE(reopened.lastRatingState(), std::optional<RatingState>(state));

        const QList<Store> read = reopened.fetchAllStores();
        QVERIFY(read[1].title.isNull());
        QVERIFY(read[1].telephone.isNull());
        QVERIFY(!read[2].title.isNull());
        QVERIFY(read[2].title.isEmpty());
    }

    void absentRatingStateReadsAsNothing() {
        Database database(m_path);
        QVERIFY(!database.lastRatingState().has_value());

        RatingState state;
        QVERIFY(database.saveRatingState(state));
        const std::optional<RatingState> read = database.lastRatingState();
        QVERIFY(read.has_value());
        QVERIFY(!read->timeToLive.isValid());
        QVERIFY(read->shopName.isNull());
    }

    void savingAStoredRowUpdatesItInPlace() {
        Database database(m_path);
        RatingState state;
        state.remRatings = 3;
        QVERIFY(database.saveRatingState(state));
        const qint64 rowId = state.rowId;

        state.remRatings = 2;
        state.shopName = "Korvo Storo";
        QVERIFY(database.saveRatingState(state));
        QCOMPARE(state.rowId, rowId);
        QCOMPARE(database.lastRatingState(), std::optional<RatingState>(state));

        RatingState later;
        later.remRatings = 9;
        QVERIFY(database.saveRatingState(later));
        QCOMPARE(database.lastRatingState()->remRatings, 9);
    }

    void newBadgesCountAndClearByTypes_data() {
        QTest::addColumn<QList<qint64>>("typeIds");
        QTest::addColumn<int>("newCount");
        QTest::addColumn<int>("newLeftAfterClearing");

        // 8 new flags in the fixture in all.
        QTest::newRow("loyalty cards") << QList<qint64>{145} << 1 << 7;
        QTest::newRow("rewards") << QList<qint64>{146} << 2 << 6;
        QTest::newRow("promotions") << QList<qint64>{143, 144} << 2 << 6;
        QTest::newRow("offers") << QList<qint64>{147, 148} << 3 << 5;
        QTest::newRow("unknown type") << QList<qint64>{150} << 0 << 8;
        QTest::newRow("no types") << QList<qint64>{} << 0 << 8;
    }
    void newBadgesCountAndClearByTypes() {
        QFETCH(QList<qint64>, typeIds);
        QFETCH(int, newCount);
        QFETCH(int, newLeftAfterClearing);

        Database database(m_path);
        QList<BadgesData> badges = {badge(1, 143, true),  badge(2, 144, true),  badge(3, 144, false),
                                    badge(4, 145, true),  badge(5, 145, false), badge(6, 146, true),
                                    badge(7, 146, true),  badge(8, 147, false), badge(9, 147, true),
                                    badge(10, 148, true), badge(11, 148, true)};
        QVERIFY(database.saveBadges(badges));
        const QList<qint64> allTypes = {143, 144, 145, 146, 147, 148};
        QCOMPARE(database.countNewBadges(allTypes), 8);

        QCOMPARE(database.countNewBadges(typeIds), newCount);
        QVERIFY(database.clearNewBadges(typeIds));
        QCOMPARE(database.countNewBadges(typeIds), 0);
        QCOMPARE(database.countNewBadges(allTypes), newLeftAfterClearing);
        QCOMPARE(database.fetchAllBadges().size(), badges.size());
    }

    void ratableStoresHaveANameAndComeByNumber() {
        Database database(m_path);
        QList<Store> stores = {store(30, "Korvo Sentrum", true), store(10, "Korvo Bryn", true),
                               store(20, QString(), true), store(5, "Korvo Vika", false),
                               store(25, "", true)};
        QVERIFY(database.saveStores(stores));

        QCOMPARE(storeIDs(database.ratableStores()), (QList<qint64>{10, 25, 30}));
    }

    void storeStatsComeByWeek_data() {
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QList<int>>("weeks");
        QTest::newRow("ascending") << true << QList<int>{3, 7, 12};
        QTest::newRow("descending") << false << QList<int>{12, 7, 3};
    }
    void storeStatsComeByWeek() {
        QFETCH(bool, ascending);
        QFETCH(QList<int>, weeks);

        Database database(m_path);
        QList<StoreStats> stats = {week(1, 7, 4.0), week(2, 5, 3.0), week(1, 12, 3.5), week(1, 3, 2.25)};
        QVERIFY(database.saveStoreStats(stats));

        QCOMPARE(weekNumbers(database.storeStats(1, ascending)), weeks);
    }

    void logOutForgetsBadgesAndRatingStateOnly() {
        Database database(m_path);
        QList<BadgesData> badges = {badge(1, 145, true)};
        QList<Store> stores = {store(1, "Korvo Bryn", true)};
        QList<StoreStats> stats = {week(1, 7, 4.0)};
        RatingState state;
        QVERIFY(database.saveBadges(badges));
        QVERIFY(database.saveStores(stores));
        QVERIFY(database.saveStoreStats(stats));
        QVERIFY(database.saveRatingState(state));

        QVERIFY(database.deleteBadgesAndRatingStates());

        QVERIFY(database.fetchAllBadges().isEmpty());
        QVERIFY(!database.lastRatingState().has_value());
        QCOMPARE(database.fetchAllStores(), stores);
        QCOMPARE(database.storeStats(1, true), stats);
    }

    void duplicatesAreKept() {
        Database database(m_path);
        QList<Store> stores = {store(7, "Korvo Bryn", true), store(7, "Korvo Bryn", true)};
        QList<StoreStats> stats = {week(7, 1, 4.0), week(7, 1, 4.0)};
        QVERIFY(database.saveStores(stores));
        QVERIFY(database.saveStoreStats(stats));

        QCOMPARE(database.fetchAllStores().size(), 2);
        QCOMPARE(database.storeStats(7, true).size(), 2);
        QVERIFY(stores[0].rowId != stores[1].rowId);
    }

    void aFailedSaveLeavesFileAndObjectsAsTheyWere() {
        Database database(m_path);
        QList<Store> stored = {store(1, "Korvo Bryn", true)};
        QVERIFY(database.saveStores(stored));
        QVERIFY(database.deleteBadgesAndRatingStates());

        // The second object refers to a row that is gone, so the whole batch must fail.
        QList<Store> batch = {store(2, "Korvo Vika", true), store(1, "Korvo Bryn", false)};
        batch[1].rowId = stored[0].rowId + 100;
        DebugLog::Capture log;
        QVERIFY(!database.saveStores(batch));

        QCOMPARE(database.fetchAllStores(), stored);
        QCOMPARE(batch[0].rowId, 0);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith("Database error: saving stores failed"));
    }

    void thousandsOfRowsSaveQuickly() {
        Database database(m_path);
        QList<Store> stores;
        for (int i = 0; i < 5000; ++i)
            stores.append(store(i, QString("Korvo %1").arg(i), true));

        QElapsedTimer timer;
        timer.start();
        QVERIFY(database.saveStores(stores));
        for (Store& one : stores)
            one.avRating = 3.5;
        QVERIFY(database.saveStores(stores));
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString("took %1 ms").arg(timer.elapsed())));

        QCOMPARE(database.fetchAllStores(), stores);
    }

    void anOlderFileIsMigratedOnOpen() {
        runOnFile(m_path, {"PRAGMA user_version = 0"});
        QCOMPARE(userVersion(m_path), 0);

        Database database(m_path);
        QVERIFY(database.isOpen());
        QCOMPARE(userVersion(m_path), DatabaseMigrations::latestVersion());
        QList<Store> stores = {store(1, "Korvo Bryn", true)};
        QVERIFY(database.saveStores(stores));
    }

    void aMigrationThatFailsChangesNothing() {
        // A stray table in the way of the first step: the steps before it must be rolled back.
        runOnFile(m_path, {"CREATE TABLE store (name TEXT)"});

        DebugLog::Capture log;
        Database database(m_path);
        QVERIFY(!database.isOpen());
        QVERIFY(!log.lines().isEmpty());
        QCOMPARE(userVersion(m_path), 0);
        QCOMPARE(tableNames(m_path), QStringList{"store"});

        QList<BadgesData> badges = {badge(1, 145, true)};
        QVERIFY(!database.saveBadges(badges));
        QVERIFY(database.fetchAllBadges().isEmpty());
    }

private:
    std::unique_ptr<TestHome> m_home;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
