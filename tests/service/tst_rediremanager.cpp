#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "service/RedireManager.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using Headers = QList<std::pair<QByteArray, QByteArray>>;

namespace {

const QString kEnvelopeStart = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
    "<soap:Body>");
const QString kEnvelopeEnd = QStringLiteral("</soap:Body></soap:Envelope>");

Configuration testConfiguration() {
    Configuration configuration;
    configuration.soapEndpoint = QUrl(QStringLiteral("http://soap.korvo.example/Feed5/Korvo.asmx"));
    configuration.ratingBaseUrl = QUrl(QStringLiteral("http://rating.korvo.example/v1"));
    configuration.serviceNamespace = QStringLiteral("http://redire.korvo.example/");
    configuration.signingSecret = QStringLiteral("k0rv0-s1m-s3cr3");
    return configuration;
}

QString signatureInBody(const UrlRequest& request) {
    static const QRegularExpression signature(QStringLiteral("<Signature>([^<]*)</Signature>"));
    return signature.match(QString::fromUtf8(request.body)).captured(1);
}

// The operation element's children as the service reads them (name, decoded text); nothing when the body
// is not well-formed.
QList<std::pair<QString, QString>> parametersAsServiceReadsThem(const QByteArray& body) {
    QXmlStreamReader reader(body);
    for (const char* element : {"Envelope", "Body", "RegisterUser"}) {
        if (!reader.readNextStartElement() || reader.name() != QLatin1String(element))
            return {};
    }
    QList<std::pair<QString, QString>> parameters;
    while (reader.readNextStartElement())
        parameters.append({reader.name().toString(), reader.readElementText()});
    if (reader.hasError())
        return {};
    return parameters;
}

} // namespace

