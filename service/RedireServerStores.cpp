// Store locations from the coupon service and the coffee ratings of the rating interface.
#include "service/RedireServer.h"

#include "platform/DebugLog.h"
#include "platform/NotificationCenter.h"
#include "service/RedireManager.h"
#include "service/RedireNotifications.h"
#include "service/RequestType.h"
#include "storage/Database.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>

namespace {

const QString applicationCode = QStringLiteral("app_KRV");
const QString coffeeUniverse = QStringLiteral("KAFFE");

std::optional<QJsonDocument> decodeJson(const QString& response) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(response.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return document;
}

// Numbers may come as integers, decimals or numeric text; anything else reads as 0.
double doubleOf(const QJsonValue& value) {
    return value.isString() ? value.toString().toDouble() : value.toDouble();
}

qint64 integerOf(const QJsonValue& value) {
    return value.isString() ? value.toString().toLongLong() : qint64(value.toDouble());
}

// "yyyy-MM-dd'T'HH:mm:ss.SSSSSSS" in GMT; QDateTime reads at most milliseconds, so the rest is cut.
QDateTime parseTimeToLive(const QJsonValue& value) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2})\\.(\\d{1,7})$"));
    const QRegularExpressionMatch match = form.match(value.toString());
    if (!match.hasMatch())
        return {};
    QDateTime moment = QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!moment.isValid())
        return {};
    moment.setTimeZone(QTimeZone::utc());
    const QString fraction = (match.captured(2) + QStringLiteral("00")).left(3);
    return moment.addMSecs(fraction.toInt());
}

// The last of the objects fetched before the answer whose key matches: a hash from key to positions.
template <typename Entity, typename KeyOf>
QHash<qint64, qsizetype> lastPositions(const QList<Entity>& entities, KeyOf keyOf) {
    QHash<qint64, qsizetype> positions;
    positions.reserve(entities.size());
    for (qsizetype i = 0; i < entities.size(); ++i)
        positions.insert(keyOf(entities.at(i)), i);
    return positions;
}

} // namespace

void RedireServer::getStoresLocationsForType(const QString& type) {
    addConnectionWithParameters(makeRecord(QStringLiteral("GetStoreLocations"),
                                           {QStringLiteral("UserID"), QStringLiteral("Type")},
                                           {userIdOrEmpty(), type}, RequestTypeGetStoreLocations));
}

void RedireServer::requestRatingState() {
    addConnectionWithParameters(
        makeRatingRecord(QStringLiteral("RatingState"),
                         {QStringLiteral("AppId"), QStringLiteral("UserID"), QStringLiteral("Universe")},
                         {applicationCode, userIdOrEmpty(), coffeeUniverse}, RequestTypeGetRatingState));
}

void RedireServer::requestRatings() {
    addConnectionWithParameters(
        makeRatingRecord(QStringLiteral("Ratings"),
                         {QStringLiteral("AppId"), QStringLiteral("UserID"), QStringLiteral("Universe")},
                         {applicationCode, userIdOrEmpty(), coffeeUniverse}, RequestTypeGetRatings));
}

void RedireServer::requestStoreStats(qint64 storeId) {
    addConnectionWithParameters(makeRatingRecord(QStringLiteral("StoreStats"),
                                                 {QStringLiteral("AppId"), QStringLiteral("UserID"),
                                                  QStringLiteral("ShopId"), QStringLiteral("Universe")},
                                                 {applicationCode, userIdOrEmpty(), storeId, coffeeUniverse},
                                                 RequestTypeGetStoreStatus));
}

void RedireServer::requestRateProductWithRatingId(qint64 ratingId, int rating, qint64 shopId) {
    addConnectionWithParameters(makeRatingRecord(
        QStringLiteral("RateProduct"),
        {QStringLiteral("AppId"), QStringLiteral("UserId"), QStringLiteral("ShopId"),
         QStringLiteral("RatingId"), QStringLiteral("Rating")},
        {applicationCode, userIdOrEmpty(), shopId, ratingId, rating}, RequestTypeGetRateProduct));
}

