#pragma once

#include <QMetaType>
#include <QString>
#include <QVariantMap>

// A position on the map, in degrees.
struct LocationCoordinate {
    double latitude = 0;
    double longitude = 0;

    bool operator==(const LocationCoordinate&) const = default;
};

// One store as a map pin: its title is the name, its subtitle the address.
class StoreAnnotation {
public:
    StoreAnnotation() = default;
    // From the attributes of one store element of the store-location answer.
    explicit StoreAnnotation(const QVariantMap& store);

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    QString phone() const { return m_phone; }
    void setPhone(const QString& phone) { m_phone = phone; }
    QString address() const { return m_address; }
    void setAddress(const QString& address) { m_address = address; }
    bool isWashAvailable() const { return m_washAvailable; }
    void setWashAvailable(bool available) { m_washAvailable = available; }
    LocationCoordinate coordinate() const { return m_coordinate; }
    void setCoordinate(const LocationCoordinate& coordinate) { m_coordinate = coordinate; }
    float storeRating() const { return m_storeRating; }
    void setStoreRating(float rating) { m_storeRating = rating; }

    QString title() const { return m_name; }
    QString subtitle() const { return m_address; }

private:
    QString m_name;
    QString m_phone;
    QString m_address;
    bool m_washAvailable = false;
    LocationCoordinate m_coordinate;
    float m_storeRating = 0;
};

Q_DECLARE_METATYPE(StoreAnnotation)
