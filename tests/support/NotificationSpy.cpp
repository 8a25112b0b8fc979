#include "tests/support/NotificationSpy.h"

#include <QTest>

NotificationSpy::NotificationSpy(const QString& name) {
    NotificationCenter::defaultCenter().addObserver(
        this, name, [this](const Notification& notification) { m_notifications.append(notification); });
}

bool NotificationSpy::wait(int count, int timeoutMs) const {
    return QTest::qWaitFor([&] { return m_notifications.size() >= count; }, timeoutMs);
}
