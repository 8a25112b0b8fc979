#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "sim/ServiceSignature.h"
#include "tests/support/SimulatedService.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>

namespace {

using Parameters = QList<QPair<QString, QString>>;
using Attributes = QHash<QString, QString>;

struct Answer {
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    int status = 0;
    QByteArray body;
};

// Talks to the service over real HTTP the way the app does: signed calls, values escaped.
class Client {
public:
    std::unique_ptr<QNetworkReply> post(const QUrl& url, const QByteArray& body,
                                        const QList<QPair<QByteArray, QByteArray>>& headers) {
        QNetworkRequest request(url);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml; charset=utf-8"));
        for (const auto& [name, value] : headers)
            request.setRawHeader(name, value);
        return std::unique_ptr<QNetworkReply>(m_network.post(request, body));
    }

    std::unique_ptr<QNetworkReply> get(const QUrl& url) {
        return std::unique_ptr<QNetworkReply>(m_network.get(QNetworkRequest(url)));
    }

    static Answer wait(QNetworkReply* reply) {
        if (!reply->isFinished()) {
            QSignalSpy finished(reply, &QNetworkReply::finished);
            if (!finished.wait(10000))
                return {QNetworkReply::TimeoutError, 0, {}};
        }
        return {reply->error(), reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->readAll()};
    }

    static QByteArray envelope(const QString& operation, const Parameters& parameters,
                               const QString& signature,
                               const QString& serviceNamespace = Configuration::current().serviceNamespace) {
        QString body = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
                                      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                      "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                                      "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                                      "<%1 xmlns=\"%2\">")
                           .arg(operation, serviceNamespace);
        for (const auto& [name, value] : parameters)
            body += QStringLiteral("<%1>%2</%1>").arg(name, value.toHtmlEscaped());
        body += QStringLiteral("<Signature>%1</Signature></%2></soap:Body></soap:Envelope>")
                    .arg(signature, operation);
        return body.toUtf8();
    }

    static QString sign(const Parameters& parameters) {
        QStringList values;
        for (const auto& parameter : parameters)
            values.append(parameter.second);
        return ServiceSignature::compute(values, Configuration::current().signingSecret);
    }

    static QByteArray soapAction(const QString& operation) {
        return ('"' + Configuration::current().serviceNamespace + operation + '"').toUtf8();
    }

    std::unique_ptr<QNetworkReply> startSoap(const QString& operation, const Parameters& parameters) {
        const Parameters signedPart =
            operation == QLatin1String("InitializeApp") ? parameters.mid(0, 1) : parameters;
        return post(Configuration::current().soapEndpoint, envelope(operation, parameters, sign(signedPart)),
                    {{"SOAPAction", soapAction(operation)}, {"Content-Type", "text/xml; charset=utf-8"}});
    }

    Answer soap(const QString& operation, const Parameters& parameters) {
        return wait(startSoap(operation, parameters).get());
    }

    Answer rating(const QString& operation, const Parameters& parameters) {
        QString path = QStringLiteral("/") + operation;
        for (const auto& [name, value] : parameters)
            path += QStringLiteral("/%1/%2").arg(name, QString::fromUtf8(QUrl::toPercentEncoding(value)));
        path += QStringLiteral("/Signature/") + sign(parameters);
        const QUrl url(Configuration::current().ratingBaseUrl.toString() + path +
                           QStringLiteral("?format=json"),
                       QUrl::StrictMode);
        return wait(get(url).get());
    }

    Answer rateProduct(const QString& userId, qint64 shopId, qint64 ratingId, int points) {
        const Parameters signedValues = {{"AppId", "app_KRV"},
                                         {"UserId", userId},
                                         {"ShopId", QString::number(shopId)},
                                         {"RatingId", QString::number(ratingId)},
                                         {"Rating", QString::number(points)}};
        const QJsonObject body{{"AppId", "app_KRV"},   {"UserId", userId}, {"ShopId", shopId},
                               {"RatingId", ratingId}, {"Rating", points}, {"Signature", sign(signedValues)}};
        return wait(post(QUrl(Configuration::current().ratingBaseUrl.toString() + "/RateProduct"),
                         QJsonDocument(body).toJson(), {{"Content-Type", "application/json"}})
                        .get());
    }

