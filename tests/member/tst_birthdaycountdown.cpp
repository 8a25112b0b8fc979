#include "member/BirthdayCountdown.h"
#include "platform/UserDefaults.h"
#include "storage/SettingsKeys.h"
#include "tests/support/TestHome.h"

#include <QtTest>

class TestBirthdayCountdown : public QObject {
    Q_OBJECT

private slots:
    void days_data() {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("days");

        const auto utc = [](int y, int m, int d, int h = 12) {
            return QDateTime(QDate(y, m, d), QTime(h, 0), QTimeZone::utc());
        };
        QTest::newRow("not confirmed") << false << "15.06.1990" << utc(2026, 6, 10) << -1;
        QTest::newRow("birthday today") << true << "15.06.1990" << utc(2026, 6, 15) << 0;
        QTest::newRow("day before") << true << "15.06.1990" << utc(2026, 6, 14) << 1;
        QTest::newRow("day after") << true << "15.06.1990" << utc(2026, 6, 16) << 364;
        QTest::newRow("day after, leap day between") << true << "15.06.1990" << utc(2027, 6, 16) << 365;
        QTest::newRow("29 February, common year") << true << "29.02.1992" << utc(2026, 2, 28) << 1;
        QTest::newRow("29 February, leap year") << true << "29.02.1992" << utc(2028, 2, 28) << 1;
        QTest::newRow("29 February on the day") << true << "29.02.1992" << utc(2028, 2, 29) << 0;
        // 00:30 in Oslo on the birthday is still the day before in GMT.
        QTest::newRow("east of GMT after local midnight")
            << true << "15.06.1990" << QDateTime(QDate(2026, 6, 15), QTime(0, 30), QTimeZone("Europe/Oslo"))
            << 1;
        QTest::newRow("birth date missing") << true << "" << utc(2026, 6, 10) << -1;
        QTest::newRow("birth date unreadable") << true << "31.02.90" << utc(2026, 6, 10) << -1;
    }
    void days() {
        QFETCH(bool, confirmed);
        QFETCH(QString, birthDate);
        QFETCH(QDateTime, now);
        QFETCH(int, days);
        TestHome home;
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        defaults.setBool(confirmed, kConfirmedKey);
        if (!birthDate.isEmpty())
            defaults.setObject(birthDate, kDobKey);
        QCOMPARE(daysToBirthday(now), days);
    }
};

QTEST_GUILESS_MAIN(TestBirthdayCountdown)
#include "tst_birthdaycountdown.moc"
