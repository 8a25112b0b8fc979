#include "platform/Reachability.h"

#include "platform/NotificationCenter.h"

#include <QNetworkInformation>

namespace {

bool forcedOffline() {
    return qEnvironmentVariableIntValue("KORVO_OFFLINE") == 1;
}

// The platform's network information, or null when this system has no backend for it.
QNetworkInformation* networkInformation() {
    static const bool loaded =
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    return loaded ? QNetworkInformation::instance() : nullptr;
}

} // namespace

Reachability* Reachability::reachabilityForInternetConnection(QObject* parent) {
    return new Reachability(parent);
}

Reachability::Reachability(QObject* parent)
    : QObject(parent) {
    m_lastStatus = currentReachabilityStatus();
}

Reachability::NetworkStatus Reachability::currentReachabilityStatus() const {
    if (forcedOffline())
        return NotReachable;
    const QNetworkInformation* information = networkInformation();
    if (!information)
        return ReachableViaWiFi;
    switch (information->reachability()) {
    case QNetworkInformation::Reachability::Disconnected:
    case QNetworkInformation::Reachability::Local:
        return NotReachable;
    case QNetworkInformation::Reachability::Unknown: // the backend cannot tell: try the network
    case QNetworkInformation::Reachability::Site:
    case QNetworkInformation::Reachability::Online:
        break;
    }
    return information->transportMedium() == QNetworkInformation::TransportMedium::Cellular
               ? ReachableViaWWAN
               : ReachableViaWiFi;
}

bool Reachability::startNotifier() {
    if (m_notifying)
        return true;
    m_notifying = true;
    m_lastStatus = currentReachabilityStatus();
    if (QNetworkInformation* information = networkInformation(); information && !forcedOffline()) {
        connect(information, &QNetworkInformation::reachabilityChanged, this,
                &Reachability::onReachabilityChanged);
        connect(information, &QNetworkInformation::transportMediumChanged, this,
                &Reachability::onReachabilityChanged);
    }
    return true;
}

void Reachability::stopNotifier() {
    if (!m_notifying)
        return;
    m_notifying = false;
    if (QNetworkInformation* information = networkInformation())
        information->disconnect(this);
}

void Reachability::onReachabilityChanged() {
    const NetworkStatus status = currentReachabilityStatus();
    if (status == m_lastStatus)
        return;
    m_lastStatus = status;
    NotificationCenter::defaultCenter().postNotification(kReachabilityChangedNotification,
                                                         QVariant::fromValue<QObject*>(this));
}
