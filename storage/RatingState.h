#pragma once

#include <QDateTime>
#include <QString>

// The member's rating allowance as the service last reported it.
struct RatingState {
    qint64 rowId = 0; // 0 until stored
    bool ratingAvailable = false;
    QDateTime timeToLive; // invalid when never written
    qint64 ratingId = 0;
    qint64 shopId = 0;
    QString shopName; // null when never written
    int noRatings = 0;
    int remRatings = 0;
    qint64 epoch = 0;
    qint64 epochTTL = 0;

    bool operator==(const RatingState&) const = default;
};