void RedireServer::parseStoreLocations(const QString& response) {
    Database& database = Database::shared();
    QList<Store> stores = database.fetchAllStores();
    const QHash<qint64, qsizetype> fetched =
        lastPositions(stores, [](const Store& store) { return store.storeID; });

    const ElementRecords records =
        RedireManager::parseXMLFrom(response, QStringLiteral("store")).value_or(ElementRecords());
    QList<StoreAnnotation> annotations;
    annotations.reserve(records.size());
    for (const QVariantMap& record : records) {
        const QString identifier = record.value(QStringLiteral("id")).toString();
        if (identifier.isEmpty())
            continue;
        const qint64 storeId = identifier.toLongLong();
        annotations.append(StoreAnnotation(record));

        const auto match = fetched.constFind(storeId);
        if (match == fetched.constEnd()) {
            Store created;
            created.storeID = storeId;
            stores.append(created);
        }
        Store& store = match == fetched.constEnd() ? stores.last() : stores[*match];
        // The pin and the stored store read a position the same way; a malformed one leaves the store's.
        if (record.value(QStringLiteral("location")).toString().split(QLatin1Char(',')).size() == 2) {
            store.latitude = annotations.last().coordinate().latitude;
            store.longitude = annotations.last().coordinate().longitude;
        }
        store.title = record.value(QStringLiteral("name")).toString();
        store.addressTitle = record.value(QStringLiteral("address")).toString();
        store.telephone = record.value(QStringLiteral("telephone")).toString();
        store.wash = record.value(QStringLiteral("wash")).toString() == QLatin1String("TRUE");
    }
    database.saveStores(stores);
    m_arrayStoreLocations = annotations;

    const ElementRecords storeLists =
        RedireManager::parseXMLFrom(response, QStringLiteral("stores")).value_or(ElementRecords());
    const QString type = storeLists.isEmpty() ? QStringLiteral("KORVO STORE")
                                              : storeLists.last().value(QStringLiteral("type")).toString();
    NotificationCenter::defaultCenter().postNotification(
        RedireStoreLocationsNotification, QVariant::fromValue<QObject*>(this),
        {{StoresAnnotationArrayKey, QVariant::fromValue(annotations)}, {StoreTypeKey, type}});
}

void RedireServer::parseRatingState(const QString& response) {
    const std::optional<QJsonDocument> document = decodeJson(response);
    if (!document || !document->isObject()) {
        // A broken answer says nothing about the allowance: keep the one we have.
        DebugLog::write(QStringLiteral("RatingState: the answer is not a JSON object; nothing changed"));
        NotificationCenter::defaultCenter().postNotification(RedireRatingStateNotification);
        return;
    }
    const QJsonObject answer = document->object();
    Database& database = Database::shared();
    RatingState state = database.lastRatingState().value_or(RatingState());
    state.ratingAvailable = answer.value(QStringLiteral("RatingAvailable")).toBool();
    state.timeToLive = parseTimeToLive(answer.value(QStringLiteral("TimeToLive")));
    state.ratingId = integerOf(answer.value(QStringLiteral("RatingId")));
    state.shopId = integerOf(answer.value(QStringLiteral("ShopId")));
    state.noRatings = int(integerOf(answer.value(QStringLiteral("NoRatings"))));
    state.remRatings = int(integerOf(answer.value(QStringLiteral("RemRatings"))));
    state.epoch = integerOf(answer.value(QStringLiteral("Epoch")));
    state.epochTTL = integerOf(answer.value(QStringLiteral("EpochTTL")));
    state.shopName = answer.contains(QStringLiteral("ShopName"))
                         ? answer.value(QStringLiteral("ShopName")).toString()
                         : QString();
    database.saveRatingState(state);
    NotificationCenter::defaultCenter().postNotification(RedireRatingStateNotification,
                                                         answer.toVariantMap());
}

