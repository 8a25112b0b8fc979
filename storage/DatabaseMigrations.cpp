#include "storage/DatabaseMigrations.h"

namespace DatabaseMigrations {

const QList<QStringList>& steps() {
    static const QList<QStringList> history = {
        {
            "CREATE TABLE badges_data (id INTEGER PRIMARY KEY AUTOINCREMENT, couponId INTEGER, "
            "typeId INTEGER, isNew INTEGER)",
            "CREATE INDEX badges_data_by_type ON badges_data (typeId, isNew)",
            "CREATE TABLE store (id INTEGER PRIMARY KEY AUTOINCREMENT, storeID INTEGER, title TEXT, "
            "addressTitle TEXT, telephone TEXT, wash INTEGER, latitude REAL, longitude REAL, avRating REAL, "
            "av2MonthRating REAL, totRatings INTEGER, tot2MonthRatings INTEGER, isRatable INTEGER)",
            "CREATE INDEX store_by_number ON store (storeID)",
            "CREATE TABLE store_stats (id INTEGER PRIMARY KEY AUTOINCREMENT, storeID INTEGER, "
            "weekNumber INTEGER, avgRating REAL, \"count\" INTEGER)",
            "CREATE INDEX store_stats_by_store ON store_stats (storeID, weekNumber)",
            "CREATE TABLE rating_state (id INTEGER PRIMARY KEY AUTOINCREMENT, ratingAvailable INTEGER, "
            "timeToLive INTEGER, ratingId INTEGER, shopId INTEGER, shopName TEXT, noRatings INTEGER, "
            "remRatings INTEGER, epoch INTEGER, epochTTL INTEGER)",
        },
    };
    return history;
}

int latestVersion() {
    return int(steps().size());
}

} // namespace DatabaseMigrations
