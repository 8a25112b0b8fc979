#pragma once

#include "platform/NotificationCenter.h"

#include <QList>
#include <QObject>

// Records every notification of one name posted while it exists.
class NotificationSpy : public QObject {
public:
    explicit NotificationSpy(const QString& name);

    const QList<Notification>& notifications() const { return m_notifications; }
    int count() const { return int(m_notifications.size()); }
    const Notification& last() const { return m_notifications.last(); }
    // Spins the event loop until at least that many arrived.
    bool wait(int count = 1, int timeoutMs = 5000) const;

private:
    QList<Notification> m_notifications;
};