    Answer admin(const QString& path, bool post = false) {
        QUrl url = Configuration::current().soapEndpoint;
        url.setPath(path);
        return wait(post ? this->post(url, {}, {}).get() : get(url).get());
    }

    QString initializeApp(const QString& instanceId) {
        const Answer answer =
            soap(QStringLiteral("InitializeApp"), {{"InstanceId", instanceId}, {"UDID", instanceId}});
        return result(answer.body, QStringLiteral("InitializeApp"));
    }

    // The text between the result tags, found the way the app finds it.
    static QString result(const QByteArray& body, const QString& operation) {
        const QString text = QString::fromUtf8(body);
        const QString start = QStringLiteral("<%1Result>").arg(operation);
        const qsizetype from = text.indexOf(start);
        const qsizetype to = text.indexOf(QStringLiteral("</%1Result>").arg(operation), from);
        return from < 0 || to < 0 ? QString() : text.mid(from + start.size(), to - from - start.size());
    }

    // Every unqualified element of that name anywhere in the text, as attribute maps; empty when not XML.
    static QList<Attributes> elements(const QString& xml, const QString& name) {
        QList<Attributes> found;
        QXmlStreamReader reader(xml);
        while (!reader.atEnd()) {
            reader.readNext();
            if (!reader.isStartElement() || reader.name() != name || !reader.namespaceUri().isEmpty())
                continue;
            Attributes attributes;
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                attributes.insert(attribute.name().toString(), attribute.value().toString());
            found.append(attributes);
        }
        return reader.hasError() ? QList<Attributes>() : found;
    }

private:
    QNetworkAccessManager m_network;
};

} // namespace

class TestRedireSimulator : public QObject {
    Q_OBJECT

private slots:
    void initializeAppGivesEachInstallationItsOwnStableIdentifier();
    void refusedCalls_data();
    void refusedCalls();
    void registrationNeedsTheCodeSentToTheNumber();
    void offersCarryCouponAttributesAndPictures();
    void storeLocationsOfOneType_data();
    void storeLocationsOfOneType();
    void postalCodeUpdate_data();
    void postalCodeUpdate();
    void ratingPathSegmentsArePercentDecoded_data();
    void ratingPathSegmentsArePercentDecoded();
    void ratingsCountAndEveryThirdEarnsAFreeCoffee();
    void faults_data();
    void faults();
    void delayedAnswerDoesNotHoldUpOtherCalls();
    void dataDirectoryReplacesTheBuiltInFiles();
    void brokenDataFileIsNamed();
};

void TestRedireSimulator::initializeAppGivesEachInstallationItsOwnStableIdentifier() {
    SimulatedService service;
    Client client;
    const QString first = client.initializeApp(QStringLiteral("device-A"));
    QVERIFY2(QRegularExpression("^[0-9]+$").match(first).hasMatch(), qPrintable(first));
    QCOMPARE(client.initializeApp(QStringLiteral("device-A")), first);
    QVERIFY(client.initializeApp(QStringLiteral("device-B")) != first);

    // Only the first value is signed.
    const Parameters parameters = {{"InstanceId", "device-A"}, {"UDID", "something else"}};
    const Answer answer = client.wait(
        client
            .post(Configuration::current().soapEndpoint,
                  Client::envelope("InitializeApp", parameters, Client::sign(parameters.mid(0, 1))),
                  {{"SOAPAction", Client::soapAction("InitializeApp")}})
            .get());
    QCOMPARE(Client::result(answer.body, "InitializeApp"), first);
}

