#include "sim/MemberBook.h"

#include "platform/DebugLog.h"

#include <QCryptographicHash>
#include <QDate>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

// A guessed code must not be tried for ever: after this many wrong attempts a new code is needed.
constexpr int allowedFailedAttempts = 5;

const QString statusOk = QStringLiteral("OK");

bool isMobileNumber(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[49][0-9]{7}$"));
    return form.match(text).hasMatch();
}

bool isPostCode(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}$"));
    return text.isEmpty() || form.match(text).hasMatch();
}

bool isBirthday(const QString& text) {
    const QDate date = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    return date.isValid() && date < QDate::currentDate() && date.year() > 1900;
}

} // namespace

QString MemberBook::memberIdForDevice(const QString& instanceId) {
    const QByteArray digest = QCryptographicHash::hash(instanceId.toUtf8(), QCryptographicHash::Md5);
    const quint64 number = digest.left(8).toHex().toULongLong(nullptr, 16);
    return QString::number(100000000 + number % 900000000);
}

QString MemberBook::validationProblem(const QString& mobileNumber, const QString& dateOfBirth,
                                      const QString& postCode) const {
    if (!isMobileNumber(mobileNumber))
        return QStringLiteral("Mobilnummeret er ugyldig. Skriv inn et norsk mobilnummer med 8 siffer.");
    if (!isBirthday(dateOfBirth))
        return QStringLiteral("Fødselsdatoen er ugyldig.");
    if (!isPostCode(postCode))
        return QStringLiteral("Postnummeret må ha 4 siffer.");
    return {};
}

RegistrationAnswer MemberBook::requestCode(const QString& userId, const QString& mobileNumber,
                                           const QString& dateOfBirth, const QString& postCode) {
    if (userId.isEmpty())
        return {QStringLiteral("UNKNOWN_USER"),
                QStringLiteral("Ukjent bruker. Start appen på nytt og prøv igjen."),
                {}};
    const QString problem = validationProblem(mobileNumber, dateOfBirth, postCode);
    if (!problem.isEmpty())
        return {QStringLiteral("INVALID"), problem, {}};

    const QString code = QString::number(QRandomGenerator::global()->bounded(100000, 1000000));
    m_pendingCodes.insert(mobileNumber, {code, 0});
    DebugLog::write(QStringLiteral("[redire-sim] Verification code for %1: %2").arg(mobileNumber, code));
    return {statusOk, QStringLiteral("Vi har sendt deg en SMS med koden."), {}};
}

RegistrationAnswer MemberBook::confirm(const QString& userId, const QString& mobileNumber,
                                       const QString& code, const QString& dateOfBirth,
                                       const QString& postCode) {
    const QString problem = validationProblem(mobileNumber, dateOfBirth, postCode);
    if (!problem.isEmpty())
        return {QStringLiteral("INVALID"), problem, {}};
    const auto pending = m_pendingCodes.find(mobileNumber);
    if (pending == m_pendingCodes.end())
        return {QStringLiteral("NO_CODE"),
                QStringLiteral("Det er ikke sendt noen kode til dette nummeret. Be om en ny kode."),
                {}};
    if (pending->code != code) {
        if (++pending->failedAttempts >= allowedFailedAttempts) {
            m_pendingCodes.erase(pending);
            return {QStringLiteral("CODE_EXPIRED"),
                    QStringLiteral("Koden er brukt opp etter for mange forsøk. Be om en ny kode."),
                    {}};
        }
        return {QStringLiteral("WRONG_CODE"), QStringLiteral("Feil kode. Sjekk SMS-en og prøv igjen."), {}};
    }
    m_pendingCodes.erase(pending);

    // A number that was registered before gets its membership back, with the birthday given the first time.
    const QString memberId =
        m_memberByMobile.value(mobileNumber, userId.isEmpty() ? memberIdForDevice(mobileNumber) : userId);
    SimulatedMember& member = m_members[memberId];
    member.id = memberId;
    member.mobileNumber = mobileNumber;
    if (!member.registered)
        member.dateOfBirth = dateOfBirth;
    member.postCode = postCode;
    member.registered = true;
    m_memberByMobile.insert(mobileNumber, memberId);
    return {statusOk, QStringLiteral("Velkommen som medlem i Korvo Store!"), memberId};
}

QString MemberBook::updatePostCode(const QString& userId, const QString& postCode) {
    if (!isPostCode(postCode))
        return QStringLiteral("Postnummeret må ha 4 siffer.");
    if (userId.isEmpty())
        return QStringLiteral("Ukjent medlem.");
    SimulatedMember& member = m_members[userId];
    member.id = userId;
    member.postCode = postCode;
    return {};
}

std::optional<SimulatedMember> MemberBook::member(const QString& userId) const {
    const auto member = m_members.find(userId);
    if (member == m_members.end())
        return std::nullopt;
    return *member;
}

QString MemberBook::verificationCode(const QString& mobileNumber) const {
    return m_pendingCodes.value(mobileNumber).code;
}
