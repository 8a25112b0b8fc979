#include "platform/DebugLog.h"
#include "platform/UserDefaults.h"
#include "service/RedireCoupon.h"
#include "storage/SettingsKeys.h"
#include "storage/StorageManager.h"
#include "tests/support/TestHome.h"

#include <QBuffer>
#include <QHttpServer>
#include <QTest>

namespace {

QByteArray pngOf(const QSize& size, const QColor& color) {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// An address nothing listens on: a record that tried to fetch from it would get no picture.
const QString kUnreachableUrl = QStringLiteral("http://127.0.0.1:9/coupon.png");

QVariantMap coupon(const QVariantMap& changes = {}) {
    QVariantMap map{{"Id", "77"},
                    {"TypeId", "145"},
                    {"AmountLeft", "4"},
                    {"Text", "Kaffe og bolle"},
                    {"SubText", "Hver dag"},
                    {"Expires", "31.05.2014 23:59:00"},
                    {"Universe", "KAFFE"},
                    {"redeemed", "true"}};
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.value().isValid())
            map.insert(it.key(), it.value());
        else
            map.remove(it.key());
    }
    return map;
}

QVariantMap versionMap() {
    return UserDefaults::standardUserDefaults().dictionaryForKey(kVersionDictionaryKey);
}

class LoadedPictures : public RedireCouponLoading {
public:
    void imageLoaded(const QImage& image) override { pictures.append(image); }
    QList<QImage> pictures;
};

} // namespace