void TestRedireSimulator::refusedCalls_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("soapAction");
    QTest::addColumn<QString>("expectedElement");

    const Parameters parameters = {{"UserID", "123"}};
    const QString good = Client::sign(parameters);
    QTest::newRow("wrong signature") << Client::envelope("GetNews", parameters, "0123456789")
                                     << Client::soapAction("GetNews") << "error";
    QTest::newRow("signature of other values")
        << Client::envelope("GetNews", {{"UserID", "124"}}, good) << Client::soapAction("GetNews") << "error";
    QTest::newRow("wrong SOAPAction")
        << Client::envelope("GetNews", parameters, good) << Client::soapAction("GetOffers") << "error";
    QTest::newRow("other namespace") << Client::envelope("GetNews", parameters, good, "http://tempuri.org/")
                                     << Client::soapAction("GetNews") << "error";
    QTest::newRow("missing parameter") << Client::envelope("GetStoreLocations", parameters, good)
                                       << Client::soapAction("GetStoreLocations") << "error";
    QTest::newRow("unknown operation") << Client::envelope("GetWeather", parameters, good)
                                       << Client::soapAction("GetWeather") << "faultcode";
    QTest::newRow("not XML") << QByteArray("<soap:Envelope") << Client::soapAction("GetNews") << "faultcode";
}

void TestRedireSimulator::refusedCalls() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, soapAction);
    QFETCH(QString, expectedElement);
    SimulatedService service;
    Client client;

    const Answer answer = client.wait(
        client.post(Configuration::current().soapEndpoint, body, {{"SOAPAction", soapAction}}).get());
    if (expectedElement == QLatin1String("error")) {
        const QList<Attributes> errors = Client::elements(QString::fromUtf8(answer.body), "error");
        QCOMPARE(errors.size(), 1);
        QVERIFY(!errors.first().value("Id").isEmpty());
        QVERIFY(!errors.first().value("Message").isEmpty());
        QVERIFY(!errors.first().value("Source").isEmpty());
    } else {
        QCOMPARE(answer.status, 500);
        QVERIFY(answer.body.contains("<faultcode>soap:Client</faultcode><faultstring>"));
    }
}

void TestRedireSimulator::registrationNeedsTheCodeSentToTheNumber() {
    SimulatedService service;
    Client client;
    const QString memberId = client.initializeApp(QStringLiteral("phone-1"));
    const auto registerUser = [&](const QString& code) {
        const Answer answer = client.soap("RegisterUser", {{"UserID", memberId},
                                                           {"UserName", "98765432"},
                                                           {"Password", code},
                                                           {"DateOfBirth", "17.05.1990"},
                                                           {"PostCode", "0154"}});
        const QList<Attributes> users = Client::elements(Client::result(answer.body, "RegisterUser"), "user");
        return users.size() == 1 ? users.first() : Attributes();
    };

    DebugLog::Capture log;
    const Attributes codeSent = registerUser(QString());
    QCOMPARE(codeSent.value("Status"), QStringLiteral("OK"));
    QCOMPARE(codeSent.value("Statustext"), QStringLiteral("Vi har sendt deg en SMS med koden."));
    const Answer admin = client.admin("/admin/codes/98765432");
    const QString code = QString::fromUtf8(admin.body);
    QVERIFY2(QRegularExpression("^[0-9]{6}$").match(code).hasMatch(), admin.body);
    QVERIFY(log.contains(QStringLiteral("[redire-sim] Verification code for 98765432: ") + code));
    QCOMPARE(service->verificationCode("98765432"), code);

    const QString wrongCode = code == QLatin1String("111111") ? "222222" : "111111";
    const Attributes refused = registerUser(wrongCode);
    QVERIFY(refused.value("Status") != QLatin1String("OK"));
    QVERIFY(!refused.value("Statustext").isEmpty());
    QVERIFY(refused.value("Id").isEmpty());

    const Attributes confirmed = registerUser(code);
    QCOMPARE(confirmed.value("Status"), QStringLiteral("OK"));
    QCOMPARE(confirmed.value("Id"), memberId);
    QVERIFY(registerUser(code).value("Status") != QLatin1String("OK")); // a code confirms once

    const QList<Attributes> users = Client::elements(
        Client::result(client.soap("GetUserInfo", {{"UserID", memberId}}).body, "GetUserInfo"), "user");
    QCOMPARE(users.size(), 1);
    QCOMPARE(users.first().value("MobileNumber"), QStringLiteral("98765432"));
    QCOMPARE(users.first().value("DateOfBirth"), QStringLiteral("17.05.1990"));
    QCOMPARE(users.first().value("PostCode"), QStringLiteral("0154"));
}

