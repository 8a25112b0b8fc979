#pragma once

#include <QtGlobal>

// One store's average rating for one week.
struct StoreStats {
    qint64 rowId = 0; // 0 until stored
    qint64 storeID = 0;
    int weekNumber = 0;
    double avgRating = 0;
    qint64 count = 0;

    bool operator==(const StoreStats&) const = default;
};