class TestRedireCoupon : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void readsTheCouponsFieldsTyped() {
        const RedireCoupon record(coupon());
        QCOMPARE(record.ID(), "77");
        QCOMPARE(record.type(), 145);
        QCOMPARE(record.left(), 4);
        QCOMPARE(record.backCoverText(), "Kaffe og bolle");
        QCOMPARE(record.subText(), "Hver dag");
        QCOMPARE(record.universeString(), "KAFFE");
        QVERIFY(record.redeemed());
        QCOMPARE(record.expirationDate(), QDateTime(QDate(2014, 5, 31), QTime(23, 59), Qt::LocalTime));
        QVERIFY(!record.isFlipped());
    }

    void oddTextsReadAsNothing_data() {
        QTest::addColumn<QVariantMap>("changes");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("redeemed");
        QTest::addColumn<bool>("expires");

        QTest::newRow("type not a number") << QVariantMap{{"TypeId", "abc"}} << 0 << true << true;
        QTest::newRow("type absent") << QVariantMap{{"TypeId", QVariant()}} << 0 << true << true;
        QTest::newRow("redeemed in capitals") << QVariantMap{{"redeemed", "TRUE"}} << 145 << false << true;
        QTest::newRow("redeemed absent") << QVariantMap{{"redeemed", QVariant()}} << 145 << false << true;
        QTest::newRow("expiry without time")
            << QVariantMap{{"Expires", "31.05.2014"}} << 145 << true << false;
        QTest::newRow("expiry absent") << QVariantMap{{"Expires", QVariant()}} << 145 << true << false;
    }
    void oddTextsReadAsNothing() {
        QFETCH(QVariantMap, changes);
        QFETCH(int, type);
        QFETCH(bool, redeemed);
        QFETCH(bool, expires);

        const RedireCoupon record(coupon(changes));
        QCOMPARE(record.type(), type);
        QCOMPARE(record.redeemed(), redeemed);
        QCOMPARE(record.expirationDate().isValid(), expires);
    }

    void backSide_data() {
        QTest::addColumn<QVariant>("text");
        QTest::addColumn<bool>("canFlip");
        QTest::newRow("one space") << QVariant(" ") << true;
        QTest::newRow("word") << QVariant("a") << true;
        QTest::newRow("word among spaces") << QVariant("  a ") << true;
        QTest::newRow("empty") << QVariant("") << false;
        QTest::newRow("two spaces") << QVariant("  ") << false;
        QTest::newRow("absent") << QVariant() << false;
    }
    void backSide() {
        QFETCH(QVariant, text);
        QFETCH(bool, canFlip);
        QCOMPARE(RedireCoupon(coupon({{"Text", text}})).isCanFlip(), canFlip);
    }

    void aNewPictureVersionReplacesTheStoredPicture() {
        StorageManager& cache = StorageManager::sharedStorageManager();
        cache.saveImage(pngOf({4, 4}, Qt::red), kUnreachableUrl);

        RedireCoupon first(coupon({{"Url", kUnreachableUrl}, {"Version", "3"}}));
        QCoreApplication::processEvents(); // a new record asks for its picture once the event loop runs
        const QVariantMap expected{{kVersionNumberKey, 3}, {kImageUrlKey, kUnreachableUrl}};
        QCOMPARE(versionMap(), (QVariantMap{{"145_77", expected}}));
        QVERIFY(first.dictionaryForCaching().contains("Image"));

        QVariantMap saved = first.dictionaryForCaching();
        saved.insert("Version", "4");
        RedireCoupon changed(saved);
        QCoreApplication::processEvents();

        QVERIFY(!cache.isImageExist(kUnreachableUrl));
        QVERIFY(!changed.dictionaryForCaching().contains("Image"));
        QCOMPARE(changed.savedVersionNumber(), 4);
        QCOMPARE(versionMap().size(), 1);
    }

    void aCouponWithoutVersionIsVersionZero() {
        RedireCoupon record(coupon({{"Url", kUnreachableUrl}}));
        QCoreApplication::processEvents();
        QCOMPARE(record.dictionaryWithSavedVersionForCurrentCoupon(),
                 (QVariantMap{{kVersionNumberKey, 0}, {kImageUrlKey, kUnreachableUrl}}));
    }

    void recordsOfOneCouponShareTheirVersionEntry() {
        RedireCoupon first(coupon({{"Url", kUnreachableUrl}, {"Version", "2"}}));
        RedireCoupon second(coupon({{"Url", kUnreachableUrl}, {"Version", "2"}}));
        RedireCoupon otherKind(coupon({{"Url", kUnreachableUrl}, {"TypeId", "146"}}));
        QCoreApplication::processEvents();

        QCOMPARE(versionMap().keys(), (QStringList{"145_77", "146_77"}));
        QCOMPARE(second.savedVersionNumber(), 2);
        QCOMPARE(otherKind.savedVersionNumber(), 0);
    }

    void aCachedPictureIsReadWithoutNetwork() {
        const QByteArray png = pngOf({3, 5}, Qt::blue);
        StorageManager::sharedStorageManager().saveImage(png, kUnreachableUrl);

        RedireCoupon record(coupon({{"Url", kUnreachableUrl}}));
        QCOMPARE(record.image(), png);
        QCOMPARE(record.dictionaryForCaching().value("Image").toByteArray(), png);
        QCOMPARE(record.reflectionImage().size(), QSize(218, 304));
    }

    void aDownloadIsKeptOnlyWhenItIsAPicture_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("kept");
        QTest::newRow("picture") << "/ok.png" << true;
        QTest::newRow("picture with error status") << "/missing.png" << false;
        QTest::newRow("web page") << "/page.png" << false;
    }
    void aDownloadIsKeptOnlyWhenItIsAPicture() {
        QFETCH(QString, path);
        QFETCH(bool, kept);

        const QByteArray png = pngOf({6, 2}, Qt::green);
        QHttpServer server;
        server.route("/ok.png", [png] { return QHttpServerResponse("image/png", png); });
        server.route("/missing.png", [png] {
            return QHttpServerResponse("image/png", png, QHttpServerResponder::StatusCode::NotFound);
        });
        server.route("/page.png", [] { return QHttpServerResponse("text/html", "<html>busy</html>"); });
        const quint16 port = server.listen(QHostAddress::LocalHost);
        QVERIFY(port != 0);
        const QString url = QString("http://127.0.0.1:%1%2").arg(port).arg(path);

        DebugLog::Capture log;
        LoadedPictures loaded;
        RedireCoupon record(coupon({{"Url", url}}));
        record.setDelegate(&loaded);
        QVERIFY(record.image().isEmpty());

        if (kept) {
            QTRY_COMPARE(loaded.pictures.size(), 1);
            QCOMPARE(loaded.pictures.first().size(), QSize(6, 2));
            QCOMPARE(record.image(), png);
            QCOMPARE(StorageManager::sharedStorageManager().getImageData(url), png);
            QVERIFY(log.lines().isEmpty());
        } else {
            QTRY_VERIFY(!log.lines().isEmpty());
            QVERIFY(log.lines().first().startsWith("Picture download failed: " + url));
            QVERIFY(loaded.pictures.isEmpty());
            QVERIFY(!record.dictionaryForCaching().contains("Image"));
            QVERIFY(!StorageManager::sharedStorageManager().isImageExist(url));
        }
    }

    void theReflectionFadesOutBelowTheTopEdge() {
        QImage solid(40, 40, QImage::Format_ARGB32);
        solid.fill(Qt::red);
        const QImage reflection = RedireCoupon::generateReflectionImageForImage(solid);

        QCOMPARE(reflection.deviceIndependentSize(), QSizeF(218, 304));
        const auto alphaAt = [&](int row) { return reflection.pixelColor(100, row).alpha(); };
        QVERIFY2(alphaAt(0) > 240, qPrintable(QString::number(alphaAt(0))));
        QVERIFY2(alphaAt(23) > 100 && alphaAt(23) < 155, qPrintable(QString::number(alphaAt(23))));
        QCOMPARE(alphaAt(46), 0);
        QCOMPARE(alphaAt(303), 0);
        QCOMPARE(reflection.pixelColor(100, 0).red(), 255);
        QVERIFY(RedireCoupon::generateReflectionImageForImage(QImage()).isNull());
    }

    void theReflectionMirrorsThePictureAndShiftsItUp() {
        // Red bottom quarter under a green rest, drawn 1:1 on the 218 x 304 canvas.
        QImage picture(218, 304, QImage::Format_ARGB32);
        picture.fill(Qt::green);
        for (int row = 228; row < 304; ++row)
            for (int column = 0; column < 218; ++column)
                picture.setPixelColor(column, row, Qt::red);

        const auto topColor = [&](qreal shift) {
            const QColor color =
                RedireCoupon::generateReflectionImageForImage(picture, shift).pixelColor(100, 1);
            if (color.alpha() == 0)
                return QStringLiteral("nothing");
            return color.red() > color.green() ? QStringLiteral("red") : QStringLiteral("green");
        };
        QCOMPARE(topColor(0), "red");
        QCOMPARE(topColor(100), "green");
    }

private:
    std::unique_ptr<TestHome> m_home;
};

QTEST_MAIN(TestRedireCoupon)
#include "tst_redirecoupon.moc"
