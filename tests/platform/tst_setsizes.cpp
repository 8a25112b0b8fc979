#include "platform/SetSizes.h"

#include <QTest>
#include <QWidget>

using Setter = void (*)(QWidget*, double);

class TestSetSizes : public QObject {
    Q_OBJECT

private slots:
    void setterChangesOnlyItsPart_data() {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("x") << Setter(&setX) << QRect(7, 20, 30, 40);
        QTest::newRow("y") << Setter(&setY) << QRect(10, 7, 30, 40);
        QTest::newRow("width") << Setter(&setWidth) << QRect(10, 20, 7, 40);
        QTest::newRow("height") << Setter(&setHeight) << QRect(10, 20, 30, 7);
    }

    void setterChangesOnlyItsPart() {
        QFETCH(Setter, setter);
        QWidget parent;
        QWidget view(&parent);
        view.setGeometry(10, 20, 30, 40);
        setter(&view, 6.6);
        QTEST(view.geometry(), "expected");
        QCOMPARE(
            (QList<double>{x(&view), y(&view), width(&view), height(&view)}),
            (QList<double>{double(view.x()), double(view.y()), double(view.width()), double(view.height())}));
    }

    void missingViewReadsZero() {
        QCOMPARE(x(nullptr) + y(nullptr) + width(nullptr) + height(nullptr), 0.0);
        setX(nullptr, 5);
        setHeight(nullptr, 5);
    }
};

QTEST_MAIN(TestSetSizes)
#include "tst_setsizes.moc"
