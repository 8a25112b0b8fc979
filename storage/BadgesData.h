#pragma once

#include <QtGlobal>

// One coupon the member has been told about; isNew stays set until its coupon list is opened.
struct BadgesData {
    qint64 rowId = 0; // 0 until stored
    qint64 couponId = 0;
    qint64 typeId = 0;
    bool isNew = false;

    bool operator==(const BadgesData&) const = default;
};