class TestRedireManager : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Configuration::setCurrent(testConfiguration()); }

    void md5_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty") << "" << QString();
        QTest::newRow("a") << "a"
                           << "0cc175b9c0f1b6a831c399e269772661";
        QTest::newRow("abc") << "abc"
                             << "900150983cd24fb0d6963f7d28e17f72";
        QTest::newRow("message digest") << "message digest"
                                        << "f96b697d7cb7938d525a2f31aaf161d0";
        QTest::newRow("alphabet") << "abcdefghijklmnopqrstuvwxyz"
                                  << "c3fcd3d76192e4007dfb496cca67e13b";
        QTest::newRow("alphanumeric") << "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                                      << "d174ab98d277d9f5a5611c2c9f419d9f";
        QTest::newRow("digits")
            << "1234567890123456789012345678901234567890123456789012345678901234567890123456"
               "7890"
            << "57edf4a22be3c955ac49da2e2107b67a";
        QTest::newRow("utf-8") << QString::fromUtf8("æøå") << "93c0abe43cfa5d4f4fbdd46694442182";
    }
    void md5() {
        QFETCH(QString, text);
        QFETCH(QString, digest);
        QCOMPARE(RedireManager::md5(text), digest);
        QCOMPARE(RedireManager::md5(text).isNull(), digest.isNull());
        QCOMPARE(RedireManager::fileNameFromUrlString(text), digest);
    }

    void soapSignature_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("signature");
        QTest::newRow("InitializeApp signs its first value only")
            << "InitializeApp" << QVariantList{"A", "A"} << "643de682d1";
        QTest::newRow("other operations sign all values")
            << "GetNews" << QVariantList{"A", "A"} << "a3b7677d33";
        QTest::newRow("absent member identifier") << "GetNews" << QVariantList{QString()} << "6186b8e335";
    }
    void soapSignature() {
        QFETCH(QString, operation);
        QFETCH(QVariantList, values);
        QFETCH(QString, signature);
        QStringList keys;
        for (int i = 0; i < values.size(); ++i)
            keys.append(QStringLiteral("P%1").arg(i));
        const std::optional<UrlRequest> request =
            RedireManager::buildRequestForWebservice(operation, keys, values);
        QVERIFY(request);
        QCOMPARE(signatureInBody(*request), signature);
    }

    void soapRequest() {
        const std::optional<UrlRequest> request =
            RedireManager::buildRequestForWebservice("GetNews", {"UserID"}, {QStringLiteral("123")});
        QVERIFY(request);
        QCOMPARE(request->method, "POST");
        QCOMPARE(request->url, QUrl("http://soap.korvo.example/Feed5/Korvo.asmx"));
        QCOMPARE(request->timeoutSeconds, 30);
        QCOMPARE(QString::fromUtf8(request->body),
                 kEnvelopeStart +
                     "<GetNews xmlns=\"http://redire.korvo.example/\"><UserID>123</UserID>"
                     "<Signature>e24ab5c257</Signature></GetNews>" +
                     kEnvelopeEnd);
        const Headers expected{{"Host", "soap.korvo.example"},
                               {"SOAPAction", "\"http://redire.korvo.example/GetNews\""},
                               {"Content-type", "text/xml; charset=utf-8"}};
        QCOMPARE(request->headerFields, expected);
    }

    void soapRequestWithoutParameters() {
        const std::optional<UrlRequest> request =
            RedireManager::buildRequestForWebservice("GetSplashAd", {}, {});
        QVERIFY(request);
        QCOMPARE(QString::fromUtf8(request->body),
                 kEnvelopeStart + "<GetSplashAd xmlns=\"http://redire.korvo.example/\"></GetSplashAd>" +
                     kEnvelopeEnd);
    }

    void soapValuesStayText() {
        const QString postCode = QStringLiteral("</PostCode><UserID>1");
        const QString name = QStringLiteral("Ola & \"Kari\" <O'Neil>");
        const std::optional<UrlRequest> request =
            RedireManager::buildRequestForWebservice("RegisterUser", {"PostCode", "Name"}, {postCode, name});
        QVERIFY(request);
        const QList<std::pair<QString, QString>> expected{
            {"PostCode", postCode},
            {"Name", name},
            {"Signature", RedireManager::signatureForParametersArray({postCode, name})}};
        QCOMPARE(parametersAsServiceReadsThem(request->body), expected);
        // The signature covers the values as entered, not their escaped form.
        QCOMPARE(RedireManager::signatureForParametersArray({postCode}), "b9ef4ed9d0");
    }

    void hostNamesAnExplicitPort() {
        Configuration configuration = testConfiguration();
        configuration.soapEndpoint = QUrl(QStringLiteral("http://127.0.0.1:8080/Feed5/Korvo.asmx"));
        Configuration::setCurrent(configuration);
        const std::optional<UrlRequest> request =
            RedireManager::buildRequestForWebservice("GetSplashAd", {}, {});
        Configuration::setCurrent(testConfiguration());
        QVERIFY(request);
        QCOMPARE(request->headerField("Host"), "127.0.0.1:8080");
    }

    void listsOfDifferentLengthBuildNothing() {
        DebugLog::Capture log;
        QVERIFY(!RedireManager::buildRequestForWebservice("GetNews", {"UserID", "Extra"}, {"123"}));
        QVERIFY(!RedireManager::buildRequestForRating("RatingState", {"AppId"}, {"app_KRV", 123}));
        QCOMPARE(log.lines(),
                 QStringList({"ERROR::buildRequestForWebservice::keysArray.count != "
                              "parametrArray.count, keysArray = (UserID, Extra), parametrArray = (123)",
                              "ERROR::buildRequestForRating::keysArray.count != parametrArray.count, "
                              "keysArray = (AppId), parametrArray = (app_KRV, 123)"}));
    }

    void ratingGet_data() {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QByteArray>("url");
        const QByteArray base = "http://rating.korvo.example/v1/RatingState/AppId/";
        QTest::newRow("member 123")
            << QVariantList{"app_KRV", 123, "KAFFE"}
            << base + "app_KRV/UserID/123/Universe/KAFFE/Signature/2c4542deaf?format=json";
        QTest::newRow("absent member")
            << QVariantList{"app_KRV", QVariant(), "KAFFE"}
            << base + "app_KRV/UserID//Universe/KAFFE/Signature/b48c4f21a7?format=json";
        QTest::newRow("slash stays inside its segment")
            << QVariantList{"a/b", "123", ""}
            << base + "a%2Fb/UserID/123/Universe//Signature/0d5784027f?format=json";
    }
    void ratingGet() {
        QFETCH(QVariantList, values);
        QFETCH(QByteArray, url);
        const std::optional<UrlRequest> request =
            RedireManager::buildRequestForRating("RatingState", {"AppId", "UserID", "Universe"}, values);
        QVERIFY(request);
        QCOMPARE(request->method, "GET");
        QCOMPARE(request->url.toEncoded(), url);
        QCOMPARE(request->toNetworkRequest().url().toEncoded(), url);
        QVERIFY(request->headerFields.isEmpty());
        QVERIFY(request->body.isEmpty());
        QCOMPARE(request->timeoutSeconds, 30);
    }

    void rateProduct() {
        const std::optional<UrlRequest> request = RedireManager::buildRequestForRating(
            "RateProduct", {"AppId", "UserID", "StoreID", "Rating", "Points"}, {"app_KRV", "123", 42, 3, 45});
        QVERIFY(request);
        QCOMPARE(request->method, "POST");
        QCOMPARE(request->url.toEncoded(), "http://rating.korvo.example/v1/RateProduct");
        const Headers expected{{"Host", "rating.korvo.example"}, {"Content-type", "application/json"}};
        QCOMPARE(request->headerFields, expected);
        const QJsonObject body = QJsonDocument::fromJson(request->body).object();
        QCOMPARE(body, QJsonObject({{"AppId", "app_KRV"},
                                    {"UserID", "123"},
                                    {"StoreID", 42},
                                    {"Rating", 3},
                                    {"Points", 45},
                                    {"Signature", "6ff850d05e"}}));
    }

    void extractResult_data() {
        QTest::addColumn<QString>("response");
        QTest::addColumn<QString>("result");
        QTest::newRow("text result")
            << "<GetNewsResponse><GetNewsResult>a &amp; b</GetNewsResult></GetNewsResponse>"
            << "a &amp; b";
        QTest::newRow("first end tag after the start")
            << "</GetNewsResult><GetNewsResult>x</GetNewsResult>y</GetNewsResult>"
            << "x";
        QTest::newRow("missing end tag") << "<GetNewsResponse><GetNewsResult>abc</GetNewsResponse>"
                                         << "";
        QTest::newRow("self-closing result") << "<GetNewsResponse><GetNewsResult/></GetNewsResponse>"
                                             << "";
        QTest::newRow("other operation") << "<GetOffersResult>abc</GetOffersResult>"
                                         << "";
    }
    void extractResult() {
        QFETCH(QString, response);
        QFETCH(QString, result);
        QCOMPARE(RedireManager::extractResultFrom(response, "GetNews"), result);
    }

    void extractFault_data() {
        QTest::addColumn<QString>("response");
        QTest::addColumn<bool>("isFault");
        QTest::addColumn<QString>("faultCode");
        QTest::addColumn<QString>("faultText");
        QTest::newRow("fault")
            << "<soap:Fault><faultcode>soap:Server</faultcode><faultstring>Server was unable"
               "</faultstring></soap:Fault>"
            << true << "soap:Server"
            << "Server was unable";
        QTest::newRow("faultstring before faultcode")
            << "<faultstring>Oops</faultstring><faultcode>soap:Client</faultcode>" << false << ""
            << "";
        QTest::newRow("faultcode not closed")
            << "<faultcode>soap:Client<faultstring>Oops</faultstring>" << false << ""
            << "";
        QTest::newRow("faultstring not closed")
            << "<faultcode>soap:Client</faultcode><faultstring>Oops" << false << ""
            << "";
        QTest::newRow("no fault") << "<GetNewsResult>1</GetNewsResult>" << false << ""
                                  << "";
    }
    void extractFault() {
        QFETCH(QString, response);
        QFETCH(bool, isFault);
        QFETCH(QString, faultCode);
        QFETCH(QString, faultText);
        const std::optional<Error> fault = RedireManager::extractFaultFrom(response);
        QCOMPARE(fault.has_value(), isFault);
        if (isFault)
            QCOMPARE(*fault, (Error{faultCode, 13, faultText}));
    }

    void selectElements_data() {
        QTest::addColumn<QString>("response");
        QTest::addColumn<bool>("isXml");
        QTest::addColumn<QList<QVariantMap>>("records");
        const QString answer = QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
            "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><GetAllCouponsResponse "
            "xmlns=\"http://redire.korvo.example/\"><GetAllCouponsResult><Coupon Id=\"ns\"/><Coupons "
            "xmlns=\"\">"
            "<Coupon Id=\"1\" Title=\"Kaffe &amp; bolle\"/><Group><Coupon Id=\"2\"><Coupon "
            "Id=\"3\"/></Coupon>"
            "</Group><Coupon/></Coupons></GetAllCouponsResult></GetAllCouponsResponse></soap:Body></"
            "soap:Envelope>");
        QTest::newRow("any depth, document order, not in a namespace")
            << answer << true
            << QList<QVariantMap>{
                   {{"Id", "1"}, {"Title", "Kaffe & bolle"}}, {{"Id", "2"}}, {{"Id", "3"}}, {}};
        QTest::newRow("the root element itself")
            << "<Coupon Id=\"9\"/>" << true << QList<QVariantMap>{{{"Id", "9"}}};
        QTest::newRow("nothing matches") << "<News/>" << true << QList<QVariantMap>{};
        QTest::newRow("not XML") << "Service unavailable" << false << QList<QVariantMap>{};
        QTest::newRow("not well-formed")
            << "<Coupons><Coupon Id=\"1\"></Coupons>" << false << QList<QVariantMap>{};
        QTest::newRow("empty answer") << "" << false << QList<QVariantMap>{};
    }
    void selectElements() {
        QFETCH(QString, response);
        QFETCH(bool, isXml);
        QFETCH(QList<QVariantMap>, records);
        const std::optional<QList<QVariantMap>> selected = RedireManager::parseXMLFrom(response, "Coupon");
        QCOMPARE(selected.has_value(), isXml);
        if (isXml)
            QCOMPARE(*selected, records);
    }

    void entityBombsAreRefused_data() {
        QTest::addColumn<QString>("use");
        QTest::newRow("in an attribute") << "<Coupon Id=\"&lol9;\"/>";
        QTest::newRow("in content") << "<Coupon Id=\"1\">&lol9;</Coupon>";
    }
    void entityBombsAreRefused() {
        QFETCH(QString, use);
        QString document = QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY lol0 \"lol\">");
        for (int level = 1; level <= 9; ++level) {
            document += QStringLiteral("<!ENTITY lol%1 \"").arg(level);
            for (int i = 0; i < 10; ++i)
                document += QStringLiteral("&lol%1;").arg(level - 1);
            document += QStringLiteral("\">");
        }
        document += QStringLiteral("]><r>") + use + QStringLiteral("</r>");

        QElapsedTimer timer;
        timer.start();
        const std::optional<QList<QVariantMap>> selected = RedireManager::parseXMLFrom(document, "Coupon");
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        if (selected) {
            for (const QVariantMap& record : *selected)
                QVERIFY(record.value("Id").toString().size() < 100);
        }
    }

    void nothingOutsideTheAnswerIsRead_data() {
        QTest::addColumn<QByteArray>("outside");
        QTest::addColumn<QString>("document");
        const QByteArray defaultAttribute = "<!ATTLIST Coupon Leak CDATA \"SECRET\">";
        QTest::newRow("external DTD")
            << defaultAttribute << "<!DOCTYPE r SYSTEM \"@\"><r><Coupon Id=\"1\"/></r>";
        QTest::newRow("external parameter entity")
            << defaultAttribute
            << "<!DOCTYPE r [<!ENTITY % outside SYSTEM \"@\"> %outside;]><r><Coupon Id=\"1\"/></r>";
        QTest::newRow("entity declared outside")
            << QByteArray("<!ENTITY leak \"SECRET\">")
            << "<!DOCTYPE r [<!ENTITY % outside SYSTEM \"@\"> %outside;]><r><Coupon Id=\"&leak;\"/></r>";
    }
    void nothingOutsideTheAnswerIsRead() {
        QFETCH(QByteArray, outside);
        QFETCH(QString, document);
        QTemporaryDir directory;
        QFile file(directory.filePath("outside.dtd"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(outside);
        file.close();

        document.replace("@", QUrl::fromLocalFile(file.fileName()).toString());
        const std::optional<QList<QVariantMap>> selected = RedireManager::parseXMLFrom(document, "Coupon");
        // Refusing the document is as good as ignoring what lies outside it.
        for (const QVariantMap& record : selected.value_or(QList<QVariantMap>())) {
            QVERIFY(!record.contains("Leak"));
            QVERIFY(!record.value("Id").toString().contains("SECRET"));
        }
    }
};

QTEST_GUILESS_MAIN(TestRedireManager)
#include "tst_rediremanager.moc"
