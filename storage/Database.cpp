#include "storage/Database.h"

#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "storage/DatabaseMigrations.h"
#include "storage/DatabaseRows.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <memory>

namespace {

std::unique_ptr<Database>& sharedInstance() {
    static std::unique_ptr<Database> instance;
    return instance;
}

QString uniqueConnectionName() {
    static int made = 0;
    return QStringLiteral("korvo.database.%1").arg(++made);
}

QString quotedColumns(const QStringList& columns) {
    QStringList quoted;
    for (const QString& column : columns)
        quoted.append(u'"' + column + u'"');
    return quoted.join(u", ");
}

QString placeholders(qsizetype count) {
    return QStringList(count, QStringLiteral("?")).join(u", ");
}

template <typename Entity> QString insertStatement() {
    using Row = DatabaseRow<Entity>;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(Row::table(), quotedColumns(Row::columns()), placeholders(Row::columns().size()));
}

template <typename Entity> QString updateStatement() {
    using Row = DatabaseRow<Entity>;
    QStringList assignments;
    for (const QString& column : Row::columns())
        assignments.append(u'"' + column + QStringLiteral("\" = ?"));
    return QStringLiteral("UPDATE %1 SET %2 WHERE id = ?").arg(Row::table(), assignments.join(u", "));
}

QString failure(const QSqlQuery& query) {
    return QStringLiteral("%1 (%2)").arg(query.lastError().text(), query.lastQuery());
}

bool execute(QSqlQuery& query, const QVariantList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i)
        query.bindValue(int(i), arguments.at(i));
    return query.exec();
}

QString typeCondition(const QList<qint64>& typeIds) {
    return QStringLiteral("typeId IN (%1) AND isNew = 1").arg(placeholders(typeIds.size()));
}

QVariantList asArguments(const QList<qint64>& numbers) {
    QVariantList arguments;
    for (qint64 number : numbers)
        arguments.append(number);
    return arguments;
}

} // namespace

Database& Database::shared() {
    std::unique_ptr<Database>& instance = sharedInstance();
    if (!instance)
        instance = std::make_unique<Database>(QDir(Paths::documentsDirectory()).filePath(fileName));
    return *instance;
}

void Database::resetShared() {
    sharedInstance().reset();
}

Database::Database(const QString& filePath)
    : m_filePath(filePath)
    , m_connectionName(uniqueConnectionName()) {
    open();
}

Database::~Database() {
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void Database::open() {
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_database.setDatabaseName(m_filePath);
    if (!m_database.open()) {
        DebugLog::write(QStringLiteral("Database error: cannot open %1: %2")
                            .arg(m_filePath, m_database.lastError().text()));
        return;
    }
    if (!migrate())
        m_database.close();
}

bool Database::migrate() {
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        DebugLog::write(QStringLiteral("Database error: cannot read %1: %2").arg(m_filePath, failure(query)));
        return false;
    }
    const int version = query.value(0).toInt();
    const int latest = DatabaseMigrations::latestVersion();
    if (version > latest) {
        // Written by a newer release: its tables are a superset of ours, so keep using them unchanged.
        DebugLog::write(QStringLiteral("Database: %1 has schema version %2, newer than %3")
                            .arg(m_filePath)
                            .arg(version)
                            .arg(latest));
        return true;
    }
    if (version == latest)
        return true;
    return inTransaction(QStringLiteral("migration from version %1").arg(version), [&]() -> QString {
        QSqlQuery step(m_database);
        for (int next = version; next < latest; ++next) {
            for (const QString& statement : DatabaseMigrations::steps().at(next)) {
                if (!step.exec(statement))
                    return failure(step);
            }
        }
        if (!step.exec(QStringLiteral("PRAGMA user_version = %1").arg(latest)))
            return failure(step);
        return {};
    });
}

bool Database::inTransaction(const QString& operation, const std::function<QString()>& work) {
    if (!m_database.isOpen()) {
        DebugLog::write(QStringLiteral("Database error: %1 failed: database not open").arg(operation));
        return false;
    }
    if (!m_database.transaction()) {
        DebugLog::write(
            QStringLiteral("Database error: %1 failed: %2").arg(operation, m_database.lastError().text()));
        return false;
    }
    QString error = work();
    if (error.isEmpty() && !m_database.commit())
        error = m_database.lastError().text();
    if (error.isEmpty())
        return true;
    m_database.rollback();
    DebugLog::write(QStringLiteral("Database error: %1 failed: %2").arg(operation, error));
    return false;
}

template <typename Entity>
QList<Entity> Database::select(const QString& condition, const QVariantList& arguments,
                               const QString& order) const {
    using Row = DatabaseRow<Entity>;
    if (!isOpen())
        return {};
    QString statement =
        QStringLiteral("SELECT id, %1 FROM %2").arg(quotedColumns(Row::columns()), Row::table());
    if (!condition.isEmpty())
        statement += QStringLiteral(" WHERE ") + condition;
    statement += QStringLiteral(" ORDER BY ") + order;

    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.prepare(statement) || !execute(query, arguments)) {
        DebugLog::write(
            QStringLiteral("Database error: reading %1 failed: %2").arg(Row::table(), failure(query)));
        return {};
    }
    QList<Entity> rows;
    while (query.next())
        rows.append(Row::read(query));
    return rows;
}

