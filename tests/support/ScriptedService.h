#pragma once

#include "platform/Configuration.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QQueue>
#include <QString>
#include <QUrl>

// A coupon service that answers exactly what a test scripts, per operation, and records every request it
// receives. While it exists, the process's configuration points at it.
class ScriptedService : public QAbstractHttpServer {
public:
    struct Request {
        QByteArray method;
        QUrl url;
        QString operation; // from the SOAPAction, or the first path segment under /v1
        QByteArray body;
        QString parameter(const QString& name) const; // text of a SOAP parameter element
    };
    struct Answer {
        QByteArray body;
        int status = 200;
    };

    ScriptedService();
    ~ScriptedService() override;

    // Queues an answer for the next request of the operation; without one, the operation gets an empty
    // SOAP result.
    void answer(const QString& operation, const QByteArray& body, int status = 200);
    void answerSoap(const QString& operation, const QString& result);

    QList<Request> requests() const { return m_requests; }
    QList<Request> requestsFor(const QString& operation) const;
    // Spins the event loop until that many requests of the operation arrived.
    bool waitForRequests(const QString& operation, int count, int timeoutMs = 5000) const;

    static QByteArray soapEnvelope(const QString& operation, const QString& result);
    static QByteArray soapFault(const QString& code, const QString& text);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    QList<Request> m_requests;
    QHash<QString, QQueue<Answer>> m_answers;
    Configuration m_previous;
};
