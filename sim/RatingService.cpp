#include "sim/RatingService.h"

#include "sim/ServiceSignature.h"
#include "sim/SoapMessage.h"

#include <QDateTime>
#include <QHash>
#include <QJsonDocument>

namespace {

const QString applicationCode = QStringLiteral("app_KRV");

const QHash<QString, QStringList>& parameterNames() {
    static const QHash<QString, QStringList> names = {
        {QStringLiteral("RatingState"),
         {QStringLiteral("AppId"), QStringLiteral("UserID"), QStringLiteral("Universe")}},
        {QStringLiteral("Ratings"),
         {QStringLiteral("AppId"), QStringLiteral("UserID"), QStringLiteral("Universe")}},
        {QStringLiteral("StoreStats"),
         {QStringLiteral("AppId"), QStringLiteral("UserID"), QStringLiteral("ShopId"),
          QStringLiteral("Universe")}},
        {QStringLiteral("RateProduct"), RatingService::rateProductParameters()}};
    return names;
}

QByteArray json(const QJsonValue& value) {
    return value.isArray() ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact)
                           : QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
}

SimulatedCoupon freeCoffee(const QString& id) {
    SimulatedCoupon coupon;
    coupon.id = id;
    coupon.typeId = 146;
    coupon.title = QStringLiteral("Gratis kaffe");
    coupon.price = QStringLiteral("0,-");
    coupon.subText = QStringLiteral("Takk for at du vurderte kaffen vår!");
    coupon.text = QStringLiteral("Verdikupong for én kaffe i valgfri størrelse. Kan brukes én gang.");
    coupon.version = 1;
    coupon.expires = QDateTime::currentDateTime().addDays(14);
    coupon.universe = QStringLiteral("KAFFE");
    return coupon;
}

} // namespace

RatingService::RatingService(RatingBook& ratings, MemberCoupons& memberCoupons, QString secret)
    : m_ratings(ratings)
    , m_memberCoupons(memberCoupons)
    , m_secret(std::move(secret)) {}

const QStringList& RatingService::operations() {
    static const QStringList names = {QStringLiteral("RateProduct"), QStringLiteral("RatingState"),
                                      QStringLiteral("Ratings"), QStringLiteral("StoreStats")};
    return names;
}

QStringList RatingService::rateProductParameters() {
    return {QStringLiteral("AppId"), QStringLiteral("UserId"), QStringLiteral("ShopId"),
            QStringLiteral("RatingId"), QStringLiteral("Rating")};
}

SimulatedAnswer RatingService::refusal(int id, const QString& message) {
    return SimulatedAnswer::xml(SoapAnswer::errorElement(id, message).toUtf8(), id);
}

SimulatedAnswer RatingService::answer(const RatingCall& call) {
    if (!parameterNames().contains(call.operation))
        return refusal(404, QStringLiteral("Unknown operation %1").arg(call.operation));
    for (const QString& name : parameterNames().value(call.operation)) {
        if (!call.value(name))
            return refusal(400, QStringLiteral("Missing parameter %1").arg(name));
    }
    if (call.signature.value_or(QString()) != ServiceSignature::compute(call.values(), m_secret))
        return refusal(403, QStringLiteral("Invalid signature"));
    if (*call.value(QStringLiteral("AppId")) != applicationCode)
        return refusal(400, QStringLiteral("Unknown AppId"));

    const QDateTime now = QDateTime::currentDateTime();
    if (call.operation == QLatin1String("RateProduct"))
        return rateProduct(call);
    const QString userId = *call.value(QStringLiteral("UserID"));
    if (call.operation == QLatin1String("RatingState"))
        return SimulatedAnswer::json(json(m_ratings.ratingState(userId, now)));
    if (call.operation == QLatin1String("Ratings"))
        return SimulatedAnswer::json(json(m_ratings.ratings(now)));
    bool isNumber = false;
    const qint64 shopId = call.value(QStringLiteral("ShopId"))->toLongLong(&isNumber);
    if (!isNumber)
        return refusal(400, QStringLiteral("ShopId must be a number"));
    return SimulatedAnswer::json(json(m_ratings.storeStats(shopId, now)));
}

SimulatedAnswer RatingService::rateProduct(const RatingCall& call) {
    bool shopIsNumber = false;
    bool ratingIdIsNumber = false;
    bool ratingIsNumber = false;
    const qint64 shopId = call.value(QStringLiteral("ShopId"))->toLongLong(&shopIsNumber);
    const qint64 ratingId = call.value(QStringLiteral("RatingId"))->toLongLong(&ratingIdIsNumber);
    const int rating = call.value(QStringLiteral("Rating"))->toInt(&ratingIsNumber);
    if (!shopIsNumber || !ratingIdIsNumber || !ratingIsNumber)
        return refusal(400, QStringLiteral("ShopId, RatingId and Rating must be numbers"));
    const QString userId = *call.value(QStringLiteral("UserId"));
    const RatingOutcome outcome =
        m_ratings.rate(userId, shopId, ratingId, rating, QDateTime::currentDateTime());
    if (!outcome.accepted)
        return refusal(409, outcome.problem);
    if (outcome.bonus)
        m_memberCoupons.give(userId, freeCoffee(QString::number(m_nextBonusCoupon++)));
    return SimulatedAnswer::json(json(QJsonObject{{QStringLiteral("Bonus"), outcome.bonus},
                                                  {QStringLiteral("RatingId"), ratingId},
                                                  {QStringLiteral("ShopId"), shopId},
                                                  {QStringLiteral("Rating"), rating}}));
}
