#include "platform/TextTemplate.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

namespace {

QJsonObject stringTable() {
    QFile file(":/strings/Localizable.json");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The placeholders of a text in order, e.g. "@d" for a text then a number.
QString placeholdersOf(const QString& text) {
    QString kinds;
    static const QRegularExpression placeholder("%(.)");
    for (const auto& match : placeholder.globalMatch(text))
        kinds += match.captured(1);
    return kinds;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void pictureLoadsAtItsSize_data();
    void pictureLoadsAtItsSize();
    void stringTableIsOneObjectOfTexts();
    void textHasItsPlaceholders_data();
    void textHasItsPlaceholders();
    void filledTextHoldsTheHighlightedPart_data();
    void filledTextHoldsTheHighlightedPart();
};

void TestResources::pictureLoadsAtItsSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("pixels");
    // Two pixels per point, but for the one start picture of old one-pixel screens.
    const std::pair<const char*, QSize> pictures[] = {
        {"BadgeIcon.png", {50, 50}},
        {"BigBadgesImage.png", {70, 70}},
        {"homeScreenButtonRed.png", {192, 64}},
        {"homeScreenButtonBlack.png", {192, 64}},
        {"topBar.png", {640, 128}},
        {"topBarLogo.png", {240, 72}},
        {"logo.png", {256, 256}},
        {"Default.png", {320, 480}},
        {"Default@2x.png", {640, 960}},
        {"Default-568h@2x.png", {640, 1136}},
        {"InfoBackground.png", {640, 960}},
        {"InfoBackground-568h@2x.png", {640, 1136}},
        {"CouponBackside.png", {436, 608}},
        {"homeAd.png", {640, 212}},
        {"bottomBar.png", {640, 120}},
        {"offlineBanner.png", {640, 60}},
        {"menuLoyaltyCards.png", {192, 168}},
        {"menuPromotions.png", {192, 168}},
        {"menuValueCoupons.png", {192, 168}},
        {"menuNews.png", {192, 168}},
        {"menuStoreFinder.png", {192, 168}},
        {"menuCompetition.png", {192, 168}},
        {"givePointsTabBar.png", {60, 60}},
        {"givePointsTabBarHighlighted.png", {60, 60}},
        {"halfRate.png", {60, 60}},
        {"emptyRate.png", {40, 40}},
        {"fullRate.png", {40, 40}},
        {"caffeLumenoTabBar.png", {60, 60}},
        {"caffeLumenoTabBarHighlighted.png", {60, 60}},
        {"allReviewsTabBar.png", {60, 60}},
        {"allReviewsTabBarHighlighted.png", {60, 60}},
        {"phone_button_OFF.png", {66, 64}},
        {"phone_button_ON.png", {66, 64}},
        {"CarWash.png", {64, 64}},
        {"infoButton.png", {64, 64}},
        {"tipsButton.png", {64, 64}},
        {"closeButton.png", {64, 64}},
    };
    for (const auto& [name, pixels] : pictures)
        QTest::newRow(name) << QString(name) << pixels;
}

void TestResources::pictureLoadsAtItsSize() {
    QFETCH(QString, name);
    QFETCH(QSize, pixels);
    const QImage image(":/pictures/" + name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), pixels);
}

