#pragma once

#include "platform/UrlConnection.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

// Told when a coupon's picture has arrived.
class RedireCouponLoading {
public:
    virtual ~RedireCouponLoading() = default;
    virtual void imageLoaded(const QImage& image) = 0;
};

// One coupon as the service describes it: a map of attribute texts, read in typed form. The record
// fetches its picture (keeping it under "Image" and in the picture cache), replaces a stored picture
// when the coupon's picture version changes, draws the card's reflection and holds the card's flipped
// state. Main thread only.
class RedireCoupon : public QObject, public UrlConnectionDelegate {
    Q_OBJECT
public:
    // Copies the map and starts loading the picture at once.
    explicit RedireCoupon(const QVariantMap& coupon, QObject* parent = nullptr);
    ~RedireCoupon() override;

    QString ID() const;
    int type() const;
    int left() const;
    QString backCoverText() const;
    QString subText() const;
    QString imageUrl() const;
    // Invalid when "Expires" is absent or not "dd.MM.yyyy HH:mm:ss" (read in local time).
    QDateTime expirationDate() const;
    QString universeString() const;
    bool redeemed() const;

    // The picture's bytes; empty while it is not known, in which case a download (re)starts.
    QByteArray image();
    // A null image when the record has no decodable picture yet.
    QImage reflectionImage() const;

    // Whether the card has a back side worth showing.
    bool isCanFlip() const;
    bool isFlipped() const { return m_isFlipped; }
    void setFlipped(bool flipped) { m_isFlipped = flipped; }

    RedireCouponLoading* delegate() const { return m_delegate; }
    void setDelegate(RedireCouponLoading* delegate) { m_delegate = delegate; }

    // The record's own map, "Image" included once loaded; a record made from it again is the same coupon.
    QVariantMap dictionaryForCaching() const { return m_coupon; }

    // The mirrored picture shown under a card: 218 x 304 points at the screen's scale, upside down,
    // fading from full strength at the top edge to nothing 45.6 points below it. A positive shift moves
    // the mirrored picture up by that many points.
    static QImage generateReflectionImageForImage(const QImage& image, qreal verticalShift = 0);

    // This coupon's entry of the picture version map kept in the settings.
    QVariantMap dictionaryWithSavedVersionForCurrentCoupon() const;
    int savedVersionNumber() const;
    QString savedUrlOfImage() const;
    // Does nothing without a picture address.
    void saveVersionNumber(int version, const QString& urlString);

    void connectionDidReceiveResponse(UrlConnection* connection, const UrlResponse& response) override;
    void connectionDidReceiveData(UrlConnection* connection, const QByteArray& data) override;
    void connectionDidFailWithError(UrlConnection* connection, const Error& error) override;
    void connectionDidFinishLoading(UrlConnection* connection) override;

private:
    QString versionKey() const;
    void forgetOutdatedPicture();
    void startDownload(const QString& url);

    QVariantMap m_coupon;
    std::unique_ptr<UrlConnection> m_connection;
    std::optional<QByteArray> m_imageData; // receive buffer of the running download
    int m_statusCode = 0;
    mutable QDateTime m_expires;
    bool m_isFlipped = false;
    RedireCouponLoading* m_delegate = nullptr;
};

using RedireCouponList = QList<QSharedPointer<RedireCoupon>>;
Q_DECLARE_METATYPE(RedireCouponList)