void TestRedireSimulator::offersCarryCouponAttributesAndPictures() {
    SimulatedService service;
    Client client;
    const QList<Attributes> coupons = Client::elements(
        Client::result(client.soap("GetOffers", {{"UserID", "123"}}).body, "GetOffers"), "Coupon");
    QVERIFY(coupons.size() >= 2);
    bool sawAmountLeft = false;
    bool sawCountdown = false;
    for (const Attributes& coupon : coupons) {
        QVERIFY2(QStringList({"147", "148"}).contains(coupon.value("TypeId")),
                 qPrintable(coupon.value("Id")));
        for (const char* name :
             {"Id", "Text", "SubText", "Url", "Version", "Expires", "Universe", "redeemed"})
            QVERIFY2(coupon.contains(name), name);
        sawAmountLeft |= coupon.value("TypeId") == "147" && coupon.value("AmountLeft").toInt() > 0;
        const QDateTime expires = QDateTime::fromString(coupon.value("Expires"), "dd.MM.yyyy HH:mm:ss");
        sawCountdown |= coupon.value("TypeId") == "148" && expires > QDateTime::currentDateTime() &&
                        expires < QDateTime::currentDateTime().addSecs(24 * 3600);
    }
    QVERIFY(sawAmountLeft);
    QVERIFY(sawCountdown);

    const QUrl pictureUrl(coupons.first().value("Url"));
    QCOMPARE(pictureUrl.port(), Configuration::current().soapEndpoint.port());
    const Answer picture = client.wait(client.get(pictureUrl).get());
    QCOMPARE(QImage::fromData(picture.body, "PNG").size(), QSize(436, 608));
}

void TestRedireSimulator::storeLocationsOfOneType_data() {
    QTest::addColumn<QString>("type");
    QTest::newRow("own stores") << "KRV";
    QTest::newRow("stores at fuel stations") << "BRENNOR";
}

void TestRedireSimulator::storeLocationsOfOneType() {
    QFETCH(QString, type);
    SimulatedService service;
    Client client;
    const QString result = Client::result(
        client.soap("GetStoreLocations", {{"UserID", "1"}, {"Type", type}}).body, "GetStoreLocations");
    const QList<Attributes> lists = Client::elements(result, "stores");
    QCOMPARE(lists.size(), 1);
    QCOMPARE(lists.first().value("type"), type);
    const QList<Attributes> stores = Client::elements(result, "store");
    QVERIFY(stores.size() >= 5);
    for (const Attributes& store : stores) {
        QVERIFY(store.value("id").toLongLong() > 0);
        QVERIFY(QStringList({"TRUE", "FALSE"}).contains(store.value("wash")));
        const QStringList position = store.value("location").split(',');
        QCOMPARE(position.size(), 2);
        QVERIFY(position.at(0).toDouble() > 57 && position.at(0).toDouble() < 72); // Norway
        QVERIFY(position.at(1).toDouble() > 4 && position.at(1).toDouble() < 32);
    }
}

void TestRedireSimulator::postalCodeUpdate_data() {
    QTest::addColumn<QString>("postCode");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("four digits") << "0154" << true;
    QTest::newRow("none") << "" << true;
    QTest::newRow("letters") << "01a4" << false;
    QTest::newRow("five digits") << "01540" << false;
}

void TestRedireSimulator::postalCodeUpdate() {
    QFETCH(QString, postCode);
    QFETCH(bool, accepted);
    SimulatedService service;
    Client client;
    const QString result =
        Client::result(client.soap("UpdateUserSettings", {{"UserID", "42"}, {"PostCode", postCode}}).body,
                       "UpdateUserSettings");
    QCOMPARE(result.isEmpty(), accepted);
    const QList<Attributes> users = Client::elements(
        Client::result(client.soap("GetUserInfo", {{"UserID", "42"}}).body, "GetUserInfo"), "user");
    QCOMPARE(users.size(), 1);
    QCOMPARE(users.first().value("PostCode"), accepted ? postCode : QString());
}

void TestRedireSimulator::ratingPathSegmentsArePercentDecoded_data() {
    QTest::addColumn<QString>("userId");
    QTest::addColumn<bool>("available");
    QTest::newRow("slash, space and letters outside ASCII") << QStringLiteral("12/34 æø") << true;
    QTest::newRow("empty member identifier") << QString() << false;
}

