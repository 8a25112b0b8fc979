#include "service/RedireServer.h"

#include "platform/DebugLog.h"
#include "platform/Device.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "service/ConnectionStorage.h"
#include "service/RedireManager.h"
#include "service/RedireNotifications.h"
#include "service/RequestType.h"
#include "storage/SettingsKeys.h"

#include <QStringDecoder>

namespace {

std::unique_ptr<RedireServer>& sharedInstance() {
    static std::unique_ptr<RedireServer> instance;
    return instance;
}

bool isSuccessStatus(int statusCode) {
    // Status 0: a transfer without HTTP status (a local file in tests) has nothing to report.
    return statusCode == 0 || (statusCode >= 200 && statusCode < 300);
}

} // namespace

RedireServer& RedireServer::sharedServer() {
    std::unique_ptr<RedireServer>& instance = sharedInstance();
    if (!instance) {
        instance.reset(new RedireServer);
        instance->start();
    }
    return *instance;
}

void RedireServer::resetSharedServer() {
    sharedInstance().reset();
}

RedireServer::RedireServer() = default;

RedireServer::~RedireServer() = default;

void RedireServer::start() {
    const UserDefaults& defaults = UserDefaults::standardUserDefaults();
    m_userRegistered = defaults.boolForKey(kConfirmedKey);
    const QString savedUserId = defaults.stringForKey(kUserIdKey);
    const QString phone = defaults.stringForKey(kPhoneKey);
    const QString birthday = defaults.stringForKey(kDobKey);
    const QString postCode = defaults.stringForKey(kPostCodeKey);

    if (!phone.isEmpty() && !birthday.isEmpty()) {
        m_dictUserInfo = QVariantMap{{kPhoneKey, phone},
                                     {kDobKey, birthday},
                                     {kPostCodeKey, postCode.isNull() ? QStringLiteral("") : postCode}};
    }
    if (!savedUserId.isEmpty()) {
        m_userId = savedUserId;
        m_serverIsReady = true;
    } else {
        m_serverIsReady = false;
        sendRequestForUserId();
    }
}

QVariantMap RedireServer::makeRecord(const QString& service, const QStringList& keys,
                                     const QVariantList& values, int type) {
    return {{RequestServiceKey, service},
            {RequestKeysKey, keys},
            {RequestValuesKey, values},
            {RequestTypeKey, type}};
}

QVariantMap RedireServer::makeRatingRecord(const QString& service, const QStringList& keys,
                                           const QVariantList& values, int type) {
    QVariantMap record = makeRecord(service, keys, values, type);
    record.insert(RatingRequestTypeKey, QStringLiteral("Rating"));
    return record;
}

void RedireServer::sendRequestForUserId() {
    const QString deviceId = Device::identifier();
    addConnectionWithParameters(makeRecord(QStringLiteral("InitializeApp"),
                                           {QStringLiteral("InstanceId"), QStringLiteral("UDID")},
                                           {deviceId, deviceId}, RequestTypeInitializeApp));
}

RedireConnection* RedireServer::addConnectionWithParameters(const QVariantMap& record) {
    const int type = record.value(RequestTypeKey).toInt();
    if (!m_serverIsReady && type != RequestTypeInitializeApp) {
        m_unsentRequests.append(record);
        return nullptr;
    }
    const QString service = record.value(RequestServiceKey).toString();
    const QStringList keys = record.value(RequestKeysKey).toStringList();
    const QVariantList values = record.value(RequestValuesKey).toList();
    const std::optional<UrlRequest> request =
        record.contains(RatingRequestTypeKey)
            ? RedireManager::buildRequestForRating(service, keys, values)
            : RedireManager::buildRequestForWebservice(service, keys, values);
    if (!request)
        return nullptr;
    auto connection =
        std::make_unique<RedireConnection>(type, std::make_unique<UrlConnection>(*request, this));
    m_connections.push_back(std::move(connection));
    return m_connections.back().get();
}

std::vector<std::unique_ptr<RedireConnection>>::iterator
RedireServer::findConnection(const UrlConnection* connection) {
    return std::find_if(
        m_connections.begin(), m_connections.end(),
        [connection](const std::unique_ptr<RedireConnection>& entry) { return entry->conn() == connection; });
}

void RedireServer::connectionDidReceiveData(UrlConnection* connection, const QByteArray& data) {
    const auto entry = findConnection(connection);
    if (entry != m_connections.end())
        (*entry)->data().append(data);
}

void RedireServer::connectionDidFailWithError(UrlConnection* connection, const Error& error) {
    DebugLog::write(QStringLiteral("Connection error: %1").arg(error.description));
    const auto entry = findConnection(connection);
    if (entry != m_connections.end())
        m_connections.erase(entry);
}

