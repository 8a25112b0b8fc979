#include "sim/SimulatorData.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

// A resource of a static library has to be registered by name, outside any namespace.
static void registerBuiltInData() {
    Q_INIT_RESOURCE(simdata);
}

namespace {

const QString builtInDirectory = QStringLiteral(":/redire-sim/data");
const QString expiryFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

using FileReader = std::function<QString(const QJsonObject&, SimulatorData&)>;

QString eachObject(const QJsonObject& root, const QString& key,
                   const std::function<QString(const QJsonObject&)>& read) {
    const QJsonValue list = root.value(key);
    if (!list.isArray())
        return QStringLiteral("\"%1\" must be an array").arg(key);
    int index = 0;
    for (const QJsonValue& entry : list.toArray()) {
        if (!entry.isObject())
            return QStringLiteral("\"%1\"[%2] must be an object").arg(key).arg(index);
        const QString problem = read(entry.toObject());
        if (!problem.isEmpty())
            return QStringLiteral("\"%1\"[%2]: %3").arg(key).arg(index).arg(problem);
        ++index;
    }
    return {};
}

QDateTime couponExpiry(const QJsonObject& object, const QDateTime& loadedAt) {
    if (object.contains(QStringLiteral("expiresInHours")))
        return loadedAt.addSecs(qint64(object.value(QStringLiteral("expiresInHours")).toDouble() * 3600));
    if (object.contains(QStringLiteral("expiresInDays")))
        return loadedAt.addDays(object.value(QStringLiteral("expiresInDays")).toInt());
    return QDateTime::fromString(object.value(QStringLiteral("expires")).toString(), expiryFormat);
}

QString readCoupons(const QJsonObject& root, SimulatorData& data) {
    const QDateTime loadedAt = QDateTime::currentDateTime();
    data.coupons.clear();
    return eachObject(root, QStringLiteral("coupons"), [&](const QJsonObject& object) {
        SimulatedCoupon coupon;
        coupon.id = object.value(QStringLiteral("id")).toVariant().toString();
        coupon.typeId = object.value(QStringLiteral("typeId")).toInt();
        if (coupon.id.isEmpty() || coupon.typeId == 0)
            return QStringLiteral("needs \"id\" and \"typeId\"");
        if (object.contains(QStringLiteral("amountLeft")))
            coupon.amountLeft = object.value(QStringLiteral("amountLeft")).toInt();
        coupon.text = object.value(QStringLiteral("text")).toString();
        coupon.subText = object.value(QStringLiteral("subText")).toString();
        coupon.version = object.value(QStringLiteral("version")).toInt();
        coupon.expires = couponExpiry(object, loadedAt);
        coupon.universe = object.value(QStringLiteral("universe")).toString();
        coupon.redeemed = object.value(QStringLiteral("redeemed")).toBool();
        coupon.title = object.value(QStringLiteral("title")).toString();
        coupon.price = object.value(QStringLiteral("price")).toString();
        coupon.stamps = object.value(QStringLiteral("stamps")).toInt();
        coupon.stampsNeeded = object.value(QStringLiteral("stampsNeeded")).toInt();
        data.coupons.append(coupon);
        return QString();
    });
}

QString readNews(const QJsonObject& root, SimulatorData& data) {
    data.news.clear();
    return eachObject(root, QStringLiteral("news"), [&](const QJsonObject& object) {
        SimulatedNewsItem item;
        item.id = object.value(QStringLiteral("id")).toVariant().toString();
        if (item.id.isEmpty())
            return QStringLiteral("needs \"id\"");
        item.title = object.value(QStringLiteral("title")).toString();
        item.text = object.value(QStringLiteral("text")).toString();
        item.url = object.value(QStringLiteral("url")).toString();
        data.news.append(item);
        return QString();
    });
}

QString readStores(const QJsonObject& root, SimulatorData& data) {
    data.stores.clear();
    return eachObject(root, QStringLiteral("stores"), [&](const QJsonObject& object) {
        SimulatedStore store;
        store.id = object.value(QStringLiteral("id")).toInteger();
        store.type = object.value(QStringLiteral("type")).toString();
        if (store.id <= 0 || store.type.isEmpty())
            return QStringLiteral("needs a positive \"id\" and a \"type\"");
        store.name = object.value(QStringLiteral("name")).toString();
        store.address = object.value(QStringLiteral("address")).toString();
        store.telephone = object.value(QStringLiteral("telephone")).toString();
        store.wash = object.value(QStringLiteral("wash")).toBool();
        store.latitude = object.value(QStringLiteral("latitude")).toDouble();
        store.longitude = object.value(QStringLiteral("longitude")).toDouble();
        data.stores.append(store);
        return QString();
    });
}

QString readRatings(const QJsonObject& root, SimulatorData& data) {
    data.ratingWindowMinutes = root.value(QStringLiteral("windowMinutes")).toInt(data.ratingWindowMinutes);
    data.ratingsPerWindow = root.value(QStringLiteral("ratingsPerWindow")).toInt(data.ratingsPerWindow);
    data.bonusEvery = root.value(QStringLiteral("bonusEvery")).toInt(data.bonusEvery);
    if (data.ratingWindowMinutes <= 0 || data.ratingsPerWindow <= 0 || data.bonusEvery <= 0)
        return QStringLiteral("\"windowMinutes\", \"ratingsPerWindow\" and \"bonusEvery\" must be positive");
    data.storeRatings.clear();
    return eachObject(root, QStringLiteral("stores"), [&](const QJsonObject& object) {
        SimulatedStoreRatings ratings;
        ratings.shopId = object.value(QStringLiteral("shopId")).toInteger();
        if (ratings.shopId <= 0)
            return QStringLiteral("needs a positive \"shopId\"");
        for (const QJsonValue& week : object.value(QStringLiteral("weeks")).toArray()) {
            const QJsonObject weekObject = week.toObject();
            ratings.weeks.append({weekObject.value(QStringLiteral("count")).toInt(),
                                  weekObject.value(QStringLiteral("average")).toDouble()});
        }
        data.storeRatings.append(ratings);
        return QString();
    });
}

QString readService(const QJsonObject& root, SimulatorData& data) {
    const QJsonObject splash = root.value(QStringLiteral("splash")).toObject();
    data.splash.title = splash.value(QStringLiteral("title")).toString();
    data.splash.text = splash.value(QStringLiteral("text")).toString();
    data.splash.version = splash.value(QStringLiteral("version")).toInt(1);
    data.giveAwayText = root.value(QStringLiteral("giveAway")).toString();
    data.giveAwayUnknownText = root.value(QStringLiteral("giveAwayUnknown")).toString();
    if (!data.giveAwayText.contains(QStringLiteral("%1")))
        return QStringLiteral("\"giveAway\" must hold \"%1\" for the coupon text");
    return {};
}

const QList<QPair<QString, FileReader>>& dataFiles() {
    static const QList<QPair<QString, FileReader>> files = {{QStringLiteral("coupons.json"), readCoupons},
                                                            {QStringLiteral("news.json"), readNews},
                                                            {QStringLiteral("stores.json"), readStores},
                                                            {QStringLiteral("ratings.json"), readRatings},
                                                            {QStringLiteral("service.json"), readService}};
    return files;
}

QString readFile(const QString& path, const FileReader& reader, SimulatorData& data) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString());
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return QStringLiteral("%1: not JSON (%2)").arg(path, parseError.errorString());
    if (!document.isObject())
        return QStringLiteral("%1: the top level must be an object").arg(path);
    const QString problem = reader(document.object(), data);
    return problem.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(path, problem);
}

