#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>

// A named in-app notification: who posted what, with which extra data.
struct Notification {
    QString name;
    QVariant object;
    QVariantMap userInfo;
};

// Delivers named notifications synchronously, on the posting thread, to every observer of the name in the
// order they registered. An observer stops receiving when it is removed or destroyed, also in the middle of
// a delivery.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    void addObserver(QObject* observer, const QString& name, Handler handler);
    void removeObserver(QObject* observer);
    void removeObserver(QObject* observer, const QString& name);
    void postNotification(const QString& name, const QVariant& object = {}, const QVariantMap& userInfo = {});

private:
    struct Registration {
        QObject* observer;
        QString name;
        Handler handler;
        std::shared_ptr<bool> active;
    };
    void forget(QObject* observer, const QString* name);

    QList<Registration> m_registrations;
    QHash<QObject*, QMetaObject::Connection> m_destroyWatch;
};
