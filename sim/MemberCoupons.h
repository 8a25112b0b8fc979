#pragma once

#include "sim/SimulatorData.h"

#include <QHash>
#include <QList>
#include <QString>

// Coupons that belong to one member only, such as the free coffee earned by rating.
class MemberCoupons {
public:
    void give(const QString& userId, const SimulatedCoupon& coupon) { m_coupons[userId].append(coupon); }
    QList<SimulatedCoupon> of(const QString& userId) const { return m_coupons.value(userId); }
    const SimulatedCoupon* find(const QString& couponId) const;
    int count() const;

private:
    QHash<QString, QList<SimulatedCoupon>> m_coupons;
};
