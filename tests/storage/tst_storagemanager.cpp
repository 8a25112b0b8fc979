#include "storage/StorageManager.h"
#include "tests/support/TestHome.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kAddress = QStringLiteral("https://img.korvo.example/coupons/145/42.png");

QByteArray pngBytes() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QStringList cachedFiles(const TestHome& home) {
    return QDir(home.filePath("imageCache")).entryList(QDir::Files);
}

} // namespace

class TestStorageManager : public QObject {
    Q_OBJECT

private slots:
    void picturesLiveInTheDocumentsImageCache() {
        TestHome home;
        StorageManager& storage = StorageManager::sharedStorageManager();
        QCOMPARE(storage.applicationDocumentsDirectory(), home.path());
        QCOMPARE(storage.getImagePath("abc"), home.path() + "/imageCache/abc");
        storage.saveImage("bytes", "a");
        // 32-bit FNV-1a of "a" is 0xe40c292c.
        QCOMPARE(cachedFiles(home), QStringList{"e40c292c"});
    }

    void savingTwiceKeepsTheSecondContent() {
        TestHome home;
        StorageManager& storage = StorageManager::sharedStorageManager();
        storage.saveImage("first picture", kAddress);
        storage.saveImage("second", kAddress);
        QCOMPARE(cachedFiles(home).size(), 1);
        QCOMPARE(storage.getImageData(kAddress), "second");
        QVERIFY(storage.isImageExist(kAddress));
    }

    void readingAPicture() {
        TestHome home;
        StorageManager& storage = StorageManager::sharedStorageManager();
        storage.saveImage(pngBytes(), kAddress);
        QString mime;
        QCOMPARE(storage.getImageData(kAddress, &mime), pngBytes());
        QCOMPARE(mime, "image/png");
        QCOMPARE(storage.getImage(kAddress).size(), QSize(3, 2));
    }

    void missingPictures() {
        TestHome home;
        StorageManager& storage = StorageManager::sharedStorageManager();
        storage.deleteImage(kAddress);
        QVERIFY(!storage.isImageExist(kAddress));
        QString mime = "untouched";
        QVERIFY(storage.getImageData(kAddress, &mime).isEmpty());
        QCOMPARE(mime, "untouched");
        QVERIFY(storage.getImage(kAddress).isNull());
    }

    void deletingRemovesOnlyThatPicture() {
        TestHome home;
        StorageManager& storage = StorageManager::sharedStorageManager();
        storage.saveImage("one", kAddress);
        storage.saveImage("two", kAddress + "?v=2");
        storage.deleteImage(kAddress);
        QVERIFY(!storage.isImageExist(kAddress));
        QCOMPARE(storage.getImageData(kAddress + "?v=2"), "two");
    }
};

QTEST_MAIN(TestStorageManager)
#include "tst_storagemanager.moc"
