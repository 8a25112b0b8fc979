// The member's account: registration with a verification code, postal code, member data and log-out.
#include "service/RedireServer.h"

#include "platform/AlertView.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "service/RedireManager.h"
#include "service/RedireNotifications.h"
#include "service/RequestType.h"
#include "storage/SettingsKeys.h"

namespace {

const QString okStatus = QStringLiteral("OK");

// The attributes of the answer's `user` element; nothing when the result is not a readable document.
std::optional<QVariantMap> userElement(const QString& response, const QString& operation) {
    const QString result = RedireManager::extractResultFrom(response, operation);
    const std::optional<ElementRecords> users = RedireManager::parseXMLFrom(result, QStringLiteral("user"));
    if (!users || users->isEmpty())
        return std::nullopt;
    return users->first();
}

QVariant textOrNothing(const std::optional<QVariantMap>& user, const QString& attribute) {
    if (!user || !user->contains(attribute))
        return {};
    return user->value(attribute);
}

QString emptyIfAbsent(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

bool RedireServer::registerUserWithMobile(const QString& mobile, const QString& birthday,
                                          const QString& posCode) {
    sendMemberRequest(mobile, birthday, posCode, QStringLiteral(""), RequestTypeRegisterUser);
    return true;
}

bool RedireServer::completeRegistrationWithMobile(const QString& mobile, const QString& birthday,
                                                  const QString& posCode, const QString& code) {
    sendMemberRequest(mobile, birthday, posCode, code, RequestTypeRegisterUserConfirm);
    return true;
}

void RedireServer::sendMemberRequest(const QString& mobile, const QString& birthday, const QString& posCode,
                                     const QString& password, int type) {
    m_dictUserInfo =
        QVariantMap{{kPhoneKey, mobile}, {kDobKey, birthday}, {kPostCodeKey, emptyIfAbsent(posCode)}};

    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(mobile, kPhoneKey);
    defaults.setObject(posCode.isNull() ? QVariant() : QVariant(posCode), kPostCodeKey);
    defaults.setObject(birthday, kDobKey);
    defaults.synchronize();

    addConnectionWithParameters(
        makeRecord(QStringLiteral("RegisterUser"),
                   {QStringLiteral("UserID"), QStringLiteral("UserName"), QStringLiteral("Password"),
                    QStringLiteral("DateOfBirth"), QStringLiteral("PostCode")},
                   {userIdOrEmpty(), mobile, password, birthday, emptyIfAbsent(posCode)}, type));
}

void RedireServer::saveProfileFromDictionary() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    const QVariantMap profile = m_dictUserInfo.value_or(QVariantMap());
    defaults.setObject(profile.value(kPhoneKey), kPhoneKey);
    defaults.setObject(profile.value(kPostCodeKey), kPostCodeKey);
    defaults.setObject(profile.value(kDobKey), kDobKey);
}

void RedireServer::parseRegistrationResponseString(const QString& response) {
    const std::optional<QVariantMap> user = userElement(response, QStringLiteral("RegisterUser"));
    if (user && user->value(QStringLiteral("Status")).toString() == okStatus) {
        saveProfileFromDictionary();
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        defaults.setObject(m_userId.isNull() ? QVariant() : QVariant(m_userId), kUserIdKey);
        defaults.setBool(false, kConfirmedKey);
        defaults.synchronize();
    }
    NotificationCenter::defaultCenter().postNotification(RedireVerificationCodeSentNotification,
                                                         textOrNothing(user, QStringLiteral("Statustext")));
}

void RedireServer::parseRegistrationConfirmationResponseString(const QString& response) {
    const std::optional<QVariantMap> user = userElement(response, QStringLiteral("RegisterUser"));
    if (user && user->value(QStringLiteral("Status")).toString() == okStatus) {
        m_userRegistered = true;
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        defaults.setBool(true, kConfirmedKey);
        defaults.synchronize();
        setUserId(user->value(QStringLiteral("Id")).toString());
        requestDataOfType(RequestTypeGetUserInfo);
    }
    NotificationCenter::defaultCenter().postNotification(RedireVerificationCodeSentNotification,
                                                         textOrNothing(user, QStringLiteral("Statustext")));
}

bool RedireServer::updateUserPostalCode(const QString& postalCode) {
    if (!m_dictUserInfo)
        return false;
    m_dictUserInfo->insert(kPostCodeKey, emptyIfAbsent(postalCode));
    addConnectionWithParameters(makeRecord(
        QStringLiteral("UpdateUserSettings"), {QStringLiteral("UserID"), QStringLiteral("PostCode")},
        {userIdOrEmpty(), emptyIfAbsent(postalCode)}, RequestTypePostalCodeUpdate));
    return true;
}

void RedireServer::parseUserSettingsUpdateString(const QString& response) {
    if (RedireManager::extractResultFrom(response, QStringLiteral("UpdateUserSettings")).isEmpty()) {
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        defaults.setObject(m_dictUserInfo.value_or(QVariantMap()).value(kPostCodeKey), kPostCodeKey);
        defaults.synchronize();
    }
    NotificationCenter::defaultCenter().postNotification(RedireUserUpdatedNotification);
}

void RedireServer::parseGetUserInfo(const QString& response) {
    const std::optional<QVariantMap> user = userElement(response, QStringLiteral("GetUserInfo"));
    const QString typedBirthday = m_dictUserInfo.value_or(QVariantMap()).value(kDobKey).toString();
    QVariantMap profile = m_dictUserInfo.value_or(QVariantMap());
    UserDefaults& defaults = UserDefaults::standardUserDefaults();

    const QList<std::pair<QString, QString>> nonEmptyFields = {{QStringLiteral("UserID"), kUserIdKey},
                                                               {QStringLiteral("MobileNumber"), kPhoneKey},
                                                               {QStringLiteral("DateOfBirth"), kDobKey}};
    for (const auto& [attribute, key] : nonEmptyFields) {
        const QString value = user ? user->value(attribute).toString() : QString();
        if (value.isEmpty())
            continue;
        defaults.setObject(value, key);
        profile.insert(key, value);
    }
    // An answer that does not mention the postal code at all says nothing about it: keep the member's.
    if (user && user->contains(QStringLiteral("PostCode"))) {
        const QString postCode = user->value(QStringLiteral("PostCode")).toString();
        defaults.setObject(postCode, kPostCodeKey);
        profile.insert(kPostCodeKey, postCode);
    }
    defaults.synchronize();
    m_dictUserInfo = profile;

    const QString serviceBirthday = user ? user->value(QStringLiteral("DateOfBirth")).toString() : QString();
    if (!serviceBirthday.isEmpty() && serviceBirthday != typedBirthday) {
        auto* alert = new AlertView(
            QStringLiteral("Obs!"),
            QStringLiteral("Du har tidligere registrert deg med bursdag %1, og denne kan ikke endres")
                .arg(serviceBirthday),
            nullptr, QStringLiteral("OK"));
        alert->show();
    }
    NotificationCenter::defaultCenter().postNotification(RedireGetUserInfoNotification);
}

void RedireServer::logOut() {
    m_serverIsReady = false;
    m_dictUserInfo.reset();

    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    for (const QString& key : {kUserIdKey, kPhoneKey, kPostCodeKey, kDobKey})
        defaults.removeObjectForKey(key);
    defaults.setBool(false, kConfirmedKey);
    defaults.synchronize();

    cleanCache();
    m_userId = QString();
    m_userRegistered = false;
    m_connections.clear();
    sendRequestForUserId();
    NotificationCenter::defaultCenter().postNotification(RedireUserLoggedOutNotification);
}
