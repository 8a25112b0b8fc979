#pragma once

#include "sim/RedireSimulator.h"
#include "sim/SimulatedFault.h"
#include "sim/SimulatorData.h"

#include <QList>
#include <QString>
#include <QThread>
#include <QUrl>

#include <functional>

// The simulated service inside the app's own process, on a thread of its own so that a slow answer never
// holds up the app's main thread. Every member may be called from any other thread.
class EmbeddedRedireService {
public:
    // The built-in data with the app's default namespace and secret.
    EmbeddedRedireService();
    EmbeddedRedireService(SimulatorData data, const QString& serviceNamespace, const QString& signingSecret);
    // Stops the service and joins its thread.
    ~EmbeddedRedireService();
    EmbeddedRedireService(const EmbeddedRedireService&) = delete;
    EmbeddedRedireService& operator=(const EmbeddedRedireService&) = delete;

    // Returns once the service listens on 127.0.0.1 (port 0: a free one); on failure *error says why.
    bool start(quint16 port = 0, QString* error = nullptr);

    QUrl soapEndpoint() const { return m_soapEndpoint; }
    QUrl ratingBaseUrl() const { return m_ratingBaseUrl; }
    QUrl baseUrl() const { return m_baseUrl; }
    QString serviceNamespace() const { return m_serviceNamespace; }
    QString signingSecret() const { return m_signingSecret; }

    // These return once the service has done it.
    void setFault(const QString& operation, const SimulatedFault& fault);
    void clearFaults();
    QString verificationCode(const QString& mobileNumber) const;
    QList<SimulatedRequest> requestLog() const;

private:
    void onServiceThread(const std::function<void()>& work) const;

    QThread m_thread;
    RedireSimulator* m_simulator;
    QString m_serviceNamespace;
    QString m_signingSecret;
    QUrl m_soapEndpoint;
    QUrl m_ratingBaseUrl;
    QUrl m_baseUrl;
};
