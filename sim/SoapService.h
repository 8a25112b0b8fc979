#pragma once

#include "sim/MemberBook.h"
#include "sim/MemberCoupons.h"
#include "sim/SimulatedAnswer.h"
#include "sim/SimulatorData.h"
#include "sim/SoapMessage.h"

#include <QString>
#include <QStringList>
#include <QUrl>

// The SOAP interface of the service: checks a call's namespace, SOAPAction and signature, then answers its
// operation from the demo data and the member book.
class SoapService {
public:
    SoapService(const SimulatorData& data, MemberBook& members, const MemberCoupons& memberCoupons,
                QString serviceNamespace, QString secret);

    // Where the service's own pictures and pages are served; set once the port is known.
    void setBaseUrl(const QUrl& baseUrl) { m_baseUrl = baseUrl; }

    static const QStringList& operations();

    SimulatedAnswer answer(const SoapCall& call, const QString& soapAction);

private:
    QString answerOperation(const SoapCall& call, const QString& userId);
    QString couponsPayload(const QString& userId, const QList<int>& typeIds) const;
    QString newsPayload() const;
    QString storesPayload(const QString& type) const;
    QString userPayload(const QString& userId) const;
    QString registration(const SoapCall& call, const QString& userId);
    QString giveAwayText(const QString& couponId) const;
    QString url(const QString& path) const;

    const SimulatorData& m_data;
    MemberBook& m_members;
    const MemberCoupons& m_memberCoupons;
    QString m_namespace;
    QString m_secret;
    QUrl m_baseUrl;
};
