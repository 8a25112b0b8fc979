#pragma once

#include "sim/MemberCoupons.h"
#include "sim/RatingBook.h"
#include "sim/RatingCall.h"
#include "sim/SimulatedAnswer.h"

#include <QString>
#include <QStringList>

// The JSON rating interface: checks a call's parameters and signature and answers from the rating book.
// A refused call is answered with an `error` element, which the client looks for in every answer.
class RatingService {
public:
    RatingService(RatingBook& ratings, MemberCoupons& memberCoupons, QString secret);

    static const QStringList& operations();
    static QStringList rateProductParameters();

    SimulatedAnswer answer(const RatingCall& call);
    static SimulatedAnswer refusal(int id, const QString& message);

private:
    SimulatedAnswer rateProduct(const RatingCall& call);

    RatingBook& m_ratings;
    MemberCoupons& m_memberCoupons;
    QString m_secret;
    int m_nextBonusCoupon = 990001;
};
