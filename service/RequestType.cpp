#include "service/RequestType.h"

#include <QStringList>

std::optional<QString> requestTypeName(int type) {
    // "GetPromotios" is how the service's own logs have always named it.
    static const QStringList names = {QString(),
                                      QStringLiteral("RegisterUser"),
                                      QStringLiteral("RegisterUser (confirm)"),
                                      QStringLiteral("PostalCodeUpdate"),
                                      QStringLiteral("GetAllCoupons"),
                                      QStringLiteral("GetLoyaltyCards"),
                                      QStringLiteral("GetNews"),
                                      QStringLiteral("GetOffers"),
                                      QStringLiteral("GetPromotios"),
                                      QStringLiteral("GetRewards"),
                                      QStringLiteral("GetStoreLocations"),
                                      QStringLiteral("GetCouponForFriend"),
                                      QStringLiteral("GetSplashAd"),
                                      QStringLiteral("GetUserInfo"),
                                      QStringLiteral("GetRatingState"),
                                      QStringLiteral("GetRateProduct"),
                                      QStringLiteral("GetRatings"),
                                      QStringLiteral("GetStoreStatus")};
    if (type < 0 || type >= names.size())
        return std::nullopt;
    return type == 0 ? QStringLiteral("") : names.at(type);
}
