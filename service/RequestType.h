#pragma once

#include <QString>

#include <optional>

// The kind of call a request record carries; it selects the parse operation when the answer arrives.
enum RequestType {
    RequestTypeInitializeApp = 0,
    RequestTypeRegisterUser = 1,
    RequestTypeRegisterUserConfirm = 2,
    RequestTypePostalCodeUpdate = 3,
    RequestTypeGetAllCoupons = 4,
    RequestTypeGetLoyaltyCards = 5,
    RequestTypeGetNews = 6,
    RequestTypeGetOffers = 7,
    RequestTypeGetPromotions = 8,
    RequestTypeGetRewards = 9,
    RequestTypeGetStoreLocations = 10,
    RequestTypeGetCouponForFriend = 11,
    RequestTypeGetSplashAd = 12,
    RequestTypeGetUserInfo = 13,
    RequestTypeGetRatingState = 14,
    RequestTypeGetRateProduct = 15,
    RequestTypeGetRatings = 16,
    RequestTypeGetStoreStatus = 17,
};

// The display name of a request type for log lines: empty for 0, nothing outside 0 to 17.
std::optional<QString> requestTypeName(int type);
