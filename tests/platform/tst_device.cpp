#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "platform/Device.h"
#include "tests/support/TestHome.h"

#include <QFile>
#include <QTest>
#include <QUuid>

class TestDevice : public QObject {
    Q_OBJECT

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void compareVersions_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("expected");
        QTest::newRow("minor after") << "6.1"
                                     << "6.0" << 1;
        QTest::newRow("numeric, not textual") << "10.0"
                                              << "9.1" << 1;
        QTest::newRow("missing part is zero") << "6"
                                              << "6.0" << 0;
        QTest::newRow("equal") << "7.0.3"
                               << "7.0.3" << 0;
        QTest::newRow("patch before") << "7.0"
                                      << "7.0.1" << -1;
        QTest::newRow("two-digit minor") << "6.10"
                                         << "6.9" << 1;
        QTest::newRow("major before") << "5.1.1"
                                      << "6" << -1;
    }

    void compareVersions() {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(int, expected);
        QCOMPARE(Device::compareVersions(left, right), expected);
        QCOMPARE(Device::compareVersions(right, left), -expected);
    }

    void factsComeFromConfiguration() {
        Configuration configuration;
        configuration.deviceModel = QStringLiteral("iPhone");
        configuration.systemVersion = QStringLiteral("6.1");
        configuration.screenHeight = 480;
        Configuration::setCurrent(configuration);
        QCOMPARE(Device::model(), QStringLiteral("iPhone"));
        QCOMPARE(Device::screenHeight(), 480);
        QVERIFY(Device::systemVersionLessThan(QStringLiteral("7.0")));
        QVERIFY(!Device::systemVersionLessThan(QStringLiteral("6.1")));
        Configuration::setCurrent(Configuration());
    }

    void identifierIsMadeOnceAndKept() {
        TestHome home;
        const QString identifier = Device::identifier();
        QVERIFY(!QUuid::fromString(identifier).isNull());
        QCOMPARE(Device::identifier(), identifier);
        QCOMPARE(QString::fromUtf8(readFile(home.filePath(QStringLiteral("DeviceIdentifier")))), identifier);

        TestHome otherInstallation;
        QVERIFY(Device::identifier() != identifier);
    }

    void identifierIsReadBackFromFile() {
        TestHome home;
        const QString saved = QStringLiteral("0F0E0D0C-1111-2222-3333-444455556666");
        QFile file(home.filePath(QStringLiteral("DeviceIdentifier")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(saved.toUtf8() + '\n');
        file.close();
        QCOMPARE(Device::identifier(), saved);
    }

    void unreadableIdentifierIsReplaced() {
        TestHome home;
        QFile file(home.filePath(QStringLiteral("DeviceIdentifier")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("half a uu");
        file.close();
        DebugLog::Capture log;
        const QString identifier = Device::identifier();
        QVERIFY(!QUuid::fromString(identifier).isNull());
        QCOMPARE(QString::fromUtf8(readFile(file.fileName())), identifier);
        QCOMPARE(log.lines().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
