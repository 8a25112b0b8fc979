#include "sim/SoapService.h"

#include "sim/ServiceSignature.h"

#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamWriter>

namespace {

const QString expiryFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

// The parameters each operation needs, in the order the client sends them.
const QHash<QString, QStringList>& parameterNames() {
    const QStringList userOnly = {QStringLiteral("UserID")};
    static const QHash<QString, QStringList> names = {
        {QStringLiteral("InitializeApp"), {QStringLiteral("InstanceId"), QStringLiteral("UDID")}},
        {QStringLiteral("RegisterUser"),
         {QStringLiteral("UserID"), QStringLiteral("UserName"), QStringLiteral("Password"),
          QStringLiteral("DateOfBirth"), QStringLiteral("PostCode")}},
        {QStringLiteral("UpdateUserSettings"), {QStringLiteral("UserID"), QStringLiteral("PostCode")}},
        {QStringLiteral("GetUserInfo"), userOnly},
        {QStringLiteral("GetAllCoupons"), userOnly},
        {QStringLiteral("GetLoyaltyCards"), userOnly},
        {QStringLiteral("GetOffers"), userOnly},
        {QStringLiteral("GetPromotions"), userOnly},
        {QStringLiteral("GetRewards"), userOnly},
        {QStringLiteral("GetNews"), userOnly},
        {QStringLiteral("GetSplashAd"), userOnly},
        {QStringLiteral("GetStoreLocations"), {QStringLiteral("UserID"), QStringLiteral("Type")}},
        {QStringLiteral("GetCouponForFriend"), {QStringLiteral("UserID"), QStringLiteral("CouponId")}}};
    return names;
}

const QHash<QString, QList<int>>& couponKinds() {
    static const QHash<QString, QList<int>> kinds = {{QStringLiteral("GetAllCoupons"), {}},
                                                     {QStringLiteral("GetPromotions"), {143, 144}},
                                                     {QStringLiteral("GetLoyaltyCards"), {145}},
                                                     {QStringLiteral("GetRewards"), {146}},
                                                     {QStringLiteral("GetOffers"), {147, 148}}};
    return kinds;
}

// Writes a payload: one root element that drops the service namespace, its data in attributes.
class PayloadWriter {
public:
    explicit PayloadWriter(const QString& root)
        : m_writer(&m_text) {
        m_writer.writeStartElement(root);
        m_writer.writeAttribute(QStringLiteral("xmlns"), QString());
    }

    QXmlStreamWriter& writer() { return m_writer; }

    void element(const QString& name, const QList<QPair<QString, QString>>& attributes) {
        m_writer.writeStartElement(name);
        for (const auto& [attribute, value] : attributes)
            m_writer.writeAttribute(attribute, value);
        m_writer.writeEndElement();
    }