void RedireServer::parseRateProduct(const QString& response) {
    const std::optional<QJsonDocument> document = decodeJson(response);
    if (!document || !document->isObject()) {
        DebugLog::write(QStringLiteral("RateProduct: the answer is not a JSON object"));
        NotificationCenter::defaultCenter().postNotification(RedireRateProductNotification);
        return;
    }
    NotificationCenter::defaultCenter().postNotification(RedireRateProductNotification,
                                                         document->object().toVariantMap());
}

void RedireServer::parseRatings(const QString& response) {
    const std::optional<QJsonDocument> document = decodeJson(response);
    if (!document || !document->isArray()) {
        // Without a readable list nobody knows which stores take part: keep every store as it was.
        DebugLog::write(QStringLiteral("Ratings: the answer is not a JSON list; nothing changed"));
        NotificationCenter::defaultCenter().postNotification(RedireRatingsNotification);
        return;
    }
    Database& database = Database::shared();
    QList<Store> stores = database.fetchAllStores();
    // Positions of the stored stores not yet named by this answer, by number, in fetch order.
    QHash<qint64, QList<qsizetype>> unseen;
    for (qsizetype i = 0; i < stores.size(); ++i)
        unseen[stores.at(i).storeID].append(i);

    const QJsonArray answer = document->array();
    for (const QJsonValue& value : answer) {
        const QJsonObject object = value.toObject();
        if (!object.contains(QStringLiteral("ShopId")))
            continue;
        const qint64 shopId = integerOf(object.value(QStringLiteral("ShopId")));
        QList<qsizetype>& candidates = unseen[shopId];
        if (candidates.isEmpty()) {
            Store created;
            created.storeID = shopId;
            stores.append(created);
        }
        Store& store = candidates.isEmpty() ? stores.last() : stores[candidates.takeLast()];
        store.title = object.contains(QStringLiteral("ShopName"))
                          ? object.value(QStringLiteral("ShopName")).toString()
                          : QString();
        store.avRating = doubleOf(object.value(QStringLiteral("AvRating")));
        store.av2MonthRating = doubleOf(object.value(QStringLiteral("Av2MonthRating")));
        store.totRatings = integerOf(object.value(QStringLiteral("TotRatings")));
        store.tot2MonthRatings = integerOf(object.value(QStringLiteral("Tot2MonthRatings")));
        store.isRatable = true;
    }
    for (const QList<qsizetype>& positions : std::as_const(unseen)) {
        for (const qsizetype position : positions)
            stores[position].isRatable = false;
    }
    database.saveStores(stores);
    NotificationCenter::defaultCenter().postNotification(RedireRatingsNotification);
}

void RedireServer::parseStoreStats(const QString& response) {
    const std::optional<QJsonDocument> document = decodeJson(response);
    const QJsonObject answer = document ? document->object() : QJsonObject();
    const QJsonArray weekRatings = answer.value(QStringLiteral("WeekRatings")).toArray();
    if (answer.contains(QStringLiteral("ShopId")) && !weekRatings.isEmpty()) {
        const qint64 shopId = integerOf(answer.value(QStringLiteral("ShopId")));
        Database& database = Database::shared();
        QList<StoreStats> weeks = database.storeStats(shopId, true);
        const QHash<qint64, qsizetype> fetched =
            lastPositions(weeks, [](const StoreStats& week) { return qint64(week.weekNumber); });
        for (const QJsonValue& value : weekRatings) {
            const QJsonObject week = value.toObject();
            const int weekNumber = int(integerOf(week.value(QStringLiteral("WeekNr"))));
            const auto match = fetched.constFind(weekNumber);
            if (match == fetched.constEnd()) {
                StoreStats created;
                created.weekNumber = weekNumber;
                created.storeID = shopId;
                weeks.append(created);
            }
            StoreStats& stats = match == fetched.constEnd() ? weeks.last() : weeks[*match];
            stats.avgRating = doubleOf(week.value(QStringLiteral("AvgRating")));
            stats.count = integerOf(week.value(QStringLiteral("Count")));
        }
        database.saveStoreStats(weeks);
    }
    NotificationCenter::defaultCenter().postNotification(RedireStoreStatsNotification);
}
