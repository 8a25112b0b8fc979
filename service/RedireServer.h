#pragma once

#include "finder/StoreAnnotation.h"
#include "platform/Error.h"
#include "platform/UrlConnection.h"
#include "service/ConnectionStorage.h"
#include "service/RedireCoupon.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <memory>
#include <optional>
#include <vector>

// Keys of a request record.
inline const QString RequestServiceKey = QStringLiteral("Service");
inline const QString RequestKeysKey = QStringLiteral("KeysArrayKey");
inline const QString RequestValuesKey = QStringLiteral("ValuesArray");
inline const QString RequestTypeKey = QStringLiteral("RequestType");
inline const QString RatingRequestTypeKey = QStringLiteral("RatingRequestType");

using ElementRecords = QList<QVariantMap>;

// The one client of the coupon service for the whole process. It keeps the member's session (the identifier
// every call carries), holds calls back until the session has an identifier, sends them signed, reads each
// answer and announces it by a named notification after storing what it carried. Requests are fire and
// forget: screens learn results only from notifications and stored data.
class RedireServer : public QObject, public UrlConnectionDelegate {
    Q_OBJECT
public:
    // Made on first use; creation starts the session (InitializeApp at once when no identifier is saved).
    static RedireServer& sharedServer();
    // Drops the shared client (its transfers are abandoned), so that the next use makes a fresh one.
    static void resetSharedServer();

    ~RedireServer() override;

    // Session
    bool isServerReady() const { return m_serverIsReady; }
    bool isUserRegistered() const { return m_userRegistered; }
    QString userId() const { return m_userId; }
    const std::optional<QVariantMap>& dictUserInfo() const { return m_dictUserInfo; }
    void setDictUserInfo(const std::optional<QVariantMap>& info) { m_dictUserInfo = info; }

    RedireConnection* addConnectionWithParameters(const QVariantMap& record);
    void sendRequestForUserId();
    void setUserId(const QString& userId);
    std::optional<Error> parseResponceForError(const QString& response) const;
    void parseUserIdResponseString(const QString& response);
    int connectionsInFlight() const { return int(m_connections.size()); }
    int heldRequests() const { return int(m_unsentRequests.size()); }

    // Coupon lists, news, splash advert, give-away text
    const std::optional<RedireCouponList>& arrayPromotions() const { return m_arrayPromotions; }
    const std::optional<RedireCouponList>& arrayLoyaltyCards() const { return m_arrayLoyaltyCards; }
    const std::optional<RedireCouponList>& arrayRewards() const { return m_arrayRewards; }
    const std::optional<RedireCouponList>& arrayOffers() const { return m_arrayOffers; }
    const std::optional<ElementRecords>& arrayNews() const { return m_arrayNews; }
    void setArrayPromotions(const std::optional<RedireCouponList>& list) { m_arrayPromotions = list; }
    void setArrayLoyaltyCards(const std::optional<RedireCouponList>& list) { m_arrayLoyaltyCards = list; }
    void setArrayRewards(const std::optional<RedireCouponList>& list) { m_arrayRewards = list; }
    void setArrayOffers(const std::optional<RedireCouponList>& list) { m_arrayOffers = list; }
    void setArrayNews(const std::optional<ElementRecords>& list) { m_arrayNews = list; }

    void requestDataOfType(int type);
    void getCouponForFriend(const QString& couponId);
    std::optional<RedireCouponList> couponsFromString(const QString& response) const;
    void parseAllCoupons(const QString& response);
    void parseLoyaltyCards(const QString& response);
    void parseOffers(const QString& response);
    void parsePromotions(const QString& response);
    void parseRewards(const QString& response);
    void parseNews(const QString& response);
    void parseCouponForFriend(const QString& response);
    void parseSplashAd(const QString& response);
    void loadDataFromCaches();
    std::optional<RedireCouponList> loadDataFromCache(const QString& key);
    void cleanupCache(const QString& key);
    void cleanCache();

    // Member account
    bool registerUserWithMobile(const QString& mobile, const QString& birthday, const QString& posCode);
    bool completeRegistrationWithMobile(const QString& mobile, const QString& birthday,
                                        const QString& posCode, const QString& code);
    bool updateUserPostalCode(const QString& postalCode);
    void logOut();
    void parseRegistrationResponseString(const QString& response);
    void parseRegistrationConfirmationResponseString(const QString& response);
    void parseUserSettingsUpdateString(const QString& response);
    void parseGetUserInfo(const QString& response);

    // Store locations and coffee ratings
    const QList<StoreAnnotation>& arrayStoreLocations() const { return m_arrayStoreLocations; }
    void setArrayStoreLocations(const QList<StoreAnnotation>& list) { m_arrayStoreLocations = list; }
    void getStoresLocationsForType(const QString& type);
    void requestRatingState();
    void requestRatings();
    void requestStoreStats(qint64 storeId);
    void requestRateProductWithRatingId(qint64 ratingId, int rating, qint64 shopId);
    void parseStoreLocations(const QString& response);
    void parseRatingState(const QString& response);
    void parseRateProduct(const QString& response);
    void parseRatings(const QString& response);
    void parseStoreStats(const QString& response);

    // Transfer callbacks
    void connectionDidReceiveData(UrlConnection* connection, const QByteArray& data) override;
    void connectionDidFailWithError(UrlConnection* connection, const Error& error) override;
    void connectionDidFinishLoading(UrlConnection* connection) override;

private:
    RedireServer();
    void start();

    static QVariantMap makeRecord(const QString& service, const QStringList& keys, const QVariantList& values,
                                  int type);
    static QVariantMap makeRatingRecord(const QString& service, const QStringList& keys,
                                        const QVariantList& values, int type);
    QString userIdOrEmpty() const { return m_userId.isNull() ? QStringLiteral("") : m_userId; }
    std::vector<std::unique_ptr<RedireConnection>>::iterator findConnection(const UrlConnection* connection);
    void handleAnswer(int type, int statusCode, const QString& response);
    void handleRefusedAnswer(int type);
    void dispatch(int type, const QString& response);
    static RedireCouponList couponsFromRecords(const ElementRecords& records);
    static std::optional<ElementRecords> couponRecordsFrom(const QString& response, const QString& operation);
    void replaceCouponList(const QString& response, const QString& operation,
                           std::optional<RedireCouponList>& list, const QString& notification);
    void sendMemberRequest(const QString& mobile, const QString& birthday, const QString& posCode,
                           const QString& password, int type);
    void saveProfileFromDictionary();

    std::vector<std::unique_ptr<RedireConnection>> m_connections;
    QList<QVariantMap> m_unsentRequests;
    bool m_serverIsReady = false;
    bool m_userRegistered = false;
    QString m_userId;
    std::optional<QVariantMap> m_dictUserInfo;

    std::optional<RedireCouponList> m_arrayPromotions;
    std::optional<RedireCouponList> m_arrayLoyaltyCards;
    std::optional<RedireCouponList> m_arrayRewards;
    std::optional<RedireCouponList> m_arrayOffers;
    std::optional<ElementRecords> m_arrayNews;
    QList<StoreAnnotation> m_arrayStoreLocations;
};