void TestResources::stringTableIsOneObjectOfTexts() {
    QFile file(":/strings/Localizable.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.isObject());
    const QJsonObject table = document.object();
    for (auto entry = table.begin(); entry != table.end(); ++entry) {
        QVERIFY2(entry.value().isString(), qPrintable(entry.key()));
        QVERIFY2(!entry.value().toString().trimmed().isEmpty(), qPrintable(entry.key()));
    }
}

void TestResources::textHasItsPlaceholders_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("placeholders");
    const std::pair<const char*, const char*> keys[] = {
        {"alert.share.facebook.missing.settings.account.message", ""},
        {"alert.share.facebook.missing.settings.account.title", ""},
        {"alert.share.facebook.session_expired", ""},
        {"alert.share.facebook.success", ""},
        {"alert.share.twitter.missing.settings.account.message", ""},
        {"alert.share.twitter.missing.settings.account.title", ""},
        {"allReviews.search.noResults", ""},
        {"allReviews.search.placeholder", ""},
        {"allReviews.segment0.title", ""},
        {"allReviews.segment1.title", ""},
        {"allReviews.segment2.title", ""},
        {"allReviews.splitter.nearYou.title", ""},
        {"caffeLumeno.content.headline1", ""},
        {"caffeLumeno.content.headline2", ""},
        {"caffeLumeno.content.item1", ""},
        {"caffeLumeno.content.item2", ""},
        {"caffeLumeno.content.item3", ""},
        {"caffeLumeno.content.paragraph1", ""},
        {"caffeLumeno.content.paragraph2", ""},
        {"caffeLumeno.content.paragraph3", ""},
        {"caffeLumeno.content.paragraph4", ""},
        {"caffeLumeno.content.paragraph5", ""},
        {"coffeeRating.tabBar.item.allReviews", ""},
        {"coffeeRating.tabBar.item.coffeeLumeno", ""},
        {"coffeeRating.tabBar.item.givePoints", ""},
        {"coffeeRating.tabBar.title.allReviews", ""},
        {"coffeeRating.tabBar.title.coffeeLumeno", ""},
        {"coffeeRating.tabBar.title.givePoints", ""},
        {"common.ok", ""},
        {"ok", ""},
        {"common.review.none", ""},
        {"common.review.plural", ""},
        {"common.review.singular", ""},
        {"givePoints.bottomStatus.plural%d", "d"},
        {"givePoints.bottomStatus.singular%d", "d"},
        {"givePoints.confirmation.paragraph1%@", "@"},
        {"givePoints.confirmation.topBarTitle", ""},
        {"givePoints.noConnection.alertText", ""},
        {"givePoints.ratable.text.plural%@%d", "@d"},
        {"givePoints.ratable.text.singular%@%d", "@d"},
        {"givePoints.rating.level0", ""},
        {"givePoints.rating.level1", ""},
        {"givePoints.rating.level2", ""},
        {"givePoints.rating.level3", ""},
        {"givePoints.rating.level4", ""},
        {"givePoints.rating.level5", ""},
        {"givePoints.unratable.text", ""},
        {"givePoints.unratable.title", ""},
        {"givePoints.userStatus", ""},
        {"homeView.ad.text", ""},
        {"homeView.ad.title", ""},
        {"homeView.rating.ratable.button", ""},
        {"homeView.rating.ratable.text.line1.plural%@", "@"},
        {"homeView.rating.ratable.text.line1.singular%@", "@"},
        {"homeView.rating.ratable.text.line2.plural%@", "@"},
        {"homeView.rating.ratable.text.line2.singular%@", "@"},
        {"homeView.rating.ratable.title", ""},
        {"homeView.rating.unratable.button", ""},
        {"homeView.rating.unratable.text.plural%@", "@"},
        {"homeView.rating.unratable.text.singular%@", "@"},
        {"homeView.rating.unratable.title", ""},
        {"location.accessDenied.message", ""},
        {"location.accessDenied.title", ""},
        {"share.facebook.caption", ""},
        {"share.facebook.image.url", ""},
        {"share.facebook.link", ""},
        {"share.facebook.name", ""},
    };
    for (const auto& [key, placeholders] : keys)
        QTest::newRow(key) << QString(key) << QString(placeholders);
}

// Every key the app looks up is there, and a text holds exactly the placeholders its caller fills: a text
// without placeholders holds no "%" at all.
void TestResources::textHasItsPlaceholders() {
    QFETCH(QString, key);
    QFETCH(QString, placeholders);
    const QJsonObject table = stringTable();
    QVERIFY2(table.contains(key), qPrintable(key));
    QCOMPARE(placeholdersOf(table.value(key).toString()), placeholders);
}

void TestResources::filledTextHoldsTheHighlightedPart_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("part");
    // Home teaser: a space, the number and a space, then a word starting with "m" after the minutes and
    // with "a" after the ratings left.
    QTest::newRow("minute") << "homeView.rating.ratable.text.line1.singular%@" << QStringList{"1"} << " 1 m";
    QTest::newRow("minutes") << "homeView.rating.ratable.text.line1.plural%@" << QStringList{"45"} << " 45 m";
    QTest::newRow("one left") << "homeView.rating.ratable.text.line2.singular%@" << QStringList{"1"}
                              << " 1 a";
    QTest::newRow("none left") << "homeView.rating.ratable.text.line2.plural%@" << QStringList{"0"} << " 0 a";
    QTest::newRow("unratable one") << "homeView.rating.unratable.text.singular%@" << QStringList{"1"} << "1";
    QTest::newRow("unratable unknown")
        << "homeView.rating.unratable.text.plural%@" << QStringList{"-"} << "-";
    // Give points: the number with a space before and after, and the bold "2 timer".
    QTest::newRow("ratable minute") << "givePoints.ratable.text.singular%@%d" << QStringList{"Sentrum", "1"}
                                    << " 1 ";
    QTest::newRow("ratable minutes") << "givePoints.ratable.text.plural%@%d" << QStringList{"Sentrum", "120"}
                                     << " 120 ";
    QTest::newRow("one cup left") << "givePoints.bottomStatus.singular%d" << QStringList{"1"} << " 1 ";
    QTest::newRow("cups left") << "givePoints.bottomStatus.plural%d" << QStringList{"5"} << " 5 ";
    QTest::newRow("two hours") << "givePoints.unratable.text" << QStringList{} << "2 timer";
    QTest::newRow("level named") << "givePoints.confirmation.paragraph1%@" << QStringList{"Veldig god"}
                                 << "Veldig god";
}

// The screens highlight part of a filled text by searching for it; a text that lost that part would show
// unstyled without any error.
void TestResources::filledTextHoldsTheHighlightedPart() {
    QFETCH(QString, key);
    QFETCH(QStringList, values);
    QFETCH(QString, part);
    const QString text = fillPlaceholders(stringTable().value(key).toString(), values);
    QVERIFY2(text.contains(part, Qt::CaseInsensitive), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
