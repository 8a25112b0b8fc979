#include "storage/StorageManager.h"

#include "platform/DebugLog.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>

namespace {

const QString kCacheDirectoryName = QStringLiteral("imageCache");

// The file name of a picture: 32-bit FNV-1a over the UTF-8 bytes of its address, in lower-case hex
// without leading zeros. Stable across launches and platforms; two addresses that collide share a file.
QString fileNameForPicture(const QString& name) {
    quint32 hash = 2166136261u;
    for (const char byte : name.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    return QString::number(hash, 16);
}

} // namespace

StorageManager& StorageManager::sharedStorageManager() {
    static StorageManager instance; // made once, also when first asked from two threads at a time
    return instance;
}

QString StorageManager::applicationDocumentsDirectory() const {
    return Paths::documentsDirectory();
}

QString StorageManager::getImagePath(const QString& fileName) const {
    return QStringLiteral("%1/%2/%3").arg(applicationDocumentsDirectory(), kCacheDirectoryName, fileName);
}

QString StorageManager::pathForPicture(const QString& name) const {
    return getImagePath(fileNameForPicture(name));
}

void StorageManager::saveImage(const QByteArray& bytes, const QString& name) const {
    const QString path = pathForPicture(name);
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return; // the QSaveFile is discarded: the old picture stays whole
    file.commit();
}

void StorageManager::deleteImage(const QString& name) const {
    QFile::remove(pathForPicture(name));
}

QByteArray StorageManager::getImageData(const QString& name, QString* mime) const {
    QFile file(pathForPicture(name));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog::write(QStringLiteral("Error: %1").arg(file.errorString()));
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        DebugLog::write(QStringLiteral("Error: %1").arg(file.errorString()));
        return bytes;
    }
    if (mime)
        *mime = bytes.isEmpty() ? QString() : QMimeDatabase().mimeTypeForData(bytes).name();
    return bytes;
}

QImage StorageManager::getImage(const QString& name) const {
    return QImage::fromData(getImageData(name));
}

bool StorageManager::isImageExist(const QString& name) const {
    // Reporting presence lets pictures already downloaded show without a connection.
    return QFileInfo::exists(pathForPicture(name));
}