// Reads each data file from the first directory that has it.
std::optional<SimulatorData> load(const QStringList& directories, QString* error) {
    SimulatorData data;
    for (const auto& [name, reader] : dataFiles()) {
        for (const QString& directory : directories) {
            const QString path = QDir(directory).filePath(name);
            if (!QFile::exists(path))
                continue;
            *error = readFile(path, reader, data);
            if (!error->isEmpty())
                return std::nullopt;
            break;
        }
    }
    return data;
}

} // namespace

const SimulatedCoupon* SimulatorData::coupon(const QString& id) const {
    for (const SimulatedCoupon& candidate : coupons) {
        if (candidate.id == id)
            return &candidate;
    }
    return nullptr;
}

const SimulatedStore* SimulatorData::store(qint64 id) const {
    for (const SimulatedStore& candidate : stores) {
        if (candidate.id == id)
            return &candidate;
    }
    return nullptr;
}

SimulatorData SimulatorData::builtIn() {
    registerBuiltInData();
    QString error;
    const std::optional<SimulatorData> data = load({builtInDirectory}, &error);
    if (!data)
        qFatal("The built-in data of the simulated service is broken: %s", qPrintable(error));
    return *data;
}

std::optional<SimulatorData> SimulatorData::fromDirectory(const QString& directory, QString* error) {
    registerBuiltInData();
    if (!QDir(directory).exists()) {
        *error = QStringLiteral("%1: no such directory").arg(directory);
        return std::nullopt;
    }
    return load({directory, builtInDirectory}, error);
}