void TestRedireSimulator::ratingPathSegmentsArePercentDecoded() {
    QFETCH(QString, userId);
    QFETCH(bool, available);
    SimulatedService service;
    Client client;
    const Answer answer =
        client.rating("RatingState", {{"AppId", "app_KRV"}, {"UserID", userId}, {"Universe", "KAFFE"}});
    const QJsonObject state = QJsonDocument::fromJson(answer.body).object();
    QVERIFY2(state.contains("RatingAvailable"), answer.body);
    QCOMPARE(state.value("RatingAvailable").toBool(), available);
    QCOMPARE(state.value("EpochTTL").toInteger() > state.value("Epoch").toInteger(), available);
    const QDateTime timeToLive = QDateTime::fromString(state.value("TimeToLive").toString().left(23) + "Z",
                                                       "yyyy-MM-dd'T'HH:mm:ss.zzzt");
    QVERIFY(timeToLive.isValid());
}

void TestRedireSimulator::ratingsCountAndEveryThirdEarnsAFreeCoffee() {
    SimulatedService service;
    Client client;
    const Parameters member = {{"AppId", "app_KRV"}, {"UserID", "777"}, {"Universe", "KAFFE"}};
    const QJsonObject state = QJsonDocument::fromJson(client.rating("RatingState", member).body).object();
    const qint64 shopId = state.value("ShopId").toInteger();
    const qint64 ratingId = state.value("RatingId").toInteger();
    const auto totalFor = [&] {
        const QJsonArray stores = QJsonDocument::fromJson(client.rating("Ratings", member).body).array();
        for (const QJsonValue& store : stores) {
            if (store.toObject().value("ShopId").toInteger() == shopId)
                return store.toObject().value("TotRatings").toInt();
        }
        return -1;
    };
    const int before = totalFor();
    QVERIFY(before >= 0);

    QList<bool> bonuses;
    for (int points : {5, 4, 5}) {
        const Answer answer = client.rateProduct("777", shopId, ratingId, points);
        const QJsonObject outcome = QJsonDocument::fromJson(answer.body).object();
        QVERIFY2(outcome.contains("Bonus"), answer.body);
        bonuses.append(outcome.value("Bonus").toBool());
    }
    QCOMPARE(bonuses, QList<bool>({false, false, true}));
    QCOMPARE(totalFor(), before + 3);
    QCOMPARE(QJsonDocument::fromJson(client.rating("RatingState", member).body)
                 .object()
                 .value("RemRatings")
                 .toInt(),
             2);

    const QList<Attributes> coupons = Client::elements(
        Client::result(client.soap("GetAllCoupons", {{"UserID", "777"}}).body, "GetAllCoupons"), "Coupon");
    const bool freeCoffee = std::any_of(coupons.begin(), coupons.end(), [](const Attributes& coupon) {
        return coupon.value("TypeId") == "146" && coupon.value("SubText").contains("vurderte");
    });
    QVERIFY(freeCoffee);

    const Answer stale = client.rateProduct("777", shopId, ratingId + 1, 3);
    QCOMPARE(Client::elements(QString::fromUtf8(stale.body), "error").size(), 1);
}

void TestRedireSimulator::faults_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("mode");
    QTest::newRow("service error") << "GetNews"
                                   << "service-error";
    QTest::newRow("SOAP fault") << "GetNews"
                                << "soap-fault";
    QTest::newRow("HTML error page") << "GetNews"
                                     << "http-500";
    QTest::newRow("garbage") << "GetNews"
                             << "garbage";
    QTest::newRow("dropped connection") << "GetNews"
                                        << "drop";
    QTest::newRow("rating service error") << "RatingState"
                                          << "service-error";
    QTest::newRow("rating garbage") << "RatingState"
                                    << "garbage";
}

