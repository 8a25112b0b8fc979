#pragma once

#include <QString>

// Names of the notifications by which the service client announces each handled answer.
inline const QString RedireAllCouponsNotification = QStringLiteral("RedireAllCouponsNotification");
inline const QString RedireLoyaltyCardsNotification = QStringLiteral("RedireLoyaltyCardsNotification");
inline const QString RedireOffersNotification = QStringLiteral("RedireOffersNotification");
inline const QString RedirePromotionsNotification = QStringLiteral("RedirePromotionsNotification");
inline const QString RedireRewardsNotification = QStringLiteral("RedireRewardsNotification");
inline const QString RedireNewsNotification = QStringLiteral("RedireNewsNotification");
inline const QString RedireCouponForFriendNotification = QStringLiteral("RedireCouponForFriendNotification");
inline const QString RedireSplashAdNotification = QStringLiteral("RedireSplashAdNotification");
inline const QString RedireStoreLocationsNotification = QStringLiteral("RedireStoreLocationsNotification");
inline const QString RedireRatingStateNotification = QStringLiteral("RedireRatingStateNotification");
inline const QString RedireRateProductNotification = QStringLiteral("RedireRateProductNotification");
inline const QString RedireRatingsNotification = QStringLiteral("RedireRatingsNotification");
inline const QString RedireStoreStatsNotification = QStringLiteral("RedireStoreStatsNotification");
inline const QString RedireVerificationCodeSentNotification =
    QStringLiteral("RedireVerificationCodeSentNotification");
inline const QString RedireUserUpdatedNotification = QStringLiteral("RedireUserUpdatedNotification");
inline const QString RedireGetUserInfoNotification = QStringLiteral("RedireGetUserInfoNotification");
inline const QString RedireUserLoggedOutNotification = QStringLiteral("RedireUserLoggedOutNotification");

// Extra-data keys of RedireStoreLocationsNotification.
inline const QString StoresAnnotationArrayKey = QStringLiteral("StoresAnnotationArray");
inline const QString StoreTypeKey = QStringLiteral("type");
