#include "app/AnalyticsClient.h"

#include "platform/DebugLog.h"

namespace {
bool sessionStarted = false;
}

void AnalyticsClient::startSession(const QString& applicationKey) {
    sessionStarted = true;
    DebugLog::write(QStringLiteral("Analytics: session started with key %1").arg(applicationKey));
}

void AnalyticsClient::setBackgroundSessionsEnabled(bool enabled) {
    DebugLog::write(QStringLiteral("Analytics: background sessions %1").arg(enabled ? "on" : "off"));
}

bool AnalyticsClient::isSessionStarted() {
    return sessionStarted;
}
