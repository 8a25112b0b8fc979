#pragma once

#include "sim/MemberBook.h"
#include "sim/MemberCoupons.h"
#include "sim/RatingBook.h"
#include "sim/RatingService.h"
#include "sim/SimulatedFault.h"
#include "sim/SimulatorData.h"
#include "sim/SoapService.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;

// One call as the simulator received it, for tests and demos that check what the app sent.
struct SimulatedRequest {
    QString operation;
    QList<QPair<QString, QString>> parameters;
};

// A stand-in for the Redire coupon service on 127.0.0.1: the SOAP interface under "/Feed5/Korvo.asmx", the
// rating interface under "/v1", the pictures its answers point to, and an admin interface:
//   GET  /admin/codes/<mobile>               the verification code last sent to the number (plain text)
//   POST /admin/fault/<Operation>/<mode>     a fault for one operation ("*" for all); mode as SimulatedFault
//                                            names it, "delay" taking ?ms=N (default 3000)
//   POST /admin/fault/clear                  no more faults
// Lives on one thread; everything here must be called on that thread.
class RedireSimulator : public QObject {
    Q_OBJECT
public:
    explicit RedireSimulator(SimulatorData data, QString serviceNamespace, QString signingSecret,
                             QObject* parent = nullptr);
    // The built-in data with the app's default namespace and secret.
    explicit RedireSimulator(QObject* parent = nullptr);
    ~RedireSimulator() override;

    // Port 0 picks a free one. On failure, errorString() says why.
    bool listen(quint16 port = 0);
    QString errorString() const { return m_errorString; }
    quint16 port() const { return m_port; }
    QUrl baseUrl() const;
    QUrl soapEndpoint() const;
    QUrl ratingBaseUrl() const;
    QString serviceNamespace() const { return m_namespace; }
    QString signingSecret() const { return m_secret; }

    // A fault for the named operation (SOAP or rating interface), or "*" for every operation, until cleared.
    void setFault(const QString& operation, const SimulatedFault& fault);
    void clearFaults();
    QString verificationCode(const QString& mobileNumber) const;
    QList<SimulatedRequest> requestLog() const { return m_requestLog; }

private:
    void addRoutes();
    void handleSoap(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void handleRatingGet(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void handleRateProduct(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void handleFaultRequest(const QString& operation, const QString& mode, const QHttpServerRequest& request,
                            QHttpServerResponder&& responder);
    void answerCall(const QString& operation, const QList<QPair<QString, QString>>& parameters, bool soap,
                    const std::function<SimulatedAnswer()>& answer, QHttpServerResponder&& responder);
    SimulatedFault faultFor(const QString& operation) const;
    SimulatedAnswer faultAnswer(SimulatedFault::Kind kind, const QString& operation, bool soap) const;

    QString m_namespace;
    QString m_secret;
    SimulatorData m_data;
    MemberBook m_members;
    MemberCoupons m_memberCoupons;
    RatingBook m_ratings;
    SoapService m_soap;
    RatingService m_ratingService;
    QHttpServer* m_server;
    quint16 m_port = 0;
    QString m_errorString;
    QHash<QString, SimulatedFault> m_faults;
    QList<SimulatedRequest> m_requestLog;
};
