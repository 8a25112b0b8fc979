#include "storage/BRArrayStorage.h"

#include "platform/DebugLog.h"
#include "platform/UserDefaults.h"

#include <QDataStream>
#include <QIODevice>

namespace {

// The archive starts with a tag and a format number, so that bytes of another kind never decode as a list.
constexpr quint32 kArchiveTag = 0x42524153; // "BRAS"
constexpr quint32 kArchiveFormat = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;

std::optional<QVariantList> unarchive(const QByteArray& bytes) {
    QDataStream stream(bytes);
    stream.setVersion(kStreamVersion);
    quint32 tag = 0;
    quint32 format = 0;
    stream >> tag >> format;
    if (stream.status() != QDataStream::Ok || tag != kArchiveTag || format != kArchiveFormat)
        return std::nullopt;
    QVariantList list;
    stream >> list;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return std::nullopt;
    return list;
}

// Qt writes an element it cannot stream as something it cannot read back, so an archive only counts once
// it has been read back.
std::optional<QByteArray> archive(const QVariantList& list) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(kStreamVersion);
    stream << kArchiveTag << kArchiveFormat << list;
    if (stream.status() != QDataStream::Ok || !unarchive(bytes))
        return std::nullopt;
    return bytes;
}

} // namespace

std::optional<QVariantList> BRArrayStorage::arrayForKey(const QString& name) {
    const QVariant stored = UserDefaults::standardUserDefaults().objectForKey(name);
    if (stored.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return unarchive(stored.toByteArray());
}

void BRArrayStorage::setArray(const QVariantList& list, const QString& name) {
    const std::optional<QByteArray> bytes = archive(list);
    if (!bytes) {
        // Storing a partial archive would lose the whole list on the next read; keep the old one instead.
        DebugLog::write(
            QStringLiteral("BRArrayStorage: list \"%1\" holds an object that cannot be archived").arg(name));
        return;
    }
    UserDefaults::standardUserDefaults().setObject(*bytes, name);
}

void BRArrayStorage::addObject(const QVariant& object, const QString& name, bool synchronize) {
    QVariantList list = arrayForKey(name).value_or(QVariantList());
    list.append(object);
    setArray(list, name);
    if (synchronize)
        BRArrayStorage::synchronize();
}

void BRArrayStorage::removeObject(const QVariant& object, const QString& name, bool synchronize) {
    QVariantList list = arrayForKey(name).value_or(QVariantList());
    list.removeAll(object);
    setArray(list, name);
    if (synchronize)
        BRArrayStorage::synchronize();
}

QVariant BRArrayStorage::firstObjectForKey(const QString& name) {
    const std::optional<QVariantList> list = arrayForKey(name);
    if (!list || list->isEmpty())
        return {};
    return list->first();
}

void BRArrayStorage::synchronize() {
    UserDefaults::standardUserDefaults().synchronize();
}
