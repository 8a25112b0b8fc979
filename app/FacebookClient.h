#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class FacebookClientDelegate {
public:
    virtual ~FacebookClientDelegate() = default;
    virtual void fbDidLogin(const QString& accessToken, const QDateTime& expirationDate) = 0;
    virtual void fbDidExtendToken(const QString& accessToken, const QDateTime& expiresAt) = 0;
    virtual void fbDidLogout() = 0;
    virtual void fbDidNotLogin(bool cancelled) = 0;
    virtual void fbSessionInvalidated() = 0;
};

// Stand-in for the social network's older client, used for sharing on systems before 6.0. It only carries
// the application id and tells its delegate what happens to the login.
class FacebookClient : public QObject {
    Q_OBJECT
public:
    FacebookClient(const QString& applicationId, FacebookClientDelegate* delegate, QObject* parent = nullptr)
        : QObject(parent)
        , m_applicationId(applicationId)
        , m_delegate(delegate) {}

    QString applicationId() const { return m_applicationId; }
    FacebookClientDelegate* delegate() const { return m_delegate; }

private:
    QString m_applicationId;
    FacebookClientDelegate* m_delegate;
};