void TestRedireSimulator::faults() {
    QFETCH(QString, operation);
    QFETCH(QString, mode);
    SimulatedService service;
    Client client;
    QCOMPARE(client.admin(QStringLiteral("/admin/fault/%1/%2").arg(operation, mode), true).status, 200);

    const auto call = [&](const QString& name) {
        return name == QLatin1String("RatingState")
                   ? client.rating(name, {{"AppId", "app_KRV"}, {"UserID", "1"}, {"Universe", "KAFFE"}})
                   : client.soap(name, {{"UserID", "1"}});
    };
    const Answer answer = call(operation);
    const QString text = QString::fromUtf8(answer.body);
    if (mode == QLatin1String("drop")) {
        QVERIFY(answer.error != QNetworkReply::NoError);
        QVERIFY(answer.error != QNetworkReply::TimeoutError);
    } else if (mode == QLatin1String("service-error")) {
        QCOMPARE(Client::elements(text, "error").size(), 1);
    } else if (mode == QLatin1String("soap-fault")) {
        QCOMPARE(answer.status, 500);
        QVERIFY(text.contains("<faultcode>soap:Server</faultcode><faultstring>"));
    } else if (mode == QLatin1String("http-500")) {
        QCOMPARE(answer.status, 500);
        QVERIFY(text.contains("<html>"));
    } else {
        QCOMPARE(answer.status, 200);
        QVERIFY(QJsonDocument::fromJson(answer.body).isNull());
        QXmlStreamReader xml(answer.body);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY(xml.hasError());
    }

    // Other operations are untouched, and clearing restores the operation itself.
    QVERIFY(!Client::elements(Client::result(call("GetOffers").body, "GetOffers"), "Coupon").isEmpty());
    QCOMPARE(client.admin("/admin/fault/clear", true).status, 200);
    const Answer healthy = call(operation);
    QCOMPARE(healthy.status, 200);
    QVERIFY(!healthy.body.contains("<error "));
}

void TestRedireSimulator::delayedAnswerDoesNotHoldUpOtherCalls() {
    SimulatedService service;
    service->setFault("GetNews", SimulatedFault::delay(700));
    Client client;
    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<QNetworkReply> slow = client.startSoap("GetNews", {{"UserID", "1"}});
    const Answer fast = client.soap("GetOffers", {{"UserID", "1"}});
    QCOMPARE(fast.status, 200);
    QVERIFY(!slow->isFinished());
    QVERIFY(clock.elapsed() < 700);

    const Answer late = Client::wait(slow.get());
    QVERIFY(clock.elapsed() >= 700);
    QCOMPARE(Client::elements(Client::result(late.body, "GetNews"), "item").size(), 5);
}

void TestRedireSimulator::dataDirectoryReplacesTheBuiltInFiles() {
    QTemporaryDir directory;
    QJsonArray coupons;
    for (int index = 0; index < 3000; ++index)
        coupons.append(QJsonObject{
            {"id", QString::number(500000 + index)}, {"typeId", 143 + index % 6}, {"expiresInHours", 5}});
    QFile file(directory.filePath("coupons.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(QJsonObject{{"coupons", coupons}}).toJson());
    file.close();

    QString error;
    const std::optional<SimulatorData> data = SimulatorData::fromDirectory(directory.path(), &error);
    QVERIFY2(data, qPrintable(error));
    SimulatedService service(*data);
    Client client;
    const QList<Attributes> answered = Client::elements(
        Client::result(client.soap("GetAllCoupons", {{"UserID", "1"}}).body, "GetAllCoupons"), "Coupon");
    QCOMPARE(answered.size(), 3000);
    QCOMPARE(answered.first().value("Id"), QStringLiteral("500000"));
    // The files the directory does not have stay as built in.
    QCOMPARE(
        Client::elements(Client::result(client.soap("GetNews", {{"UserID", "1"}}).body, "GetNews"), "item")
            .size(),
        SimulatorData::builtIn().news.size());
}

void TestRedireSimulator::brokenDataFileIsNamed() {
    QTemporaryDir directory;
    QFile file(directory.filePath("stores.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"stores": [{"id": 1, "type": "KRV"}, {"name": "no id"}]})");
    file.close();
    QString error;
    QVERIFY(!SimulatorData::fromDirectory(directory.path(), &error));
    QVERIFY2(error.contains("stores.json") && error.contains("[1]"), qPrintable(error));
}

QTEST_MAIN(TestRedireSimulator)
#include "tst_redire_simulator.moc"
