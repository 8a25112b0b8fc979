#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture cache: downloaded coupon pictures kept as files in "<documents>/imageCache", one file per
// picture address. The one instance has no state of its own; every path follows the documents directory
// in force at the call.
class StorageManager {
public:
    static StorageManager& sharedStorageManager();

    StorageManager(const StorageManager&) = delete;
    StorageManager& operator=(const StorageManager&) = delete;

    QString applicationDocumentsDirectory() const;
    // The full path of a file name in the cache directory.
    QString getImagePath(const QString& fileName) const;

    // Replaces the picture's file as a whole; a failure leaves the old file and is not reported.
    void saveImage(const QByteArray& bytes, const QString& name) const;
    void deleteImage(const QString& name) const;
    // The picture's bytes, empty when it is not cached. When a place is given and the file was read, it
    // receives the MIME type of the content (a null text for an empty file).
    QByteArray getImageData(const QString& name, QString* mime = nullptr) const;
    // The decoded picture; a null image when it is not cached or cannot be decoded.
    QImage getImage(const QString& name) const;
    bool isImageExist(const QString& name) const;

private:
    StorageManager() = default;

    QString pathForPicture(const QString& name) const;
};