    QString finish() {
        m_writer.writeEndElement();
        return m_text;
    }

private:
    QString m_text;
    QXmlStreamWriter m_writer;
};

QString number(double value) {
    return QString::number(value, 'f', 6).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

} // namespace

SoapService::SoapService(const SimulatorData& data, MemberBook& members, const MemberCoupons& memberCoupons,
                         QString serviceNamespace, QString secret)
    : m_data(data)
    , m_members(members)
    , m_memberCoupons(memberCoupons)
    , m_namespace(std::move(serviceNamespace))
    , m_secret(std::move(secret)) {}

const QStringList& SoapService::operations() {
    static const QStringList names = [] {
        QStringList result = parameterNames().keys();
        result.sort();
        return result;
    }();
    return names;
}

SimulatedAnswer SoapService::answer(const SoapCall& call, const QString& soapAction) {
    const QString& operation = call.operation;
    if (!parameterNames().contains(operation))
        return SimulatedAnswer::xml(
            SoapAnswer::fault(QStringLiteral("soap:Client"),
                              QStringLiteral("Server did not recognize the operation %1.").arg(operation)),
            500);
    const auto refuse = [&](int id, const QString& message) {
        return SimulatedAnswer::xml(SoapAnswer::serviceError(operation, m_namespace, id, message));
    };
    if (call.namespaceUri != m_namespace)
        return refuse(400,
                      QStringLiteral("The operation element must be in the namespace %1").arg(m_namespace));
    const QString expectedAction = QStringLiteral("\"%1%2\"").arg(m_namespace, operation);
    if (soapAction != expectedAction)
        return refuse(400, QStringLiteral("SOAPAction must be %1").arg(expectedAction));
    for (const QString& name : parameterNames().value(operation)) {
        if (!call.value(name))
            return refuse(400, QStringLiteral("Missing parameter %1").arg(name));
    }
    const QStringList values = call.values();
    const QStringList signedValues = operation == QLatin1String("InitializeApp") ? values.mid(0, 1) : values;
    if (call.signature.value_or(QString()) != ServiceSignature::compute(signedValues, m_secret))
        return refuse(401, QStringLiteral("Invalid signature"));

    const QString userId = call.value(QStringLiteral("UserID")).value_or(QString());
    if (operation == QLatin1String("InitializeApp") && call.value(QStringLiteral("InstanceId"))->isEmpty())
        return refuse(400, QStringLiteral("InstanceId is empty"));
    return SimulatedAnswer::xml(SoapAnswer::result(operation, m_namespace, answerOperation(call, userId)));
}

QString SoapService::answerOperation(const SoapCall& call, const QString& userId) {
    const QString& operation = call.operation;
    if (couponKinds().contains(operation))
        return couponsPayload(userId, couponKinds().value(operation));
    if (operation == QLatin1String("InitializeApp"))
        return MemberBook::memberIdForDevice(*call.value(QStringLiteral("InstanceId")));
    if (operation == QLatin1String("RegisterUser"))
        return registration(call, userId);
    if (operation == QLatin1String("UpdateUserSettings"))
        return SoapAnswer::plainText(
            m_members.updatePostCode(userId, *call.value(QStringLiteral("PostCode"))));
    if (operation == QLatin1String("GetUserInfo"))
        return userPayload(userId);
    if (operation == QLatin1String("GetNews"))
        return newsPayload();
    if (operation == QLatin1String("GetSplashAd"))
        return SoapAnswer::plainText(
            url(QStringLiteral("/images/splash.png?v=%1").arg(m_data.splash.version)));
    if (operation == QLatin1String("GetStoreLocations"))
        return storesPayload(*call.value(QStringLiteral("Type")));
    return SoapAnswer::plainText(giveAwayText(*call.value(QStringLiteral("CouponId"))));
}

QString SoapService::url(const QString& path) const {
    return m_baseUrl.toString(QUrl::StripTrailingSlash) + path;
}

QString SoapService::couponsPayload(const QString& userId, const QList<int>& typeIds) const {
    PayloadWriter payload(QStringLiteral("Coupons"));
    const QList<SimulatedCoupon> own = m_memberCoupons.of(userId);
    for (const QList<SimulatedCoupon>* list : {&m_data.coupons, &own}) {
        for (const SimulatedCoupon& coupon : *list) {
            if (!typeIds.isEmpty() && !typeIds.contains(coupon.typeId))
                continue;
            QList<QPair<QString, QString>> attributes = {
                {QStringLiteral("Id"), coupon.id},
                {QStringLiteral("TypeId"), QString::number(coupon.typeId)}};
            if (coupon.amountLeft)
                attributes.append({QStringLiteral("AmountLeft"), QString::number(*coupon.amountLeft)});
            attributes.append(
                {{QStringLiteral("Text"), coupon.text},
                 {QStringLiteral("SubText"), coupon.subText},
                 {QStringLiteral("Url"),
                  url(QStringLiteral("/images/coupon/%1.png?v=%2").arg(coupon.id).arg(coupon.version))},
                 {QStringLiteral("Version"), QString::number(coupon.version)},
                 {QStringLiteral("Expires"),
                  coupon.expires.isValid() ? coupon.expires.toString(expiryFormat) : QString()},
                 {QStringLiteral("Universe"), coupon.universe},
                 {QStringLiteral("redeemed"),
                  coupon.redeemed ? QStringLiteral("true") : QStringLiteral("false")}});
            payload.element(QStringLiteral("Coupon"), attributes);
        }
    }
    return payload.finish();
}

QString SoapService::newsPayload() const {
    PayloadWriter payload(QStringLiteral("News"));
    for (const SimulatedNewsItem& item : m_data.news) {
        const QString target = item.url.startsWith(QLatin1Char('/')) ? url(item.url) : item.url;
        payload.element(QStringLiteral("item"),
                        {{QStringLiteral("id"), item.id},
                         {QStringLiteral("title"), item.title},
                         {QStringLiteral("img"), url(QStringLiteral("/images/news/%1.png").arg(item.id))},
                         {QStringLiteral("url"), target}});
    }
    return payload.finish();
}

QString SoapService::storesPayload(const QString& type) const {
    PayloadWriter payload(QStringLiteral("stores"));
    payload.writer().writeAttribute(QStringLiteral("type"), type);
    for (const SimulatedStore& store : m_data.stores) {
        if (store.type != type)
            continue;
        payload.element(
            QStringLiteral("store"),
            {{QStringLiteral("id"), QString::number(store.id)},
             {QStringLiteral("name"), store.name},
             {QStringLiteral("address"), store.address},
             {QStringLiteral("telephone"), store.telephone},
             {QStringLiteral("wash"), store.wash ? QStringLiteral("TRUE") : QStringLiteral("FALSE")},
             {QStringLiteral("location"),
              number(store.latitude) + QLatin1Char(',') + number(store.longitude)}});
    }
    return payload.finish();
}

QString SoapService::userPayload(const QString& userId) const {
    const SimulatedMember member = m_members.member(userId).value_or(SimulatedMember{});
    PayloadWriter payload(QStringLiteral("Users"));
    payload.element(QStringLiteral("user"), {{QStringLiteral("UserID"), userId},
                                             {QStringLiteral("MobileNumber"), member.mobileNumber},
                                             {QStringLiteral("DateOfBirth"), member.dateOfBirth},
                                             {QStringLiteral("PostCode"), member.postCode}});
    return payload.finish();
}

QString SoapService::registration(const SoapCall& call, const QString& userId) {
    const QString mobile = *call.value(QStringLiteral("UserName"));
    const QString code = *call.value(QStringLiteral("Password"));
    const QString birthday = *call.value(QStringLiteral("DateOfBirth"));
    const QString postCode = *call.value(QStringLiteral("PostCode"));
    const RegistrationAnswer answer = code.isEmpty()
                                          ? m_members.requestCode(userId, mobile, birthday, postCode)
                                          : m_members.confirm(userId, mobile, code, birthday, postCode);
    QList<QPair<QString, QString>> attributes = {{QStringLiteral("Status"), answer.status},
                                                 {QStringLiteral("Statustext"), answer.statusText}};
    if (!answer.memberId.isEmpty())
        attributes.append({QStringLiteral("Id"), answer.memberId});
    PayloadWriter payload(QStringLiteral("Users"));
    payload.element(QStringLiteral("user"), attributes);
    return payload.finish();
}

QString SoapService::giveAwayText(const QString& couponId) const {
    const SimulatedCoupon* coupon = m_data.coupon(couponId);
    if (!coupon)
        coupon = m_memberCoupons.find(couponId);
    return coupon ? m_data.giveAwayText.arg(coupon->title) : m_data.giveAwayUnknownText;
}
