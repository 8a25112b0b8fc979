#include "member/BirthdayCountdown.h"

#include "platform/UserDefaults.h"
#include "storage/SettingsKeys.h"

namespace {

// A calendar that rolls over like the phone's lenient one: 29 February of a common year is 1 March.
QDate lenientDate(int year, int month, int day) {
    const QDate first(year, month, 1);
    return first.addDays(day - 1);
}

} // namespace

int daysToBirthday(const QDateTime& now) {
    const UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.boolForKey(kConfirmedKey))
        return -1;
    const QDate birthDate = QDate::fromString(defaults.stringForKey(kDobKey), QStringLiteral("dd.MM.yyyy"));
    // A confirmed member without a readable birth date has no countdown, rather than one to a made-up day.
    if (!birthDate.isValid())
        return -1;

    const QDate today = now.toUTC().date();
    int year = today.year();
    if (birthDate.month() < today.month() ||
        (birthDate.month() == today.month() && birthDate.day() < today.day()))
        ++year;
    const QDate nextBirthday = lenientDate(year, birthDate.month(), birthDate.day());
    return int(today.daysTo(nextBirthday));
}
