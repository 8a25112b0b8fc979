#include "sim/MemberCoupons.h"

const SimulatedCoupon* MemberCoupons::find(const QString& couponId) const {
    for (const QList<SimulatedCoupon>& coupons : m_coupons) {
        for (const SimulatedCoupon& coupon : coupons) {
            if (coupon.id == couponId)
                return &coupon;
        }
    }
    return nullptr;
}

int MemberCoupons::count() const {
    int result = 0;
    for (const QList<SimulatedCoupon>& coupons : m_coupons)
        result += int(coupons.size());
    return result;
}
