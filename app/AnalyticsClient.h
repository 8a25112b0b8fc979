#pragma once

#include <QString>

// Stand-in for the analytics service's client: a session started at launch with the app's key. Nothing
// leaves the machine; the session start is recorded in the debug log.
class AnalyticsClient {
public:
    static void startSession(const QString& applicationKey);
    static void setBackgroundSessionsEnabled(bool enabled);
    static bool isSessionStarted();
};
