#include "platform/DebugLog.h"
#include "platform/UserDefaults.h"
#include "tests/support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestUserDefaults : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString settingsPath() const { return m_dir.filePath(QStringLiteral("Settings.dat")); }

    void writeGoodStore() {
        UserDefaults store(settingsPath());
        store.setObject(QStringLiteral("12345"), QStringLiteral("KORVO_IPHONE_USER_ID"));
        store.setInteger(7, QStringLiteral("NewNewsInCache"));
        QVERIFY(store.synchronize());
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private slots:
    void init() {
        const QDir dir(m_dir.path());
        for (const QString& name : dir.entryList(QDir::Files))
            QFile::remove(dir.filePath(name));
    }

    void valuesKeepTypeAcrossRestart_data() {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text") << QVariant(QStringLiteral("Blåbær 12"));
        QTest::newRow("empty text") << QVariant(QString(""));
        QTest::newRow("integer") << QVariant(qint64(9007199254740993LL));
        QTest::newRow("real") << QVariant(2.5);
        QTest::newRow("boolean") << QVariant(true);
        QTest::newRow("date") << QVariant(QDateTime(QDate(2013, 5, 17), QTime(8, 30, 15, 250), Qt::UTC));
        QTest::newRow("bytes") << QVariant(QByteArray("\x00\x01\xff", 3));
        QTest::newRow("list") << QVariant(QVariantList{1, QStringLiteral("a"), QVariantList{false}});
        QTest::newRow("map") << QVariant(
            QVariantMap{{"DictionaryKeyForVesionNumber", 3},
                        {"DictionaryKeyForImageUrl", QStringLiteral("http://x/y.png")},
                        {"nested", QVariantMap{{"d", QDateTime::fromSecsSinceEpoch(0)}}}});
    }

    void valuesKeepTypeAcrossRestart() {
        QFETCH(QVariant, value);
        {
            UserDefaults store(settingsPath());
            store.setObject(value, QStringLiteral("key"));
            QCOMPARE(store.objectForKey(QStringLiteral("key")), value);
            QVERIFY(store.synchronize());
        }
        const UserDefaults reopened(settingsPath());
        const QVariant read = reopened.objectForKey(QStringLiteral("key"));
        QCOMPARE(read.typeId(), value.typeId());
        QCOMPARE(read, value);
    }

    void textListReadsAsList() {
        UserDefaults store(settingsPath());
        store.setObject(QStringList{"a", "b"}, QStringLiteral("CachedNews"));
        QCOMPARE(store.arrayForKey(QStringLiteral("CachedNews")), (QVariantList{"a", "b"}));
    }

    void missingKeyReadsAsNothing() {
        const UserDefaults store(settingsPath());
        const QString key = QStringLiteral("missing");
        QVERIFY(!store.objectForKey(key).isValid());
        QVERIFY(store.stringForKey(key).isNull());
        QCOMPARE(store.integerForKey(key), 0);
        QCOMPARE(store.doubleForKey(key), 0.0);
        QVERIFY(!store.boolForKey(key));
        QVERIFY(!store.dateForKey(key).isValid());
        QVERIFY(store.dataForKey(key).isNull());
        QVERIFY(store.arrayForKey(key).isEmpty());
        QVERIFY(store.dictionaryForKey(key).isEmpty());
    }

    void nullValueRemovesKey() {
        UserDefaults store(settingsPath());
        store.setObject(QStringLiteral("4711"), QStringLiteral("KORVO_IPHONE_POSTCODE"));
        store.setObject(QVariant(), QStringLiteral("KORVO_IPHONE_POSTCODE"));
        QVERIFY(!store.objectForKey(QStringLiteral("KORVO_IPHONE_POSTCODE")).isValid());
        QVERIFY(store.synchronize());
        QVERIFY(
            !UserDefaults(settingsPath()).objectForKey(QStringLiteral("KORVO_IPHONE_POSTCODE")).isValid());
    }

    void conversions_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<qint64>("integer");
        QTest::addColumn<bool>("boolean");
        QTest::addColumn<double>("real");
        QTest::newRow("real truncates") << QVariant(3.9) << qint64(3) << true << 3.9;
        QTest::newRow("negative real") << QVariant(-2.5) << qint64(-2) << true << -2.5;
        QTest::newRow("true") << QVariant(true) << qint64(1) << true << 1.0;
        QTest::newRow("false") << QVariant(false) << qint64(0) << false << 0.0;
        QTest::newRow("integer text") << QVariant(QStringLiteral(" 42 ")) << qint64(42) << true << 42.0;
        QTest::newRow("real text") << QVariant(QStringLiteral("1.5")) << qint64(1) << true << 1.5;
        QTest::newRow("zero text") << QVariant(QStringLiteral("0")) << qint64(0) << false << 0.0;
        QTest::newRow("YES") << QVariant(QStringLiteral("YES")) << qint64(0) << true << 0.0;
        QTest::newRow("true text") << QVariant(QStringLiteral("true")) << qint64(0) << true << 0.0;
        QTest::newRow("other text") << QVariant(QStringLiteral("abc")) << qint64(0) << false << 0.0;
        QTest::newRow("huge real") << QVariant(1e300) << qint64(0) << true << 1e300;
        QTest::newRow("date") << QVariant(QDateTime::currentDateTime()) << qint64(0) << false << 0.0;
        QTest::newRow("list") << QVariant(QVariantList{1}) << qint64(0) << false << 0.0;
    }

    void conversions() {
        QFETCH(QVariant, stored);
        UserDefaults store(settingsPath());
        store.setObject(stored, QStringLiteral("key"));
        QTEST(store.integerForKey(QStringLiteral("key")), "integer");
        QTEST(store.boolForKey(QStringLiteral("key")), "boolean");
        QTEST(store.doubleForKey(QStringLiteral("key")), "real");
    }

    void typedReadOfOtherTypeIsEmpty() {
        UserDefaults store(settingsPath());
        store.setObject(QStringLiteral("text"), QStringLiteral("key"));
        QVERIFY(!store.dateForKey(QStringLiteral("key")).isValid());
        QVERIFY(store.dataForKey(QStringLiteral("key")).isEmpty());
        QVERIFY(store.arrayForKey(QStringLiteral("key")).isEmpty());
        QVERIFY(store.dictionaryForKey(QStringLiteral("key")).isEmpty());
    }

    void unsynchronizedChangeAndLeftoverTempFileKeepOldStore() {
        writeGoodStore();
        UserDefaults changed(settingsPath());
        changed.setInteger(8, QStringLiteral("NewNewsInCache"));
        // What a write interrupted before its rename leaves behind.
        writeFile(settingsPath() + QStringLiteral(".aB3xYz"), QByteArray(100, 'x'));

        DebugLog::Capture log;
        const UserDefaults reopened(settingsPath());
        QCOMPARE(reopened.integerForKey(QStringLiteral("NewNewsInCache")), 7);
        QCOMPARE(reopened.stringForKey(QStringLiteral("KORVO_IPHONE_USER_ID")), QStringLiteral("12345"));
        QVERIFY(log.lines().isEmpty());
    }

    void damagedFileStartsEmptyAndIsKeptAside_data() {
        QTest::addColumn<int>("damage");
        QTest::newRow("truncated") << 0;
        QTest::newRow("flipped byte") << 1;
        QTest::newRow("not a store") << 2;
        QTest::newRow("empty") << 3;
    }

    void damagedFileStartsEmptyAndIsKeptAside() {
        QFETCH(int, damage);
        writeGoodStore();
        QByteArray bytes = readFile(settingsPath());
        QVERIFY(bytes.size() > 60);
        switch (damage) {
        case 0:
            bytes.chop(5);
            break;
        case 1:
            bytes[bytes.size() - 3] = char(bytes[bytes.size() - 3] ^ 0x20);
            break;
        case 2:
            bytes = "<plist>not ours</plist>";
            break;
        default:
            bytes.clear();
            break;
        }
        writeFile(settingsPath(), bytes);

        DebugLog::Capture log;
        UserDefaults store(settingsPath());
        QVERIFY(!store.objectForKey(QStringLiteral("KORVO_IPHONE_USER_ID")).isValid());
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().contains(settingsPath()), qPrintable(log.lines().first()));

        const QStringList aside = QDir(m_dir.path()).entryList({QStringLiteral("Settings.dat.corrupt-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(m_dir.filePath(aside.first())), bytes);
        QVERIFY(!QFile::exists(settingsPath()));

        // The store is usable again afterwards.
        store.setBool(true, QStringLiteral("KORVO_IPHONE_CONFIRMED"));
        QVERIFY(store.synchronize());
        QVERIFY(UserDefaults(settingsPath()).boolForKey(QStringLiteral("KORVO_IPHONE_CONFIRMED")));
    }

    void synchronizeCreatesDirectoryAndReportsFailure() {
        UserDefaults nested(m_dir.filePath(QStringLiteral("a/b/Settings.dat")));
        nested.setInteger(1, QStringLiteral("key"));
        QVERIFY(nested.synchronize());
        QCOMPARE(UserDefaults(nested.filePath()).integerForKey(QStringLiteral("key")), 1);

        writeFile(m_dir.filePath(QStringLiteral("blocker")), "a file, not a directory");
        UserDefaults blocked(m_dir.filePath(QStringLiteral("blocker/Settings.dat")));
        blocked.setInteger(1, QStringLiteral("key"));
        DebugLog::Capture log;
        QVERIFY(!blocked.synchronize());
        QCOMPARE(log.lines().size(), 1);
    }

    void standardStoreFollowsDocumentsDirectory() {
        TestHome home;
        UserDefaults::standardUserDefaults().setObject(QStringLiteral("x"), QStringLiteral("key"));
        QCOMPARE(UserDefaults::standardUserDefaults().filePath(),
                 home.filePath(QStringLiteral("Settings.dat")));
        QVERIFY(UserDefaults::standardUserDefaults().synchronize());
        UserDefaults::resetStandardUserDefaults();
        QCOMPARE(UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("key")),
                 QStringLiteral("x"));

        TestHome otherHome;
        QVERIFY(!UserDefaults::standardUserDefaults().objectForKey(QStringLiteral("key")).isValid());
    }
};

QTEST_GUILESS_MAIN(TestUserDefaults)
#include "tst_userdefaults.moc"
