#pragma once

#include <QDateTime>

// Whole days from today (the GMT date) to the member's next birthday: 0 on the birthday itself, -1 when the
// registration is not confirmed or the saved birth date is missing or unreadable.
int daysToBirthday(const QDateTime& now = QDateTime::currentDateTimeUtc());
