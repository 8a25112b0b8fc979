#include "platform/Device.h"

#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUuid>

namespace Device {

QString model() {
    return Configuration::current().deviceModel;
}

QString systemVersion() {
    return Configuration::current().systemVersion;
}

int screenHeight() {
    return Configuration::current().screenHeight;
}

bool canSendMail() {
    return Configuration::current().canSendMail;
}

bool canSendText() {
    return Configuration::current().canSendText;
}

int compareVersions(const QString& left, const QString& right) {
    const QStringList leftParts = left.split(QLatin1Char('.'));
    const QStringList rightParts = right.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < std::max(leftParts.size(), rightParts.size()); ++i) {
        const qint64 l = i < leftParts.size() ? leftParts[i].toLongLong() : 0;
        const qint64 r = i < rightParts.size() ? rightParts[i].toLongLong() : 0;
        if (l != r)
            return l < r ? -1 : 1;
    }
    return 0;
}

bool systemVersionLessThan(const QString& version) {
    return compareVersions(systemVersion(), version) < 0;
}

namespace {

QString readIdentifier(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll()).trimmed();
    return QUuid::fromString(text).isNull() ? QString() : text;
}

} // namespace

QString identifier() {
    // Kept per file, so that a new documents directory (another installation) gets its own identifier.
    static QString cachedPath;
    static QString cachedIdentifier;
    const QString path = QDir(Paths::documentsDirectory()).filePath(QStringLiteral("DeviceIdentifier"));
    if (path == cachedPath)
        return cachedIdentifier;

    QString identifier = readIdentifier(path);
    if (identifier.isEmpty()) {
        if (QFile::exists(path))
            DebugLog::write(
                QStringLiteral("Device identifier file %1 is unreadable; making a new one").arg(path));
        identifier = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(identifier.toUtf8()) < 0 || !file.commit())
            DebugLog::write(
                QStringLiteral("Device identifier cannot be saved to %1: %2").arg(path, file.errorString()));
    }
    cachedPath = path;
    cachedIdentifier = identifier;
    return identifier;
}

} // namespace Device
