#include "tests/support/ScriptedService.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QRegularExpression>
#include <QTest>

namespace {
const QString serviceNamespace = QStringLiteral("http://scripted.korvo.example/");
}

ScriptedService::ScriptedService()
    : m_previous(Configuration::current()) {
    const quint16 port = listen(QHostAddress::LocalHost, 0);
    Configuration configuration = m_previous;
    configuration.soapEndpoint = QUrl(QStringLiteral("http://127.0.0.1:%1/Feed5/Korvo.asmx").arg(port));
    configuration.ratingBaseUrl = QUrl(QStringLiteral("http://127.0.0.1:%1/v1").arg(port));
    configuration.serviceNamespace = serviceNamespace;
    Configuration::setCurrent(configuration);
}

ScriptedService::~ScriptedService() {
    Configuration::setCurrent(m_previous);
}

QString ScriptedService::Request::parameter(const QString& name) const {
    const QRegularExpression element(QStringLiteral("<%1>(.*?)</%1>").arg(QRegularExpression::escape(name)));
    return element.match(QString::fromUtf8(body)).captured(1);
}

void ScriptedService::answer(const QString& operation, const QByteArray& body, int status) {
    m_answers[operation].enqueue({body, status});
}

void ScriptedService::answerSoap(const QString& operation, const QString& result) {
    answer(operation, soapEnvelope(operation, result));
}

QList<ScriptedService::Request> ScriptedService::requestsFor(const QString& operation) const {
    QList<Request> matching;
    for (const Request& request : m_requests) {
        if (request.operation == operation)
            matching.append(request);
    }
    return matching;
}

bool ScriptedService::waitForRequests(const QString& operation, int count, int timeoutMs) const {
    return QTest::qWaitFor([&] { return requestsFor(operation).size() >= count; }, timeoutMs);
}

QByteArray ScriptedService::soapEnvelope(const QString& operation, const QString& result) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
               "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
               "<%1Response xmlns=\"%3\"><%1Result>%2</%1Result></%1Response>"
               "</soap:Body></soap:Envelope>")
        .arg(operation, result, serviceNamespace)
        .toUtf8();
}

QByteArray ScriptedService::soapFault(const QString& code, const QString& text) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
               "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
               "<soap:Fault><faultcode>%1</faultcode><faultstring>%2</faultstring></soap:Fault>"
               "</soap:Body></soap:Envelope>")
        .arg(code, text)
        .toUtf8();
}

bool ScriptedService::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    Request recorded;
    recorded.method = request.method() == QHttpServerRequest::Method::Post ? "POST" : "GET";
    recorded.url = request.url();
    recorded.body = request.body();
    const QString path = request.url().path();
    if (path.startsWith(QLatin1String("/v1/"))) {
        recorded.operation = path.mid(4).section(QLatin1Char('/'), 0, 0);
    } else {
        recorded.operation = QString::fromUtf8(request.value("SOAPAction")).remove(QLatin1Char('"'));
        recorded.operation.remove(0, serviceNamespace.size());
    }
    m_requests.append(recorded);

    QQueue<Answer>& queued = m_answers[recorded.operation];
    const Answer answer =
        queued.isEmpty() ? Answer{soapEnvelope(recorded.operation, {}), 200} : queued.dequeue();
    QHttpServerResponder responder = makeResponder(request, socket);
    const QByteArray type =
        path.startsWith(QLatin1String("/v1/")) ? "application/json" : "text/xml; charset=utf-8";
    responder.write(answer.body, type, QHttpServerResponder::StatusCode(answer.status));
    return true;
}

void ScriptedService::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}
