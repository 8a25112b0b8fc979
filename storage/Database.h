#pragma once

#include "storage/BadgesData.h"
#include "storage/RatingState.h"
#include "storage/Store.h"
#include "storage/StoreStats.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>
#include <span>

// The local database: badge flags, stores with their ratings, weekly store statistics and the rating
// allowance, in one SQLite file. Every save is one transaction: it is written whole or, after a failure
// (logged), not at all. Rows with rowId 0 are inserted and receive their rowId; other rows are updated.
// Main thread only.
class Database {
public:
    static constexpr auto fileName = "RatingDataBase.sqlite";

    // The database of the documents directory, opened on first use.
    static Database& shared();
    // Closes the shared database, so that the next shared() reopens it (tests, a new home).
    static void resetShared();

    // Opens (creating when missing) the file and brings its schema up to date.
    explicit Database(const QString& filePath);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // False when the file could not be opened or migrated; reads then give nothing and saves fail.
    bool isOpen() const { return m_database.isOpen(); }
    QString filePath() const { return m_filePath; }

    QList<BadgesData> fetchAllBadges() const;
    // Flags still new among the given coupon types.
    int countNewBadges(const QList<qint64>& typeIds) const;
    bool clearNewBadges(const QList<qint64>& typeIds);

    QList<Store> fetchAllStores() const;
    // Stores of the last ratings answer that have a name, by storeID.
    QList<Store> ratableStores() const;
    // One store's weeks by weekNumber.
    QList<StoreStats> storeStats(qint64 storeID, bool ascending) const;
    // The allowance last stored; nothing before the first one or after log-out.
    std::optional<RatingState> lastRatingState() const;

    bool saveBadges(QList<BadgesData>& badges);
    bool saveStores(QList<Store>& stores);
    bool saveStoreStats(QList<StoreStats>& stats);
    bool saveRatingState(RatingState& state);

    // Log-out: forgets the badge flags and the rating allowance; stores and statistics stay.
    bool deleteBadgesAndRatingStates();

private:
    void open();
    bool migrate();
    // Runs work (which answers an error text, empty on success) in one transaction; rolls back and logs on
    // error.
    bool inTransaction(const QString& operation, const std::function<QString()>& work);
    template <typename Entity>
    QList<Entity> select(const QString& condition, const QVariantList& arguments, const QString& order) const;
    template <typename Entity> bool save(const QString& operation, std::span<Entity> rows);

    QString m_filePath;
    QString m_connectionName;
    QSqlDatabase m_database;
};
