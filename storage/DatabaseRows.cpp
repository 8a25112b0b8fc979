#include "storage/DatabaseRows.h"

#include <QTimeZone>

namespace {

// Absent text and dates are stored as SQL NULL so that they read back as absent, not as empty.
QVariant textValue(const QString& text) {
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

QVariant dateValue(const QDateTime& date) {
    return date.isValid() ? QVariant(date.toMSecsSinceEpoch()) : QVariant(QMetaType::fromType<qint64>());
}

// Reads the columns of one selected row in order, starting after the row id.
class ColumnReader {
public:
    explicit ColumnReader(const QSqlQuery& query)
        : m_query(query) {}

    qint64 rowId() const { return m_query.value(0).toLongLong(); }
    qint64 integer() { return next().toLongLong(); }
    double real() { return next().toDouble(); }
    bool boolean() { return next().toLongLong() != 0; }
    QString text() { return next().toString(); }
    QDateTime date() {
        const QVariant value = next();
        return value.isNull() ? QDateTime()
                              : QDateTime::fromMSecsSinceEpoch(value.toLongLong(), QTimeZone::utc());
    }

private:
    QVariant next() { return m_query.value(m_column++); }

    const QSqlQuery& m_query;
    int m_column = 1;
};

} // namespace

QString DatabaseRow<BadgesData>::table() {
    return QStringLiteral("badges_data");
}

QStringList DatabaseRow<BadgesData>::columns() {
    return {"couponId", "typeId", "isNew"};
}

QVariantList DatabaseRow<BadgesData>::values(const BadgesData& badge) {
    return {badge.couponId, badge.typeId, badge.isNew};
}

BadgesData DatabaseRow<BadgesData>::read(const QSqlQuery& query) {
    ColumnReader column(query);
    BadgesData badge;
    badge.rowId = column.rowId();
    badge.couponId = column.integer();
    badge.typeId = column.integer();
    badge.isNew = column.boolean();
    return badge;
}

QString DatabaseRow<Store>::table() {
    return QStringLiteral("store");
}

QStringList DatabaseRow<Store>::columns() {
    return {"storeID",        "title",      "addressTitle",     "telephone",
            "wash",           "latitude",   "longitude",        "avRating",
            "av2MonthRating", "totRatings", "tot2MonthRatings", "isRatable"};
}

QVariantList DatabaseRow<Store>::values(const Store& store) {
    return {store.storeID,
            textValue(store.title),
            textValue(store.addressTitle),
            textValue(store.telephone),
            store.wash,
            store.latitude,
            store.longitude,
            store.avRating,
            store.av2MonthRating,
            store.totRatings,
            store.tot2MonthRatings,
            store.isRatable};
}

Store DatabaseRow<Store>::read(const QSqlQuery& query) {
    ColumnReader column(query);
    Store store;
    store.rowId = column.rowId();
    store.storeID = column.integer();
    store.title = column.text();
    store.addressTitle = column.text();
    store.telephone = column.text();
    store.wash = column.boolean();
    store.latitude = column.real();
    store.longitude = column.real();
    store.avRating = column.real();
    store.av2MonthRating = column.real();
    store.totRatings = column.integer();
    store.tot2MonthRatings = column.integer();
    store.isRatable = column.boolean();
    return store;
}

QString DatabaseRow<StoreStats>::table() {
    return QStringLiteral("store_stats");
}

QStringList DatabaseRow<StoreStats>::columns() {
    return {"storeID", "weekNumber", "avgRating", "count"};
}

QVariantList DatabaseRow<StoreStats>::values(const StoreStats& stats) {
    return {stats.storeID, stats.weekNumber, stats.avgRating, stats.count};
}

StoreStats DatabaseRow<StoreStats>::read(const QSqlQuery& query) {
    ColumnReader column(query);
    StoreStats stats;
    stats.rowId = column.rowId();
    stats.storeID = column.integer();
    stats.weekNumber = int(column.integer());
    stats.avgRating = column.real();
    stats.count = column.integer();
    return stats;
}

QString DatabaseRow<RatingState>::table() {
    return QStringLiteral("rating_state");
}

QStringList DatabaseRow<RatingState>::columns() {
    return {"ratingAvailable", "timeToLive", "ratingId", "shopId",  "shopName",
            "noRatings",       "remRatings", "epoch",    "epochTTL"};
}

QVariantList DatabaseRow<RatingState>::values(const RatingState& state) {
    return {state.ratingAvailable,
            dateValue(state.timeToLive),
            state.ratingId,
            state.shopId,
            textValue(state.shopName),
            state.noRatings,
            state.remRatings,
            state.epoch,
            state.epochTTL};
}

RatingState DatabaseRow<RatingState>::read(const QSqlQuery& query) {
    ColumnReader column(query);
    RatingState state;
    state.rowId = column.rowId();
    state.ratingAvailable = column.boolean();
    state.timeToLive = column.date();
    state.ratingId = column.integer();
    state.shopId = column.integer();
    state.shopName = column.text();
    state.noRatings = int(column.integer());
    state.remRatings = int(column.integer());
    state.epoch = column.integer();
    state.epochTTL = column.integer();
    return state;
}
