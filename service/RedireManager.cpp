#include "service/RedireManager.h"

#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "platform/VariantTypes.h"
#include "service/XmlDocument.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kInitializeApp = QStringLiteral("InitializeApp");
const QString kRateProduct = QStringLiteral("RateProduct");
constexpr int kTimeoutSeconds = 30;
constexpr int kSoapFaultCode = 13;

QString textForm(const QVariant& value) {
    return value.toString();
}

QString listForLog(const QStringList& texts) {
    return QStringLiteral("(") + texts.join(QStringLiteral(", ")) + QStringLiteral(")");
}

bool listsMatch(const char* builder, const QStringList& keys, const QVariantList& values) {
    if (keys.size() == values.size())
        return true;
    QStringList valueTexts;
    for (const QVariant& value : values)
        valueTexts.append(textForm(value));
    DebugLog::write(QStringLiteral("ERROR::%1::keysArray.count != parametrArray.count, keysArray = %2, "
                                   "parametrArray = %3")
                        .arg(QLatin1String(builder), listForLog(keys), listForLog(valueTexts)));
    return false;
}

// The Host field names the port too when the address has one of its own (RFC 9110 7.2).
QByteArray hostField(const QUrl& url) {
    QString host = url.host(QUrl::FullyEncoded);
    if (url.port() != -1)
        host += QLatin1Char(':') + QString::number(url.port());
    return host.toUtf8();
}

// Values come from people (postal codes, phone numbers): escaped, they stay text and cannot add elements.
QString xmlEscaped(const QString& text) {
    QString escaped = text.toHtmlEscaped(); // & < > "
    escaped.replace(QLatin1Char('\''), QLatin1String("&apos;"));
    return escaped;
}

QString soapBody(const QString& operation, const QStringList& keys, const QVariantList& values) {
    QString body = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                  "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                  "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                                  "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>");
    body += QStringLiteral("<%1 xmlns=\"%2\">").arg(operation, Configuration::current().serviceNamespace);
    if (!keys.isEmpty()) {
        for (qsizetype i = 0; i < keys.size(); ++i)
            body += QStringLiteral("<%1>%2</%1>").arg(keys.at(i), xmlEscaped(textForm(values.at(i))));
        // The service signs a new session over the device identifier alone.
        const QVariantList signedValues = operation == kInitializeApp ? values.mid(0, 1) : values;
        body += QStringLiteral("<Signature>%1</Signature>")
                    .arg(RedireManager::signatureForParametersArray(signedValues));
    }
    body += QStringLiteral("</%1></soap:Body></soap:Envelope>").arg(operation);
    return body;
}

QByteArray rateProductBody(const QStringList& keys, const QVariantList& values) {
    QJsonObject object;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QVariant& value = values.at(i);
        object.insert(keys.at(i),
                      isIntegerValue(value) ? QJsonValue(value.toLongLong()) : QJsonValue(textForm(value)));
    }
    object.insert(QStringLiteral("Signature"), RedireManager::signatureForParametersArray(values));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// The operation's path with each value as one percent-encoded segment, so that a "/" in a value cannot
// move the following parameters.
QByteArray ratingPath(const QString& operation, const QStringList& keys, const QVariantList& values) {
    QByteArray path = '/' + QUrl::toPercentEncoding(operation);
    for (qsizetype i = 0; i < keys.size(); ++i)
        path +=
            '/' + QUrl::toPercentEncoding(keys.at(i)) + '/' + QUrl::toPercentEncoding(textForm(values.at(i)));
    path += "/Signature/" + RedireManager::signatureForParametersArray(values).toUtf8();
    return path;
}

// The text between the first start tag and the first end tag after it.
std::optional<QString> textBetween(const QString& text, const QString& startTag, const QString& endTag,
                                   qsizetype* after = nullptr) {
    const qsizetype start = text.indexOf(startTag);
    if (start < 0)
        return std::nullopt;
    const qsizetype contentStart = start + startTag.size();
    const qsizetype end = text.indexOf(endTag, contentStart);
    if (end < 0)
        return std::nullopt;
    if (after)
        *after = end + endTag.size();
    return text.mid(contentStart, end - contentStart);
}

} // namespace

QString RedireManager::signatureForParametersArray(const QVariantList& values) {
    QString joined;
    for (const QVariant& value : values)
        joined += textForm(value);
    joined += Configuration::current().signingSecret;
    return md5(joined).left(10);
}

std::optional<UrlRequest> RedireManager::buildRequestForWebservice(const QString& operation,
                                                                   const QStringList& keys,
                                                                   const QVariantList& values) {
    if (!listsMatch("buildRequestForWebservice", keys, values))
        return std::nullopt;
    const Configuration& configuration = Configuration::current();
    UrlRequest request;
    request.method = "POST";
    request.url = configuration.soapEndpoint;
    request.body = soapBody(operation, keys, values).toUtf8();
    request.timeoutSeconds = kTimeoutSeconds;
    request.headerFields = {
        {"Host", hostField(configuration.soapEndpoint)},
        {"SOAPAction", ('"' + configuration.serviceNamespace + operation + '"').toUtf8()},
        {"Content-type", "text/xml; charset=utf-8"},
    };
    return request;
}

std::optional<UrlRequest> RedireManager::buildRequestForRating(const QString& operation,
                                                               const QStringList& keys,
                                                               const QVariantList& values) {
    if (!listsMatch("buildRequestForRating", keys, values))
        return std::nullopt;
    const QUrl base = Configuration::current().ratingBaseUrl;
    UrlRequest request;
    request.timeoutSeconds = kTimeoutSeconds;
    if (operation == kRateProduct) {
        request.method = "POST";
        request.url =
            QUrl::fromEncoded(base.toEncoded() + '/' + QUrl::toPercentEncoding(operation), QUrl::StrictMode);
        request.body = rateProductBody(keys, values);
        request.headerFields = {{"Host", hostField(base)}, {"Content-type", "application/json"}};
    } else {
        request.method = "GET";
        request.url = QUrl::fromEncoded(
            base.toEncoded() + ratingPath(operation, keys, values) + "?format=json", QUrl::StrictMode);
    }
    return request;
}

QString RedireManager::extractResultFrom(const QString& response, const QString& operation) {
    return textBetween(response, QStringLiteral("<%1Result>").arg(operation),
                       QStringLiteral("</%1Result>").arg(operation))
        .value_or(QString());
}

std::optional<Error> RedireManager::extractFaultFrom(const QString& response) {
    qsizetype afterCode = 0;
    const std::optional<QString> code =
        textBetween(response, QStringLiteral("<faultcode>"), QStringLiteral("</faultcode>"), &afterCode);
    if (!code)
        return std::nullopt;
    const std::optional<QString> description = textBetween(
        response.mid(afterCode), QStringLiteral("<faultstring>"), QStringLiteral("</faultstring>"));
    if (!description)
        return std::nullopt;
    return Error{*code, kSoapFaultCode, *description};
}

std::optional<QList<QVariantMap>> RedireManager::parseXMLFrom(const QString& response,
                                                              const QString& elementName) {
    const std::optional<XmlDocument> document = XmlDocument::parse(response.toUtf8());
    if (!document)
        return std::nullopt;
    return document->attributesOfElementsNamed(elementName);
}

QString RedireManager::md5(const QString& text) {
    if (text.isEmpty())
        return {};
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString RedireManager::fileNameFromUrlString(const QString& urlString) {
    return md5(urlString);
}
