#include "app/FacebookSession.h"

#include "platform/Configuration.h"

#include <QPointer>

namespace {
QPointer<FacebookSession>& active() {
    static QPointer<FacebookSession> session;
    return session;
}
} // namespace

FacebookSession* FacebookSession::activeSession() {
    if (!active())
        active() = new FacebookSession({});
    return active();
}

void FacebookSession::setActiveSession(FacebookSession* session) {
    if (active() && active() != session)
        active()->deleteLater();
    active() = session;
}

FacebookSession::FacebookSession(const QStringList& permissions, QObject* parent)
    : QObject(parent)
    , m_permissions(permissions) {}

void FacebookSession::close() {
    m_state = Closed;
}

void FacebookSession::closeAndClearTokenInformation() {
    m_state = Closed;
}

void FacebookSession::openWithCompletion(const std::function<void(FacebookSession*, State)>& completion) {
    m_state = Configuration::current().facebookAppId.isEmpty() ? ClosedLoginFailed : Open;
    if (completion)
        completion(this, m_state);
}
