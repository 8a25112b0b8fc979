// Coupon lists, news, the splash advert and the give-away text, and the saved copies of the coupon lists.
#include "service/RedireServer.h"

#include "platform/DebugLog.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "service/RedireManager.h"
#include "service/RedireNotifications.h"
#include "service/RequestType.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"

#include <QHash>

namespace {

const QString couponElement = QStringLiteral("Coupon");

// The moment a saved coupon stops being valid; invalid when the text does not hold one.
QDateTime savedExpiry(const QVariantMap& coupon) {
    return QDateTime::fromString(coupon.value(QStringLiteral("Expires")).toString(),
                                 QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

bool lastElementIsMap(const QVariantList& list) {
    return !list.isEmpty() && list.last().typeId() == QMetaType::QVariantMap;
}

} // namespace

void RedireServer::requestDataOfType(int type) {
    static const QHash<int, QString> operations = {
        {RequestTypeGetAllCoupons, QStringLiteral("GetAllCoupons")},
        {RequestTypeGetLoyaltyCards, QStringLiteral("GetLoyaltyCards")},
        {RequestTypeGetNews, QStringLiteral("GetNews")},
        {RequestTypeGetOffers, QStringLiteral("GetOffers")},
        {RequestTypeGetPromotions, QStringLiteral("GetPromotions")},
        {RequestTypeGetRewards, QStringLiteral("GetRewards")},
        {RequestTypeGetSplashAd, QStringLiteral("GetSplashAd")},
        {RequestTypeGetUserInfo, QStringLiteral("GetUserInfo")},
    };
    const auto operation = operations.constFind(type);
    if (operation == operations.constEnd())
        return;
    addConnectionWithParameters(makeRecord(*operation, {QStringLiteral("UserID")}, {userIdOrEmpty()}, type));
}

void RedireServer::getCouponForFriend(const QString& couponId) {
    addConnectionWithParameters(makeRecord(QStringLiteral("GetCouponForFriend"),
                                           {QStringLiteral("UserID"), QStringLiteral("CouponId")},
                                           {userIdOrEmpty(), couponId}, RequestTypeGetCouponForFriend));
}

std::optional<RedireCouponList> RedireServer::couponsFromString(const QString& response) const {
    const std::optional<ElementRecords> records = RedireManager::parseXMLFrom(response, couponElement);
    if (!records)
        return std::nullopt;
    return couponsFromRecords(*records);
}

RedireCouponList RedireServer::couponsFromRecords(const ElementRecords& records) {
    RedireCouponList coupons;
    coupons.reserve(records.size());
    for (const QVariantMap& record : records)
        coupons.append(QSharedPointer<RedireCoupon>::create(record));
    return coupons;
}

std::optional<ElementRecords> RedireServer::couponRecordsFrom(const QString& response,
                                                              const QString& operation) {
    // A result that is not well-formed markup is a broken answer, not an empty list: reading it as one would
    // wipe the member's coupons. An empty result is a service with nothing to offer.
    const QString result = RedireManager::extractResultFrom(response, operation);
    const std::optional<ElementRecords> records =
        RedireManager::parseXMLFrom(result.trimmed().isEmpty() ? response : result, couponElement);
    if (!records)
        DebugLog::write(
            QStringLiteral("%1: the answer is not well-formed XML; nothing changed").arg(operation));
    return records;
}

void RedireServer::parseAllCoupons(const QString& response) {
    const std::optional<ElementRecords> records =
        couponRecordsFrom(response, QStringLiteral("GetAllCoupons"));
    if (!records)
        return;
    Database& database = Database::shared();
    // Matching runs against the flags that existed before this answer, so a coupon named twice in one
    // answer gets two flags, as it always has.
    QSet<qint64> knownCoupons;
    for (const BadgesData& badge : database.fetchAllBadges())
        knownCoupons.insert(badge.couponId);
    QList<BadgesData> created;
    for (const QVariantMap& record : *records) {
        const qint64 couponId = record.value(QStringLiteral("Id")).toString().toLongLong();
        if (knownCoupons.contains(couponId))
            continue;
        BadgesData badge;
        badge.couponId = couponId;
        badge.typeId = record.value(QStringLiteral("TypeId")).toString().toLongLong();
        badge.isNew = true;
        created.append(badge);
    }
    database.saveBadges(created);
    NotificationCenter::defaultCenter().postNotification(RedireAllCouponsNotification,
                                                         QVariant::fromValue(*records));
}

void RedireServer::replaceCouponList(const QString& response, const QString& operation,
                                     std::optional<RedireCouponList>& list, const QString& notification) {
    const std::optional<ElementRecords> records = couponRecordsFrom(response, operation);
    if (!records)
        return;
    list = couponsFromRecords(*records);
    NotificationCenter::defaultCenter().postNotification(notification, QVariant::fromValue(*list));
}

void RedireServer::parseLoyaltyCards(const QString& response) {
    replaceCouponList(response, QStringLiteral("GetLoyaltyCards"), m_arrayLoyaltyCards,
                      RedireLoyaltyCardsNotification);
}

void RedireServer::parseOffers(const QString& response) {
    replaceCouponList(response, QStringLiteral("GetOffers"), m_arrayOffers, RedireOffersNotification);
}

void RedireServer::parsePromotions(const QString& response) {
    replaceCouponList(response, QStringLiteral("GetPromotions"), m_arrayPromotions,
                      RedirePromotionsNotification);
}

void RedireServer::parseRewards(const QString& response) {
    replaceCouponList(response, QStringLiteral("GetRewards"), m_arrayRewards, RedireRewardsNotification);
}

void RedireServer::parseNews(const QString& response) {
    const std::optional<ElementRecords> items = RedireManager::parseXMLFrom(response, QStringLiteral("item"));
    if (!items || items->isEmpty())
        return;
    m_arrayNews = *items;
    NotificationCenter::defaultCenter().postNotification(RedireNewsNotification,
                                                         QVariant::fromValue(*m_arrayNews));
}

void RedireServer::parseCouponForFriend(const QString& response) {
    NotificationCenter::defaultCenter().postNotification(
        RedireCouponForFriendNotification,
        RedireManager::extractResultFrom(response, QStringLiteral("GetCouponForFriend")));
}

void RedireServer::parseSplashAd(const QString& response) {
    NotificationCenter::defaultCenter().postNotification(
        RedireSplashAdNotification,
        RedireManager::extractResultFrom(response, QStringLiteral("GetSplashAd")));
}

void RedireServer::loadDataFromCaches() {
    m_arrayPromotions = loadDataFromCache(kCachedPromotionsKey);
    m_arrayLoyaltyCards = loadDataFromCache(kCachedLoyaltyCardsKey);
    m_arrayRewards = loadDataFromCache(kCachedRewardsKey);
    m_arrayOffers = loadDataFromCache(kCachedOffersKey);
}

std::optional<RedireCouponList> RedireServer::loadDataFromCache(const QString& key) {
    cleanupCache(key);
    const QVariantList saved = UserDefaults::standardUserDefaults().arrayForKey(key);
    if (!lastElementIsMap(saved))
        return std::nullopt;
    ElementRecords coupons;
    coupons.reserve(saved.size());
    for (const QVariant& coupon : saved)
        coupons.append(coupon.toMap());
    return couponsFromRecords(coupons);
}

void RedireServer::cleanupCache(const QString& key) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (defaults.objectForKey(key).isNull())
        return;
    const QVariantList saved = defaults.arrayForKey(key);
    if (!lastElementIsMap(saved))
        return;
    // The full date and time: a coupon leaves the list at the moment it expires, not at the start of its day.
    const QDateTime now = QDateTime::currentDateTime();
    QVariantList remaining;
    for (const QVariant& coupon : saved) {
        const QDateTime expiry = savedExpiry(coupon.toMap());
        if (!expiry.isValid() || expiry >= now)
            remaining.append(coupon);
    }
    defaults.setObject(remaining, key);
    defaults.synchronize();
}

void RedireServer::cleanCache() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    for (const QString& key :
         {kCachedPromotionsKey, kCachedLoyaltyCardsKey, kCachedRewardsKey, kCachedOffersKey})
        defaults.removeObjectForKey(key);
    defaults.synchronize();
    Database::shared().deleteBadgesAndRatingStates();
}
