#include "push/BRHelper.h"

#include "platform/DebugLog.h"

BRHelper& BRHelper::sharedHelper() {
    static BRHelper helper;
    return helper;
}

void BRHelper::setupParse() {
    if (m_applicationId.isEmpty() || m_clientKey.isEmpty())
        throw BRHelperException(QStringLiteral("Exception!"), QStringLiteral("Required properties not set"));
    updateParseKeys();
    registerPushes();
}

void BRHelper::updateParseKeys() {
    if (m_applicationId.isEmpty() || m_clientKey.isEmpty())
        throw BRHelperException(QStringLiteral("Exception!"),
                                QStringLiteral("Application ID and/or client key not set"));
    if (m_debugEnabled)
        DebugLog::write(QStringLiteral("Push backend keys set for application %1").arg(m_applicationId));
}

void BRHelper::registerPushes() {
    m_registered = true;
    if (m_debugEnabled)
        DebugLog::write(
            QStringLiteral("Registered for remote notifications of type %1").arg(m_notificationType));
}
