#include "platform/UserDefaults.h"

#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "platform/VariantTypes.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <optional>

// File layout: magic, format version, payload length, SHA-256 of the payload, payload (a QVariantMap in
// QDataStream form). The length and digest let a half-written or damaged file be told from a good one.
namespace {

constexpr quint32 kMagic = 0x4B565344; // "KVSD"
constexpr quint32 kFormatVersion = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;
constexpr QCryptographicHash::Algorithm kDigest = QCryptographicHash::Sha256;

std::unique_ptr<UserDefaults>& standardStore() {
    static std::unique_ptr<UserDefaults> store;
    return store;
}

QByteArray encodePayload(const QVariantMap& values, bool* ok) {
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(kStreamVersion);
    stream << values;
    *ok = stream.status() == QDataStream::Ok;
    return payload;
}

QByteArray encodeFile(const QByteArray& payload) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(kStreamVersion);
    stream << kMagic << kFormatVersion << quint64(payload.size());
    const QByteArray digest = QCryptographicHash::hash(payload, kDigest);
    stream.writeRawData(digest.constData(), int(digest.size()));
    bytes.append(payload);
    return bytes;
}

// Returns the stored map, or sets *problem to why the bytes are not a whole, intact store.
QVariantMap decodeFile(const QByteArray& bytes, QString* problem) {
    QDataStream header(bytes);
    header.setVersion(kStreamVersion);
    quint32 magic = 0;
    quint32 version = 0;
    quint64 length = 0;
    header >> magic >> version >> length;
    const int digestSize = QCryptographicHash::hashLength(kDigest);
    QByteArray digest(digestSize, Qt::Uninitialized);
    if (header.readRawData(digest.data(), digestSize) != digestSize || header.status() != QDataStream::Ok) {
        *problem = QStringLiteral("header is incomplete");
        return {};
    }
    if (magic != kMagic) {
        *problem = QStringLiteral("not a settings file");
        return {};
    }
    if (version != kFormatVersion) {
        *problem = QStringLiteral("unknown format version %1").arg(version);
        return {};
    }
    const qint64 headerSize = header.device()->pos();
    if (quint64(bytes.size() - headerSize) != length) {
        *problem =
            QStringLiteral("expected %1 bytes of data, found %2").arg(length).arg(bytes.size() - headerSize);
        return {};
    }
    const QByteArray payload = bytes.mid(headerSize);
    if (QCryptographicHash::hash(payload, kDigest) != digest) {
        *problem = QStringLiteral("checksum mismatch");
        return {};
    }
    QDataStream stream(payload);
    stream.setVersion(kStreamVersion);
    QVariantMap values;
    stream >> values;
    if (stream.status() != QDataStream::Ok || !stream.atEnd()) {
        *problem = QStringLiteral("data cannot be decoded");
        return {};
    }
    return values;
}

QString asideName(const QString& filePath) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = QStringLiteral("%1.corrupt-%2").arg(filePath, stamp);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = QStringLiteral("%1.corrupt-%2-%3").arg(filePath, stamp).arg(n);
    return candidate;
}

// Booleans count as numbers here, as the store has always read them (true is 1).
bool isIntegral(const QVariant& value) {
    return isIntegerValue(value) || value.typeId() == QMetaType::Bool;
}

