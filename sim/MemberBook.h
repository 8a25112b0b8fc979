#pragma once

#include <QHash>
#include <QString>

#include <optional>

struct SimulatedMember {
    QString id;
    QString mobileNumber;
    QString dateOfBirth; // "dd.MM.yyyy"
    QString postCode;
    bool registered = false;
};

// What RegisterUser answers: a status ("OK" on success), a Norwegian message for the member and, after a
// confirmed code, the member identifier.
struct RegistrationAnswer {
    QString status;
    QString statusText;
    QString memberId;
};

// The service's members: identifiers handed to devices, verification codes sent by "SMS" (to the log) and
// registered members' profiles.
class MemberBook {
public:
    // The same installation always gets the same identifier, also after the simulator restarts, so an app
    // that saved its identifier keeps being recognised.
    static QString memberIdForDevice(const QString& instanceId);

    RegistrationAnswer requestCode(const QString& userId, const QString& mobileNumber,
                                   const QString& dateOfBirth, const QString& postCode);
    RegistrationAnswer confirm(const QString& userId, const QString& mobileNumber, const QString& code,
                               const QString& dateOfBirth, const QString& postCode);
    // Empty on success, otherwise the reason the change is refused.
    QString updatePostCode(const QString& userId, const QString& postCode);

    std::optional<SimulatedMember> member(const QString& userId) const;
    // The code last sent to the number and still valid, or the empty text.
    QString verificationCode(const QString& mobileNumber) const;

private:
    struct PendingCode {
        QString code;
        int failedAttempts = 0;
    };

    QString validationProblem(const QString& mobileNumber, const QString& dateOfBirth,
                              const QString& postCode) const;

    QHash<QString, SimulatedMember> m_members;  // by member identifier
    QHash<QString, QString> m_memberByMobile;   // mobile number -> member identifier
    QHash<QString, PendingCode> m_pendingCodes; // by mobile number
};
