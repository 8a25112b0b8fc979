#pragma once

#include "storage/BadgesData.h"
#include "storage/RatingState.h"
#include "storage/Store.h"
#include "storage/StoreStats.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

// How each entity lies in its table: the table name, its columns after the row id (in this order),
// the values to write and the entity read back from a query selecting id followed by those columns.
template <typename Entity> struct DatabaseRow;

template <> struct DatabaseRow<BadgesData> {
    static QString table();
    static QStringList columns();
    static QVariantList values(const BadgesData& badge);
    static BadgesData read(const QSqlQuery& query);
};

template <> struct DatabaseRow<Store> {
    static QString table();
    static QStringList columns();
    static QVariantList values(const Store& store);
    static Store read(const QSqlQuery& query);
};

template <> struct DatabaseRow<StoreStats> {
    static QString table();
    static QStringList columns();
    static QVariantList values(const StoreStats& stats);
    static StoreStats read(const QSqlQuery& query);
};

template <> struct DatabaseRow<RatingState> {
    static QString table();
    static QStringList columns();
    static QVariantList values(const RatingState& state);
    static RatingState read(const QSqlQuery& query);
};
