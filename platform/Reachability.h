#pragma once

#include <QObject>
#include <QString>

inline const QString kReachabilityChangedNotification = QStringLiteral("kReachabilityChangedNotification");

// Watches whether the internet can be reached. Status 0 means no connection; any other value, connected.
// Uses QNetworkInformation where a backend exists; otherwise reports connected. KORVO_OFFLINE=1 forces
// "no connection".
class Reachability : public QObject {
    Q_OBJECT
public:
    enum NetworkStatus { NotReachable = 0, ReachableViaWiFi = 1, ReachableViaWWAN = 2 };

    static Reachability* reachabilityForInternetConnection(QObject* parent = nullptr);

    // Starts posting kReachabilityChangedNotification (object: this monitor) on every change.
    bool startNotifier();
    void stopNotifier();
    NetworkStatus currentReachabilityStatus() const;

private:
    explicit Reachability(QObject* parent);
    void onReachabilityChanged();

    bool m_notifying = false;
    NetworkStatus m_lastStatus = NotReachable;
};
