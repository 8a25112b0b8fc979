#pragma once

#include <QString>

#include <stdexcept>

// Misuse of the push helper's set-up: a fault of the app's own configuration or code, never of input.
class BRHelperException : public std::logic_error {
public:
    BRHelperException(const QString& name, const QString& reason)
        : std::logic_error((name + QStringLiteral(": ") + reason).toStdString())
        , m_name(name)
        , m_reason(reason) {}

    QString name() const { return m_name; }
    QString reason() const { return m_reason; }

private:
    QString m_name;
    QString m_reason;
};

// The one object through which the app works with the push backend. For now it takes the backend's
// credentials and registers the device; channels and received notifications come with the push backend.
class BRHelper {
public:
    static BRHelper& sharedHelper();

    QString applicationId() const { return m_applicationId; }
    void setApplicationId(const QString& applicationId) { m_applicationId = applicationId; }
    QString clientKey() const { return m_clientKey; }
    void setClientKey(const QString& clientKey) { m_clientKey = clientKey; }
    unsigned notificationType() const { return m_notificationType; }
    bool debugEnabled() const { return m_debugEnabled; }
    void setDebugEnabled(bool enabled) { m_debugEnabled = enabled; }
    bool isRegisteredForPushes() const { return m_registered; }

    // With both credentials: hands them on and registers for pushes; otherwise raises BRHelperException.
    void setupParse();
    void updateParseKeys();
    void registerPushes();

private:
    BRHelper() = default;

    QString m_applicationId;
    QString m_clientKey;
    unsigned m_notificationType = 7;
    bool m_debugEnabled = false;
    bool m_registered = false;
};
