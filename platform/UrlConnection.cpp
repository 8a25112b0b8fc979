#include "platform/UrlConnection.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThreadStorage>

namespace {

const QString kErrorDomain = QStringLiteral("NSURLErrorDomain");

// Transport failures under the codes and texts the service client's logs have always shown.
Error transportError(const QNetworkReply& reply) {
    switch (reply.error()) {
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // only the transfer time-out aborts a reply we still listen
                                                // to
        return {kErrorDomain, -1001, QStringLiteral("The request timed out.")};
    case QNetworkReply::HostNotFoundError:
        return {kErrorDomain, -1003,
                QStringLiteral("A server with the specified hostname could not be found.")};
    case QNetworkReply::ConnectionRefusedError:
        return {kErrorDomain, -1004, QStringLiteral("Could not connect to the server.")};
    case QNetworkReply::RemoteHostClosedError:
        return {kErrorDomain, -1005, QStringLiteral("The network connection was lost.")};
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return {kErrorDomain, -1009, QStringLiteral("The Internet connection appears to be offline.")};
    case QNetworkReply::SslHandshakeFailedError:
        return {kErrorDomain, -1200,
                QStringLiteral("An SSL error has occurred: %1").arg(reply.errorString())};
    case QNetworkReply::ProtocolUnknownError:
        return {kErrorDomain, -1002, QStringLiteral("unsupported URL")};
    default:
        return {kErrorDomain, -1, reply.errorString()};
    }
}

// An HTTP answer with an error status is still an answer (the service sends its faults with status 500);
// only a reply that never got one, or broke off at the network level, is a failure.
bool isTransportFailure(const QNetworkReply& reply) {
    if (reply.error() == QNetworkReply::NoError)
        return false;
    const bool answered = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    return !answered || reply.error() < QNetworkReply::ContentAccessDenied;
}

} // namespace

QByteArray UrlRequest::headerField(const QByteArray& name) const {
    for (const auto& [fieldName, value] : headerFields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QNetworkRequest UrlRequest::toNetworkRequest() const {
    QNetworkRequest networkRequest(url);
    for (const auto& [name, value] : headerFields)
        networkRequest.setRawHeader(name, value);
    networkRequest.setTransferTimeout(timeoutSeconds * 1000);
    networkRequest.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    return networkRequest;
}

void UrlConnectionDelegate::connectionDidReceiveResponse(UrlConnection*, const UrlResponse&) {}
void UrlConnectionDelegate::connectionDidReceiveData(UrlConnection*, const QByteArray&) {}
void UrlConnectionDelegate::connectionDidFailWithError(UrlConnection*, const Error&) {}
void UrlConnectionDelegate::connectionDidFinishLoading(UrlConnection*) {}

QNetworkAccessManager* UrlConnection::networkAccessManager() {
    static QThreadStorage<QNetworkAccessManager*> managers;
    if (!managers.hasLocalData())
        managers.setLocalData(new QNetworkAccessManager);
    return managers.localData();
}

UrlConnection::UrlConnection(const UrlRequest& request, UrlConnectionDelegate* delegate, QObject* parent)
    : QObject(parent)
    , m_request(request)
    , m_delegate(delegate) {
    m_response.url = request.url;
    m_reply =
        networkAccessManager()->sendCustomRequest(request.toNetworkRequest(), request.method, request.body);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &UrlConnection::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &UrlConnection::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &UrlConnection::onFinished);
}

UrlConnection::~UrlConnection() {
    detachReply();
}

void UrlConnection::cancel() {
    m_delegate = nullptr;
    detachReply();
}

void UrlConnection::detachReply() {
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}

// Each step below tells the delegate at most one thing, then returns whether the delegate is still
// listening: it may have cancelled or destroyed this connection from inside its callback.
bool UrlConnection::reportResponse() {
    if (m_responseReported || !m_reply || !m_delegate)
        return m_delegate != nullptr;
    m_responseReported = true;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    m_response.url = m_reply->url();
    m_response.statusCode = status.isValid() ? status.toInt() : 0;
    m_response.mimeType = m_reply->header(QNetworkRequest::ContentTypeHeader)
                              .toByteArray()
                              .split(';')
                              .first()
                              .trimmed()
                              .toLower();
    const QPointer<UrlConnection> self(this);
    m_delegate->connectionDidReceiveResponse(this, m_response);
    return self && m_delegate;
}

bool UrlConnection::reportData() {
    if (!m_reply || !m_delegate)
        return false;
    const QByteArray data = m_reply->readAll();
    if (data.isEmpty())
        return true;
    const QPointer<UrlConnection> self(this);
    m_delegate->connectionDidReceiveData(this, data);
    return self && m_delegate;
}

void UrlConnection::onMetaDataChanged() {
    if (m_reply && m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        reportResponse();
}

void UrlConnection::onReadyRead() {
    if (reportResponse())
        reportData();
}

void UrlConnection::onFinished() {
    if (!m_reply || !m_delegate)
        return;
    if (isTransportFailure(*m_reply)) {
        const Error error = transportError(*m_reply);
        detachReply();
        m_delegate->connectionDidFailWithError(this, error);
        return;
    }
    if (!reportResponse() || !reportData())
        return;
    detachReply();
    m_delegate->connectionDidFinishLoading(this);
}
