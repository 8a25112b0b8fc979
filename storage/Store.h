#pragma once

#include <QString>

// One store of the chain with its coffee-rating summary. A null text is an attribute never written.
struct Store {
    qint64 rowId = 0; // 0 until stored
    qint64 storeID = 0;
    QString title;
    QString addressTitle;
    QString telephone;
    bool wash = false;
    double latitude = 0;
    double longitude = 0;
    double avRating = 0;
    double av2MonthRating = 0;
    qint64 totRatings = 0;
    qint64 tot2MonthRatings = 0;
    bool isRatable = false;

    bool operator==(const Store&) const = default;
};
