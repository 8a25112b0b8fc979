#pragma once

#include <QString>

// Every key the application keeps in the settings store. The texts are the stored names: changing one
// loses what earlier versions saved under it.

// The member's session and profile, written to disk by whoever sets them.
inline const QString kUserIdKey = QStringLiteral("KORVO_IPHONE_USER_ID");
inline const QString kPhoneKey = QStringLiteral("KORVO_IPHONE_PHONE");
inline const QString kDobKey = QStringLiteral("KORVO_IPHONE_DOB"); // "dd.MM.yyyy"
inline const QString kPostCodeKey = QStringLiteral("KORVO_IPHONE_POSTCODE");
inline const QString kConfirmedKey = QStringLiteral("KORVO_IPHONE_CONFIRMED");

inline const QString kAlertAboutRegistrationAlreadyWasShownKey =
    QStringLiteral("kAlertAboutRegistrationAlreadyWasShownKey");

// Coupon lists last received, as lists of coupon record maps.
inline const QString kCachedPromotionsKey = QStringLiteral("CachedPromotions");
inline const QString kCachedLoyaltyCardsKey = QStringLiteral("CachedLoyaltyCards");
inline const QString kCachedRewardsKey = QStringLiteral("CachedRewards");
inline const QString kCachedOffersKey = QStringLiteral("CachedOffers");

// News: the ids last received and how many items are still unopened.
inline const QString kCachedNewsKey = QStringLiteral("CachedNews");
inline const QString kNewNewsInCacheKey = QStringLiteral("NewNewsInCache");

// Picture versions: a map from "<coupon type>_<coupon id>" to a map of the two keys below.
inline const QString kVersionDictionaryKey = QStringLiteral("UserDefaultsKeyForVersionDictionary");
inline const QString kVersionNumberKey =
    QStringLiteral("DictionaryKeyForVesionNumber"); // sic: the stored name
inline const QString kImageUrlKey = QStringLiteral("DictionaryKeyForImageUrl");

// Named lists (BRArrayStorage) of the push-open statistics.
inline const QString kPendingPushesKey = QStringLiteral("PendingPushes");
inline const QString kPushOpensCountKey = QStringLiteral("pushOpensCount");
inline const QString kPushOpensDirectCountKey = QStringLiteral("pushOpensDirectCount");

// The social network's session.
inline const QString kFBAccessTokenKey = QStringLiteral("FBAccessTokenKey");
inline const QString kFBExpirationDateKey = QStringLiteral("FBExpirationDateKey");
