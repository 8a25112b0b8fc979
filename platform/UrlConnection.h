#pragma once

#include "platform/Error.h"

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <utility>

class QNetworkAccessManager;
class QNetworkReply;

// A ready HTTP request: method, address, header fields in order, body and the longest wait for data.
struct UrlRequest {
    QByteArray method = "GET";
    QUrl url;
    QList<std::pair<QByteArray, QByteArray>> headerFields;
    QByteArray body;
    int timeoutSeconds = 30;

    QByteArray headerField(const QByteArray& name) const; // case-insensitive; empty when absent
    QNetworkRequest toNetworkRequest() const;
};

struct UrlResponse {
    QUrl url;
    int statusCode = 0; // HTTP status; 0 when the scheme has none
    QByteArray mimeType;
};

class UrlConnection;

// Told about one transfer, on the thread that started it. Any callback may destroy the connection.
class UrlConnectionDelegate {
public:
    virtual ~UrlConnectionDelegate() = default;
    virtual void connectionDidReceiveResponse(UrlConnection* connection, const UrlResponse& response);
    virtual void connectionDidReceiveData(UrlConnection* connection, const QByteArray& data);
    virtual void connectionDidFailWithError(UrlConnection* connection, const Error& error);
    virtual void connectionDidFinishLoading(UrlConnection* connection);
};

// One transfer, started when made. After cancel() or destruction the delegate hears nothing more.
// A transfer that receives no data for the request's time-out fails.
class UrlConnection : public QObject {
    Q_OBJECT
public:
    UrlConnection(const UrlRequest& request, UrlConnectionDelegate* delegate, QObject* parent = nullptr);
    ~UrlConnection() override;

    void cancel();
    const UrlRequest& request() const { return m_request; }
    const UrlResponse& response() const { return m_response; }

    // The loader shared by every transfer of the calling thread.
    static QNetworkAccessManager* networkAccessManager();

private:
    void onMetaDataChanged();
    void onReadyRead();
    void onFinished();
    bool reportResponse();
    bool reportData();
    void detachReply();

    UrlRequest m_request;
    UrlResponse m_response;
    UrlConnectionDelegate* m_delegate;
    QPointer<QNetworkReply> m_reply;
    bool m_responseReported = false;
};
