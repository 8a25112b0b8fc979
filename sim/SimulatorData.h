#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// One coupon of the demo set: what the service answers about it and what its card picture shows.
struct SimulatedCoupon {
    QString id;
    int typeId = 0;
    std::optional<int> amountLeft;
    QString text;
    QString subText;
    int version = 0;
    QDateTime expires; // invalid: the coupon does not expire
    QString universe;
    bool redeemed = false;
    // Drawn on the card only.
    QString title;
    QString price;
    int stamps = 0;
    int stampsNeeded = 0;
};

struct SimulatedNewsItem {
    QString id;
    QString title;
    QString text;
    QString url; // a path starting with "/" is served by the simulator itself
};

struct SimulatedStore {
    qint64 id = 0;
    QString type; // "KRV" or "BRENNOR"
    QString name;
    QString address;
    QString telephone;
    bool wash = false;
    double latitude = 0;
    double longitude = 0;
};

struct SimulatedRatingWeek {
    int count = 0;
    double average = 0;
};

// The rating history a store has before anyone rates through the simulator, one entry per week,
// the oldest first and the last one being the current week.
struct SimulatedStoreRatings {
    qint64 shopId = 0;
    QList<SimulatedRatingWeek> weeks;
};

struct SimulatedSplash {
    QString title;
    QString text;
    int version = 1;
};

// Everything the simulated service knows before the first request: coupons, news, stores, rating history
// and a few texts. Relative expiry times are fixed against the moment the set was loaded, so a countdown
// keeps running down across requests.
struct SimulatorData {
    QList<SimulatedCoupon> coupons;
    QList<SimulatedNewsItem> news;
    QList<SimulatedStore> stores;
    QList<SimulatedStoreRatings> storeRatings;
    int ratingWindowMinutes = 120;
    int ratingsPerWindow = 5;
    int bonusEvery = 3;
    SimulatedSplash splash;
    QString giveAwayText;        // "%1" receives the coupon's title
    QString giveAwayUnknownText; // for a coupon the service does not know

    const SimulatedCoupon* coupon(const QString& id) const;
    const SimulatedStore* store(qint64 id) const;

    // The set compiled into the program.
    static SimulatorData builtIn();
    // The built-in set with every file found in the directory (coupons.json, news.json, stores.json,
    // ratings.json, service.json) replacing its built-in namesake. On failure, *error names the file and
    // what is wrong with it.
    static std::optional<SimulatorData> fromDirectory(const QString& directory, QString* error);
};