bool isNumber(const QVariant& value) {
    return isIntegral(value) || value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

// A number, or a text that reads as one; nullopt otherwise.
std::optional<double> numericValue(const QVariant& value) {
    if (isNumber(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        if (ok)
            return number;
    }
    return std::nullopt;
}

} // namespace

UserDefaults& UserDefaults::standardUserDefaults() {
    std::unique_ptr<UserDefaults>& store = standardStore();
    if (!store)
        store = std::make_unique<UserDefaults>(
            QDir(Paths::documentsDirectory()).filePath(QStringLiteral("Settings.dat")));
    return *store;
}

void UserDefaults::resetStandardUserDefaults() {
    standardStore().reset();
}

UserDefaults::UserDefaults(const QString& filePath)
    : m_filePath(filePath) {
    load();
}

QString UserDefaults::filePath() const {
    return m_filePath;
}

void UserDefaults::load() {
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog::write(QStringLiteral("Settings file %1 cannot be read (%2); starting with empty settings")
                            .arg(m_filePath, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    QString problem;
    m_values = decodeFile(bytes, &problem);
    if (problem.isEmpty())
        return;
    const QString aside = asideName(m_filePath);
    const bool moved = QFile::rename(m_filePath, aside);
    DebugLog::write(QStringLiteral("Settings file %1 is damaged (%2); %3; starting with empty settings")
                        .arg(m_filePath, problem,
                             moved ? QStringLiteral("kept as %1").arg(aside)
                                   : QStringLiteral("could not move it aside")));
}

bool UserDefaults::synchronize() {
    bool encoded = false;
    const QByteArray payload = encodePayload(m_values, &encoded);
    if (!encoded) {
        DebugLog::write(
            QStringLiteral("Settings cannot be written to %1: a value has no stored form").arg(m_filePath));
        return false;
    }
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeFile(payload)) < 0 || !file.commit()) {
        DebugLog::write(
            QStringLiteral("Settings cannot be written to %1: %2").arg(m_filePath, file.errorString()));
        return false;
    }
    return true;
}

QVariant UserDefaults::objectForKey(const QString& key) const {
    return m_values.value(key);
}

QString UserDefaults::stringForKey(const QString& key) const {
    const QVariant value = m_values.value(key);
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (isNumber(value))
        return value.toString();
    return {};
}

qint64 UserDefaults::integerForKey(const QString& key) const {
    const QVariant value = m_values.value(key);
    // Integers and integer texts are read directly, so that large values do not lose digits on the way.
    if (isIntegral(value))
        return value.toLongLong();
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 integer = value.toString().trimmed().toLongLong(&ok);
        if (ok)
            return integer;
    }
    const double number = numericValue(value).value_or(0.0);
    constexpr double limit = 9.2e18; // within qint64, where the conversion is defined
    if (!std::isfinite(number) || std::abs(number) > limit)
        return 0;
    return qint64(number);
}

double UserDefaults::doubleForKey(const QString& key) const {
    return numericValue(m_values.value(key)).value_or(0.0);
}

bool UserDefaults::boolForKey(const QString& key) const {
    const QVariant value = m_values.value(key);
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0 ||
            text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return numericValue(value).value_or(0.0) != 0.0;
}

QDateTime UserDefaults::dateForKey(const QString& key) const {
    const QVariant value = m_values.value(key);
    return value.typeId() == QMetaType::QDateTime ? value.toDateTime() : QDateTime();
}

QByteArray UserDefaults::dataForKey(const QString& key) const {
    const QVariant value = m_values.value(key);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

QVariantList UserDefaults::arrayForKey(const QString& key) const {
    const QVariant value = m_values.value(key);
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList)
        return value.toList();
    return {};
}

QVariantMap UserDefaults::dictionaryForKey(const QString& key) const {
    const QVariant value = m_values.value(key);
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

void UserDefaults::setObject(const QVariant& value, const QString& key) {
    if (!value.isValid()) {
        m_values.remove(key);
        return;
    }
    // A list of texts is stored as a plain list so that it reads back as the same type it is read as.
    m_values.insert(key, value.typeId() == QMetaType::QStringList ? QVariant(value.toList()) : value);
}

void UserDefaults::setBool(bool value, const QString& key) {
    m_values.insert(key, value);
}

void UserDefaults::setInteger(qint64 value, const QString& key) {
    m_values.insert(key, value);
}

void UserDefaults::setDouble(double value, const QString& key) {
    m_values.insert(key, value);
}

void UserDefaults::removeObjectForKey(const QString& key) {
    m_values.remove(key);
}
