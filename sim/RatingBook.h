#pragma once

#include "sim/SimulatorData.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// What RateProduct decided: accepted or not (with the reason), and whether the rating earned a bonus.
struct RatingOutcome {
    bool accepted = false;
    QString problem;
    bool bonus = false;
};

// The coffee ratings: each member's rating window after a simulated purchase, the ratings given through the
// simulator and the stores' averages computed from them together with the stores' rating history.
class RatingBook {
public:
    explicit RatingBook(const SimulatorData& data);

    // A member without an open window gets one at once, as if a cup had just been bought in one of the
    // rated stores; an empty member identifier never has one.
    QJsonObject ratingState(const QString& userId, const QDateTime& now);
    RatingOutcome rate(const QString& userId, qint64 shopId, qint64 ratingId, int rating,
                       const QDateTime& now);
    QJsonArray ratings(const QDateTime& now) const;
    QJsonObject storeStats(qint64 shopId, const QDateTime& now) const;

private:
    struct Window {
        qint64 ratingId = 0;
        qint64 shopId = 0;
        QDateTime closes;
        int given = 0;
    };
    struct Rating {
        qint64 shopId = 0;
        int points = 0;
        QDateTime when;
    };
    struct Summary {
        int count = 0;
        double sum = 0;
        int twoMonthCount = 0;
        double twoMonthSum = 0;
    };

    Window& openWindow(const QString& userId, const QDateTime& now);
    QString shopName(qint64 shopId) const;
    Summary summary(const SimulatedStoreRatings& store, const QDateTime& now) const;

    const SimulatorData& m_data;
    QHash<QString, Window> m_windows; // by member identifier
    QHash<QString, int> m_ratingsByMember;
    QList<Rating> m_ratings;
    qint64 m_nextRatingId = 5000000001;
};
