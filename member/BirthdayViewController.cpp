#include "member/BirthdayViewController.h"

#include "member/BirthdayCountdown.h"

BirthdayViewController::BirthdayViewController(QObject* parent)
    : PlaceholderViewController(QStringLiteral("Medlem"),
                                QStringLiteral("Registrering som medlem kommer snart i denne appen."),
                                parent) {}

int BirthdayViewController::daysToBirthday() {
    return ::daysToBirthday();
}
