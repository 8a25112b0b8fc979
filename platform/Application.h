#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

// Posted by the application object as its state changes (object: none).
inline const QString ApplicationWillEnterForegroundNotification =
    QStringLiteral("UIApplicationWillEnterForegroundNotification");
inline const QString ApplicationDidBecomeActiveNotification =
    QStringLiteral("UIApplicationDidBecomeActiveNotification");
inline const QString ApplicationDidEnterBackgroundNotification =
    QStringLiteral("UIApplicationDidEnterBackgroundNotification");

// The application object of the phone: icon badge, lifecycle state, and handing addresses to the system.
class Application : public QObject {
    Q_OBJECT
public:
    enum class State { Active, Inactive, Background };

    static Application& shared();

    int applicationIconBadgeNumber() const { return m_badgeNumber; }
    void setApplicationIconBadgeNumber(int number);

    State applicationState() const { return m_state; }
    // Records the state and posts the notifications of the change (coming back from the background
    // announces the foreground first, then the activation).
    void setApplicationState(State state);
    // From now on, follows the desktop's application state (window activation, minimising).
    void followPlatformState();

    // Hands the address to the desktop (QDesktopServices), or only records it when recording is on (tests).
    bool openUrl(const QUrl& url);
    bool canOpenUrl(const QUrl& url) const;
    void setRecordsOpenedUrls(bool records);
    QList<QUrl> openedUrls() const { return m_openedUrls; }

    QObject* delegate() const { return m_delegate; }
    void setDelegate(QObject* delegate) { m_delegate = delegate; }

signals:
    void applicationStateChanged(Application::State state);

private:
    Application();

    int m_badgeNumber = 0;
    State m_state = State::Active;
    bool m_recordsOpenedUrls = false;
    QList<QUrl> m_openedUrls;
    QObject* m_delegate = nullptr;
};
