#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

inline const QString FBSessionStateChangedNotification = QStringLiteral("FBSessionStateChangedNotification");

// Stand-in for the social network's login session. Its web login is out of reach on the desktop: opening
// succeeds exactly when the configuration holds the network's application id, and fails otherwise.
class FacebookSession : public QObject {
    Q_OBJECT
public:
    // The network's own state codes.
    enum State {
        CreatedTokenLoaded = 1,
        CreatedOpening = 2,
        Open = 513,
        ClosedLoginFailed = 257,
        Closed = 258,
        Created = 0,
    };

    static FacebookSession* activeSession();
    static void setActiveSession(FacebookSession* session); // takes ownership

    explicit FacebookSession(const QStringList& permissions, QObject* parent = nullptr);

    State state() const { return m_state; }
    bool isOpen() const { return m_state == Open; }
    QStringList permissions() const { return m_permissions; }
    void close();
    void closeAndClearTokenInformation();
    // Opens with the embedded web login; completion gets the session and its new state.
    void openWithCompletion(const std::function<void(FacebookSession*, State)>& completion);

private:
    QStringList m_permissions;
    State m_state = Created;
};
