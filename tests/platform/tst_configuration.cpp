#include "platform/Configuration.h"

#include <QTemporaryDir>
#include <QTest>

class TestConfiguration : public QObject {
    Q_OBJECT

private slots:
    void goodFilesAreRead() {
        const QByteArray json =
            "{"
            "\"soapEndpoint\": \"https://redire.example/Feed5/Korvo.asmx\","
            "\"ratingBaseUrl\": \"http://127.0.0.1:8080/v1\","
            "\"signingSecret\": \"abcdefghijklmno\","
            "\"facebookAppId\": \"123456789012345\","
            "\"device\": {\"model\": \"iPhone\", \"systemVersion\": \"6.1.4\", \"screenHeight\": 480, "
            "\"canSendMail\": false},"
            "\"location\": {\"latitude\": -33.5, \"longitude\": 151}"
            "}";
        QString error;
        const std::optional<Configuration> configuration =
            Configuration::fromJson(json, "korvo.json", &error);
        QVERIFY2(configuration, qPrintable(error));
        QCOMPARE(configuration->soapEndpoint, QUrl("https://redire.example/Feed5/Korvo.asmx"));
        QCOMPARE(configuration->ratingBaseUrl, QUrl("http://127.0.0.1:8080/v1"));
        QVERIFY(!configuration->usesBuiltInService());
        QCOMPARE(configuration->signingSecret, QStringLiteral("abcdefghijklmno"));
        QCOMPARE(configuration->systemVersion, QStringLiteral("6.1.4"));
        QCOMPARE(configuration->screenHeight, 480);
        QVERIFY(!configuration->canSendMail);
        QCOMPARE(configuration->latitude, -33.5);
        QCOMPARE(configuration->longitude, 151.0);
        // What the file leaves out keeps its default.
        QCOMPARE(configuration->feedbackAddress, Configuration().feedbackAddress);

        const std::optional<Configuration> empty = Configuration::fromJson("{}", "korvo.json", &error);
        QVERIFY(empty && empty->usesBuiltInService());
        QVERIFY(empty->canSendMail);
    }

    void badFilesNameFileAndKey_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("key"); // empty: the error is about the whole file
        QTest::newRow("not JSON") << QByteArray("soapEndpoint = x") << QString();
        QTest::newRow("not an object") << QByteArray("[1, 2]") << QString();
        QTest::newRow("unknown key") << QByteArray("{\"soapEndpont\": \"x\"}") << "soapEndpont";
        QTest::newRow("number for text")
            << QByteArray("{\"signingSecret\": 123456789012345}") << "signingSecret";
        QTest::newRow("short secret")
            << QByteArray("{\"signingSecret\": \"abcdefghijklmn\"}") << "signingSecret";
        QTest::newRow("long secret") << QByteArray("{\"signingSecret\": \"abcdefghijklmnop\"}")
                                     << "signingSecret";
        QTest::newRow("bad endpoint path")
            << QByteArray("{\"soapEndpoint\": \"https://r.example/Korvo.asmx\", \"ratingBaseUrl\": "
                          "\"https://r.example/v1\"}")
            << "soapEndpoint";
        QTest::newRow("endpoint not web")
            << QByteArray("{\"soapEndpoint\": \"ftp://r.example/Feed5/Korvo.asmx\", \"ratingBaseUrl\": "
                          "\"https://r/v1\"}")
            << "soapEndpoint";
        QTest::newRow("rating address alone")
            << QByteArray("{\"ratingBaseUrl\": \"https://r.example/v1\"}") << "soapEndpoint";
        QTest::newRow("push id length")
            << QByteArray("{\"pushApplicationId\": \"abc\"}") << "pushApplicationId";
        QTest::newRow("facebook letters")
            << QByteArray("{\"facebookAppId\": \"12345678901234x\"}") << "facebookAppId";
        QTest::newRow("mail address")
            << QByteArray("{\"feedbackAddress\": \"app.korvo.example\"}") << "feedbackAddress";
        QTest::newRow("device not object") << QByteArray("{\"device\": \"iPhone\"}") << "device";
        QTest::newRow("screen height 500")
            << QByteArray("{\"device\": {\"screenHeight\": 500}}") << "device.screenHeight";
        QTest::newRow("screen height text")
            << QByteArray("{\"device\": {\"screenHeight\": \"568\"}}") << "device.screenHeight";
        QTest::newRow("version text")
            << QByteArray("{\"device\": {\"systemVersion\": \"seven\"}}") << "device.systemVersion";
        QTest::newRow("mail flag text")
            << QByteArray("{\"device\": {\"canSendMail\": \"yes\"}}") << "device.canSendMail";
        QTest::newRow("misspelt device key")
            << QByteArray("{\"device\": {\"screenheight\": 480}}") << "device.screenheight";
        QTest::newRow("latitude range")
            << QByteArray("{\"location\": {\"latitude\": 91}}") << "location.latitude";
    }

    void badFilesNameFileAndKey() {
        QFETCH(QByteArray, json);
        QFETCH(QString, key);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("korvo.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(json);
        file.close();

        QString error;
        QVERIFY(!Configuration::fromFile(path, &error));
        QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
        if (!key.isEmpty())
            QVERIFY2(error.contains(QStringLiteral("key \"%1\"").arg(key)), qPrintable(error));
        QVERIFY(!error.contains(QLatin1Char('\n')));
    }

    void missingFileIsNamed() {
        QString error;
        QVERIFY(!Configuration::fromFile(QStringLiteral("/nonexistent/korvo.json"), &error));
        QVERIFY2(error.startsWith(QStringLiteral("/nonexistent/korvo.json: ")), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