template <typename Entity> bool Database::save(const QString& operation, std::span<Entity> rows) {
    using Row = DatabaseRow<Entity>;
    // Row ids are handed out only once the transaction is committed, so a failed save leaves the
    // caller's objects exactly as they were.
    QList<qint64> insertedIds(qsizetype(rows.size()), 0);
    const bool saved = inTransaction(operation, [&]() -> QString {
        QSqlQuery insert(m_database);
        QSqlQuery update(m_database);
        if (!insert.prepare(insertStatement<Entity>()))
            return failure(insert);
        if (!update.prepare(updateStatement<Entity>()))
            return failure(update);
        for (size_t i = 0; i < rows.size(); ++i) {
            const Entity& row = rows[i];
            QVariantList values = Row::values(row);
            if (row.rowId == 0) {
                if (!execute(insert, values))
                    return failure(insert);
                insertedIds[qsizetype(i)] = insert.lastInsertId().toLongLong();
                continue;
            }
            values.append(row.rowId);
            if (!execute(update, values))
                return failure(update);
            if (update.numRowsAffected() != 1)
                return QStringLiteral("row %1 of %2 no longer exists").arg(row.rowId).arg(Row::table());
        }
        return {};
    });
    if (!saved)
        return false;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].rowId == 0)
            rows[i].rowId = insertedIds.at(qsizetype(i));
    }
    return true;
}

QList<BadgesData> Database::fetchAllBadges() const {
    return select<BadgesData>({}, {}, QStringLiteral("id"));
}

int Database::countNewBadges(const QList<qint64>& typeIds) const {
    if (!isOpen() || typeIds.isEmpty())
        return 0;
    QSqlQuery query(m_database);
    if (!query.prepare(QStringLiteral("SELECT COUNT(*) FROM badges_data WHERE ") + typeCondition(typeIds)) ||
        !execute(query, asArguments(typeIds)) || !query.next()) {
        DebugLog::write(QStringLiteral("Database error: counting new badges failed: %1").arg(failure(query)));
        return 0;
    }
    return query.value(0).toInt();
}

bool Database::clearNewBadges(const QList<qint64>& typeIds) {
    if (typeIds.isEmpty())
        return true;
    return inTransaction(QStringLiteral("clearing new badges"), [&]() -> QString {
        QSqlQuery query(m_database);
        if (!query.prepare(QStringLiteral("UPDATE badges_data SET isNew = 0 WHERE ") +
                           typeCondition(typeIds)) ||
            !execute(query, asArguments(typeIds)))
            return failure(query);
        return {};
    });
}

QList<Store> Database::fetchAllStores() const {
    return select<Store>({}, {}, QStringLiteral("id"));
}

QList<Store> Database::ratableStores() const {
    return select<Store>(QStringLiteral("isRatable = 1 AND title IS NOT NULL"), {},
                         QStringLiteral("storeID, id"));
}

QList<StoreStats> Database::storeStats(qint64 storeID, bool ascending) const {
    return select<StoreStats>(QStringLiteral("storeID = ?"), {storeID},
                              ascending ? QStringLiteral("weekNumber ASC, id")
                                        : QStringLiteral("weekNumber DESC, id"));
}

std::optional<RatingState> Database::lastRatingState() const {
    const QList<RatingState> states = select<RatingState>({}, {}, QStringLiteral("id"));
    if (states.isEmpty())
        return std::nullopt;
    return states.last();
}

bool Database::saveBadges(QList<BadgesData>& badges) {
    return save(QStringLiteral("saving badges"), std::span<BadgesData>(badges.data(), size_t(badges.size())));
}

bool Database::saveStores(QList<Store>& stores) {
    return save(QStringLiteral("saving stores"), std::span<Store>(stores.data(), size_t(stores.size())));
}

bool Database::saveStoreStats(QList<StoreStats>& stats) {
    return save(QStringLiteral("saving store statistics"),
                std::span<StoreStats>(stats.data(), size_t(stats.size())));
}

bool Database::saveRatingState(RatingState& state) {
    return save(QStringLiteral("saving the rating state"), std::span<RatingState>(&state, 1));
}

bool Database::deleteBadgesAndRatingStates() {
    return inTransaction(QStringLiteral("log-out clean-up"), [&]() -> QString {
        QSqlQuery query(m_database);
        if (!query.exec(QStringLiteral("DELETE FROM badges_data")))
            return failure(query);
        if (!query.exec(QStringLiteral("DELETE FROM rating_state")))
            return failure(query);
        return {};
    });
}
