#include "platform/StringTable.h"
#include "platform/TextTemplate.h"
#include "screens/RatingTeaser.h"

#include <QtTest>

namespace {
std::optional<RatingState> allowance(qint64 window, int remaining) {
    RatingState state;
    state.epoch = 1000;
    state.epochTTL = 1000 + window;
    state.remRatings = remaining;
    return state;
}

QString styled(const AttributedString& text, int index) {
    const AttributedString::Style& style = text.styles.at(index);
    return text.text.mid(style.start, style.length);
}
} // namespace

class TestRatingTeaser : public QObject {
    Q_OBJECT

private slots:
    void teaser_data() {
        QTest::addColumn<std::optional<RatingState>>("state");
        QTest::addColumn<bool>("ratable");
        QTest::addColumn<QString>("textKey");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("highlighted");

        const QString line1Plural = QStringLiteral("homeView.rating.ratable.text.line1.plural%@");
        const QString line1Singular = QStringLiteral("homeView.rating.ratable.text.line1.singular%@");
        const QString line2Plural = QStringLiteral("homeView.rating.ratable.text.line2.plural%@");
        const QString line2Singular = QStringLiteral("homeView.rating.ratable.text.line2.singular%@");
        QTest::newRow("90 s rounds up to 2 minutes")
            << allowance(90, 3) << true << line1Plural + "|" + line2Plural << QStringList{"2", "3"}
            << QStringList{" 2 ", " 3 "};
        QTest::newRow("60 s is 1 minute") << allowance(60, 3) << true << line1Singular + "|" + line2Plural
                                          << QStringList{"1", "3"} << QStringList{" 1 ", " 3 "};
        QTest::newRow("one rating left") << allowance(600, 1) << true << line1Plural + "|" + line2Singular
                                         << QStringList{"10", "1"} << QStringList{" 10 ", " 1 "};
        QTest::newRow("window closed")
            << allowance(0, 2) << false << "homeView.rating.unratable.text.plural%@" << QStringList{"2"}
            << QStringList{"2"};
        QTest::newRow("window past") << allowance(-5, 1) << false
                                     << "homeView.rating.unratable.text.singular%@" << QStringList{"1"}
                                     << QStringList{"1"};
        QTest::newRow("no allowance stored")
            << std::optional<RatingState>() << false << "homeView.rating.unratable.text.plural%@"
            << QStringList{"-"} << QStringList{"-"};
    }
    void teaser() {
        QFETCH(std::optional<RatingState>, state);
        QFETCH(bool, ratable);
        QFETCH(QString, textKey);
        QFETCH(QStringList, values);
        QFETCH(QStringList, highlighted);

        const RatingTeaser teaser = RatingTeaser::forState(state);
        QCOMPARE(teaser.ratable, ratable);
        QStringList lines;
        for (const QString& key : textKey.split(QLatin1Char('|')))
            lines << localizedString(key);
        QCOMPARE(teaser.text.text, fillPlaceholders(lines.join(QLatin1Char('\n')), values));
        QCOMPARE(teaser.text.styles.size(), highlighted.size());
        for (int i = 0; i < highlighted.size(); ++i) {
            QCOMPARE(styled(teaser.text, i), highlighted.at(i));
            QCOMPARE(teaser.text.styles.at(i).color, QColor::fromRgbF(1, 0.8f, 0, 1));
            QVERIFY(teaser.text.styles.at(i).font.bold());
        }
        QCOMPARE(teaser.textHeight, ratable ? 36 : 18);
        QCOMPARE(teaser.buttonImage, ratable ? QStringLiteral("homeScreenButtonRed.png")
                                             : QStringLiteral("homeScreenButtonBlack.png"));
    }
};

QTEST_MAIN(TestRatingTeaser)
#include "tst_ratingteaser.moc"
