#include "platform/NotificationCenter.h"

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(QObject* observer, const QString& name, Handler handler) {
    m_registrations.append({observer, name, std::move(handler), std::make_shared<bool>(true)});
    if (!m_destroyWatch.contains(observer)) {
        m_destroyWatch.insert(observer, connect(observer, &QObject::destroyed, this,
                                                [this, observer] { forget(observer, nullptr); }));
    }
}

void NotificationCenter::removeObserver(QObject* observer) {
    forget(observer, nullptr);
}

void NotificationCenter::removeObserver(QObject* observer, const QString& name) {
    forget(observer, &name);
}

void NotificationCenter::forget(QObject* observer, const QString* name) {
    bool remaining = false;
    for (auto it = m_registrations.begin(); it != m_registrations.end();) {
        if (it->observer == observer && (!name || it->name == *name)) {
            *it->active = false;
            it = m_registrations.erase(it);
        } else {
            remaining = remaining || it->observer == observer;
            ++it;
        }
    }
    if (!remaining)
        disconnect(m_destroyWatch.take(observer));
}

void NotificationCenter::postNotification(const QString& name, const QVariant& object,
                                          const QVariantMap& userInfo) {
    const Notification notification{name, object, userInfo};
    // A snapshot, so that handlers may add or remove observers while we deliver.
    QList<Registration> receivers;
    for (const Registration& registration : std::as_const(m_registrations)) {
        if (registration.name == name)
            receivers.append(registration);
    }
    for (const Registration& registration : std::as_const(receivers)) {
        if (*registration.active)
            registration.handler(notification);
    }
}
