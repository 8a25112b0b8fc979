#include "sim/RatingBook.h"

#include <QCryptographicHash>
#include <QTimeZone>

#include <cmath>

namespace {

// "Two months" of the rating list, in whole weeks.
constexpr int twoMonthWeeks = 9;

double rounded(double value) {
    return std::round(value * 100) / 100;
}

QString timeToLive(const QDateTime& moment) {
    return moment.toTimeZone(QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")) +
           QStringLiteral("0000");
}

} // namespace

RatingBook::RatingBook(const SimulatorData& data)
    : m_data(data) {}

QString RatingBook::shopName(qint64 shopId) const {
    const SimulatedStore* store = m_data.store(shopId);
    return store ? store->name : QStringLiteral("Korvo Store %1").arg(shopId);
}

RatingBook::Window& RatingBook::openWindow(const QString& userId, const QDateTime& now) {
    Window& window = m_windows[userId];
    if (window.ratingId != 0 && window.closes > now)
        return window;
    // Each new purchase happens in another of the rated stores, the same sequence for the same member.
    const QByteArray digest = QCryptographicHash::hash(userId.toUtf8(), QCryptographicHash::Md5);
    const qint64 stores = m_data.storeRatings.size();
    const qint64 index = (qint64(quint8(digest.at(0))) + m_nextRatingId) % qMax<qint64>(stores, 1);
    window.ratingId = m_nextRatingId++;
    window.shopId = stores > 0 ? m_data.storeRatings.at(index).shopId : 0;
    window.closes = now.addSecs(qint64(m_data.ratingWindowMinutes) * 60);
    window.given = 0;
    return window;
}

QJsonObject RatingBook::ratingState(const QString& userId, const QDateTime& now) {
    const qint64 epoch = now.toSecsSinceEpoch();
    QJsonObject state{{QStringLiteral("Epoch"), epoch}};
    if (userId.isEmpty() || m_data.storeRatings.isEmpty()) {
        state.insert(QStringLiteral("RatingAvailable"), false);
        state.insert(QStringLiteral("TimeToLive"), timeToLive(now));
        state.insert(QStringLiteral("RatingId"), 0);
        state.insert(QStringLiteral("ShopId"), 0);
        state.insert(QStringLiteral("NoRatings"), 0);
        state.insert(QStringLiteral("RemRatings"), 0);
        state.insert(QStringLiteral("EpochTTL"), epoch);
        state.insert(QStringLiteral("ShopName"), QString());
        return state;
    }
    const Window& window = openWindow(userId, now);
    const int remaining = m_data.ratingsPerWindow - window.given;
    const bool available = remaining > 0;
    state.insert(QStringLiteral("RatingAvailable"), available);
    state.insert(QStringLiteral("TimeToLive"), timeToLive(window.closes));
    state.insert(QStringLiteral("RatingId"), window.ratingId);
    state.insert(QStringLiteral("ShopId"), window.shopId);
    state.insert(QStringLiteral("NoRatings"), window.given);
    state.insert(QStringLiteral("RemRatings"), remaining);
    // A used-up window reads as closed: its end is now.
    state.insert(QStringLiteral("EpochTTL"), available ? window.closes.toSecsSinceEpoch() : epoch);
    state.insert(QStringLiteral("ShopName"), shopName(window.shopId));
    return state;
}

RatingOutcome RatingBook::rate(const QString& userId, qint64 shopId, qint64 ratingId, int rating,
                               const QDateTime& now) {
    const auto window = m_windows.find(userId);
    if (userId.isEmpty() || window == m_windows.end() || window->ratingId != ratingId ||
        window->closes <= now)
        return {false, QStringLiteral("No rating is open for this purchase"), false};
    if (window->shopId != shopId)
        return {false, QStringLiteral("The purchase was made in another store"), false};
    if (rating < 1 || rating > 5)
        return {false, QStringLiteral("A rating is from 1 to 5"), false};
    if (window->given >= m_data.ratingsPerWindow)
        return {false, QStringLiteral("No ratings are left for this purchase"), false};
    ++window->given;
    m_ratings.append({shopId, rating, now});
    const int given = ++m_ratingsByMember[userId];
    return {true, {}, given % m_data.bonusEvery == 0};
}

RatingBook::Summary RatingBook::summary(const SimulatedStoreRatings& store, const QDateTime& now) const {
    Summary result;
    const qsizetype weeks = store.weeks.size();
    for (qsizetype index = 0; index < weeks; ++index) {
        const SimulatedRatingWeek& week = store.weeks.at(index);
        result.count += week.count;
        result.sum += week.count * week.average;
        if (index >= weeks - twoMonthWeeks) {
            result.twoMonthCount += week.count;
            result.twoMonthSum += week.count * week.average;
        }
    }
    for (const Rating& rating : m_ratings) {
        if (rating.shopId != store.shopId)
            continue;
        result.count += 1;
        result.sum += rating.points;
        if (rating.when.daysTo(now) < twoMonthWeeks * 7) {
            result.twoMonthCount += 1;
            result.twoMonthSum += rating.points;
        }
    }
    return result;
}

QJsonArray RatingBook::ratings(const QDateTime& now) const {
    QJsonArray result;
    for (const SimulatedStoreRatings& store : m_data.storeRatings) {
        const Summary totals = summary(store, now);
        result.append(
            QJsonObject{{QStringLiteral("ShopId"), store.shopId},
                        {QStringLiteral("ShopName"), shopName(store.shopId)},
                        {QStringLiteral("AvRating"), totals.count ? rounded(totals.sum / totals.count) : 0.0},
                        {QStringLiteral("Av2MonthRating"),
                         totals.twoMonthCount ? rounded(totals.twoMonthSum / totals.twoMonthCount) : 0.0},
                        {QStringLiteral("TotRatings"), totals.count},
                        {QStringLiteral("Tot2MonthRatings"), totals.twoMonthCount}});
    }
    return result;
}

QJsonObject RatingBook::storeStats(qint64 shopId, const QDateTime& now) const {
    QJsonArray weeks;
    for (const SimulatedStoreRatings& store : m_data.storeRatings) {
        if (store.shopId != shopId)
            continue;
        const qsizetype count = store.weeks.size();
        for (qsizetype index = 0; index < count; ++index) {
            const SimulatedRatingWeek& seed = store.weeks.at(index);
            const QDate day = now.date().addDays(-7 * (count - 1 - index));
            int ratings = seed.count;
            double sum = seed.count * seed.average;
            for (const Rating& rating : m_ratings) {
                if (rating.shopId == shopId && rating.when.date().weekNumber() == day.weekNumber() &&
                    qAbs(rating.when.date().daysTo(day)) < 7) {
                    ++ratings;
                    sum += rating.points;
                }
            }
            weeks.append(QJsonObject{{QStringLiteral("WeekNr"), day.weekNumber()},
                                     {QStringLiteral("AvgRating"), ratings ? rounded(sum / ratings) : 0.0},
                                     {QStringLiteral("Count"), ratings}});
        }
    }
    return {{QStringLiteral("ShopId"), shopId}, {QStringLiteral("WeekRatings"), weeks}};
}
