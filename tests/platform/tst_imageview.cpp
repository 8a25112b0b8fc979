#include "platform/ImageView.h"

#include <QPainter>
#include <QTest>

namespace {

// A 30 x 30 point picture: green, with a red top left and a blue bottom right 10 x 10 corner, and a middle
// whose left half is black and right half white. At scale 2 it has twice the pixels, as a "@2x" picture.
QPixmap cornersPicture(int scale = 1) {
    QImage image(30 * scale, 30 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::green);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.fillRect(0, 0, 10, 10, Qt::red);
    painter.fillRect(20, 20, 10, 10, Qt::blue);
    painter.fillRect(10, 10, 5, 10, Qt::black);
    painter.fillRect(15, 10, 5, 10, Qt::white);
    painter.end();
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(scale);
    return picture;
}

QImage rendered(ImageView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

class TestImageView : public QObject {
    Q_OBJECT

private slots:
    void capsKeepTheirSize_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QColor>("middle"); // 15 points into the stretched middle
        QTest::newRow("stretch") << int(ImageView::ResizingMode::Stretch) << 1 << QColor(Qt::black);
        QTest::newRow("tile") << int(ImageView::ResizingMode::Tile) << 1 << QColor(Qt::white);
        QTest::newRow("double resolution") << int(ImageView::ResizingMode::Stretch) << 2 << QColor(Qt::black);
    }

    void capsKeepTheirSize() {
        QFETCH(int, mode);
        QFETCH(int, scale);
        ImageView view;
        view.resize(100, 60);
        view.setImage(cornersPicture(scale));
        view.setCapInsets(QMargins(10, 10, 10, 10), ImageView::ResizingMode(mode));
        const QImage image = rendered(view);
        QCOMPARE(image.pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(image.pixelColor(8, 8), QColor(Qt::red));
        QCOMPARE(image.pixelColor(12, 2), QColor(Qt::green)); // scaled whole, the red would reach here
        QCOMPARE(image.pixelColor(98, 58), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(91, 51), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(88, 58), QColor(Qt::green));
        QTEST(image.pixelColor(25, 30), "middle");
    }

    void withoutCapsThePictureIsScaledWhole() {
        ImageView view;
        view.resize(90, 90);
        view.setImage(cornersPicture());
        const QImage image = rendered(view);
        QCOMPARE(image.pixelColor(25, 25), QColor(Qt::red));
        QCOMPARE(image.pixelColor(85, 85), QColor(Qt::blue));
    }

    void alphaAndMissingPicture() {
        ImageView view;
        view.resize(30, 30);
        QCOMPARE(rendered(view).pixelColor(15, 15).alpha(), 0);
        view.setImage(cornersPicture());
        view.setAlpha(0.5);
        QVERIFY(qAbs(rendered(view).pixelColor(25, 5).alpha() - 128) <= 2);
        view.setAlpha(3);
        QCOMPARE(view.alpha(), 1.0);
    }
};

QTEST_MAIN(TestImageView)
#include "tst_imageview.moc"
