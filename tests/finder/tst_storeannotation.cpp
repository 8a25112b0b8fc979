#include "finder/StoreAnnotation.h"

#include <QTest>

class TestStoreAnnotation : public QObject {
    Q_OBJECT

private slots:
    void emptyAnnotation() {
        const StoreAnnotation annotation;
        QVERIFY(annotation.name().isEmpty() && annotation.phone().isEmpty() &&
                annotation.address().isEmpty());
        QCOMPARE(annotation.coordinate(), LocationCoordinate{});
        QVERIFY(!annotation.isWashAvailable());
        QCOMPARE(annotation.storeRating(), 0.0f);
    }

    void fromStoreRecord() {
        const StoreAnnotation annotation({{"name", "Korvo Majorstuen"},
                                          {"address", "Bogstadveien 1, 0355 Oslo"},
                                          {"telephone", "22 00 00 00"},
                                          {"wash", "TRUE"},
                                          {"location", "59.91,10.75"}});
        QCOMPARE(annotation.title(), "Korvo Majorstuen");
        QCOMPARE(annotation.subtitle(), "Bogstadveien 1, 0355 Oslo");
        QCOMPARE(annotation.phone(), "22 00 00 00");
        QVERIFY(annotation.isWashAvailable());
        QCOMPARE(annotation.coordinate(), (LocationCoordinate{59.91, 10.75}));
    }

    void recordWithoutTelephoneOrWash() {
        const StoreAnnotation annotation({{"name", "Korvo"}, {"wash", "true"}});
        QVERIFY(annotation.phone().isEmpty());
        QVERIFY(!annotation.isWashAvailable());
    }

    void location_data() {
        QTest::addColumn<QString>("location");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("space after the comma") << "59.91, 10.75" << 59.91 << 10.75;
        QTest::newRow("negative and signed") << " -33.5,+151.25" << -33.5 << 151.25;
        QTest::newRow("trailing text is ignored") << "59.91N,10.75E" << 59.91 << 10.75;
        QTest::newRow("not a number reads as 0") << "north,10.75" << 0.0 << 10.75;
        QTest::newRow("empty part") << "59.91," << 59.91 << 0.0;
        QTest::newRow("no location") << "" << 0.0 << 0.0;
        QTest::newRow("one part") << "59.91" << 0.0 << 0.0;
        QTest::newRow("three parts") << "59.91,10.75,3" << 0.0 << 0.0;
        QTest::newRow("decimal comma splits into three") << "59,91,10.75" << 0.0 << 0.0;
        QTest::newRow("not finite") << "nan,inf" << 0.0 << 0.0;
    }
    void location() {
        QFETCH(QString, location);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        const StoreAnnotation annotation({{"location", location}});
        QCOMPARE(annotation.coordinate(), (LocationCoordinate{latitude, longitude}));
    }
};

QTEST_APPLESS_MAIN(TestStoreAnnotation)
#include "tst_storeannotation.moc"