void RedireServer::connectionDidFinishLoading(UrlConnection* connection) {
    const auto entry = findConnection(connection);
    if (entry == m_connections.end())
        return;
    // Taken out of the list before the answer is read: observers of its notification may log out, which
    // drops every transfer still in the list and starts new ones.
    const std::unique_ptr<RedireConnection> finished = std::move(*entry);
    m_connections.erase(entry);

    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString response = decoder.decode(finished->data());
    if (decoder.hasError()) {
        DebugLog::write(QStringLiteral("Connection error: the answer is not UTF-8 text"));
        return;
    }
    handleAnswer(finished->type(), connection->response().statusCode, response);
}

void RedireServer::handleAnswer(int type, int statusCode, const QString& response) {
    const std::optional<Error> serviceError = parseResponceForError(response);
    const std::optional<Error> fault = RedireManager::extractFaultFrom(response);
    if (serviceError) {
        DebugLog::write(QStringLiteral("Error (%1): %2 - %3")
                            .arg(serviceError->code)
                            .arg(serviceError->domain, serviceError->description));
        handleRefusedAnswer(type);
    } else if (fault) {
        DebugLog::write(QStringLiteral("Fault: %1 - %2").arg(fault->domain, fault->description));
        handleRefusedAnswer(type);
    } else if (!isSuccessStatus(statusCode)) {
        // An error page is not an answer of the service: reading it could only produce empty lists.
        DebugLog::write(QStringLiteral("Connection error: HTTP status %1").arg(statusCode));
    } else {
        dispatch(type, response);
    }
}

void RedireServer::handleRefusedAnswer(int type) {
    switch (type) {
    case RequestTypeGetNews:
        NotificationCenter::defaultCenter().postNotification(RedireNewsNotification);
        break;
    case RequestTypeGetRatingState:
        DebugLog::write(QStringLiteral("reqRatingState error"));
        break;
    case RequestTypeGetRateProduct:
        DebugLog::write(QStringLiteral("reqRateProduct error"));
        break;
    case RequestTypeGetRatings:
        DebugLog::write(QStringLiteral("reqRatings error"));
        break;
    case RequestTypeGetStoreStatus:
        DebugLog::write(QStringLiteral("reqStoreStats error"));
        break;
    default:
        break;
    }
}

void RedireServer::dispatch(int type, const QString& response) {
    switch (type) {
    case RequestTypeInitializeApp:
        return parseUserIdResponseString(response);
    case RequestTypeRegisterUser:
        return parseRegistrationResponseString(response);
    case RequestTypeRegisterUserConfirm:
        return parseRegistrationConfirmationResponseString(response);
    case RequestTypePostalCodeUpdate:
        return parseUserSettingsUpdateString(response);
    case RequestTypeGetAllCoupons:
        return parseAllCoupons(response);
    case RequestTypeGetLoyaltyCards:
        return parseLoyaltyCards(response);
    case RequestTypeGetNews:
        return parseNews(response);
    case RequestTypeGetOffers:
        return parseOffers(response);
    case RequestTypeGetPromotions:
        return parsePromotions(response);
    case RequestTypeGetRewards:
        return parseRewards(response);
    case RequestTypeGetStoreLocations:
        return parseStoreLocations(response);
    case RequestTypeGetCouponForFriend:
        return parseCouponForFriend(response);
    case RequestTypeGetSplashAd:
        return parseSplashAd(response);
    case RequestTypeGetUserInfo:
        return parseGetUserInfo(response);
    case RequestTypeGetRatingState:
        return parseRatingState(response);
    case RequestTypeGetRateProduct:
        return parseRateProduct(response);
    case RequestTypeGetRatings:
        return parseRatings(response);
    case RequestTypeGetStoreStatus:
        return parseStoreStats(response);
    default:
        return;
    }
}

std::optional<Error> RedireServer::parseResponceForError(const QString& response) const {
    const std::optional<ElementRecords> errors =
        RedireManager::parseXMLFrom(response, QStringLiteral("error"));
    if (!errors || errors->isEmpty())
        return std::nullopt;
    const QVariantMap& last = errors->last();
    return Error{last.value(QStringLiteral("Source")).toString(),
                 last.value(QStringLiteral("Id")).toString().toInt(),
                 last.value(QStringLiteral("Message")).toString()};
}

void RedireServer::parseUserIdResponseString(const QString& response) {
    const QString identifier = RedireManager::extractResultFrom(response, QStringLiteral("InitializeApp"));
    if (identifier.isEmpty())
        return;
    setUserId(identifier);

    const QList<QVariantMap> held = std::exchange(m_unsentRequests, {});
    for (QVariantMap record : held) {
        const QStringList keys = record.value(RequestKeysKey).toStringList();
        const qsizetype position = keys.indexOf(QStringLiteral("UserID"));
        if (position >= 0) {
            QVariantList values = record.value(RequestValuesKey).toList();
            if (position < values.size())
                values[position] = identifier;
            record.insert(RequestValuesKey, values);
        }
        addConnectionWithParameters(record);
    }
}

void RedireServer::setUserId(const QString& userId) {
    m_userId = userId;
    m_serverIsReady = true;
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(userId.isNull() ? QVariant() : QVariant(userId), kUserIdKey);
    defaults.synchronize();
}
