#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>

// Named lists of arbitrary objects in the settings store, each archived as one bytes value under its
// name. An element may be any QVariant whose type can be streamed: built-in types, and own types whose
// QDataStream operators are known to the meta-type system (qRegisterMetaType before the first read).
// Changes reach the disk only on synchronize.
class BRArrayStorage {
public:
    BRArrayStorage() = delete;

    // The stored list; nothing when the name is unused or its bytes cannot be decoded.
    static std::optional<QVariantList> arrayForKey(const QString& name);
    static void setArray(const QVariantList& list, const QString& name);
    // Appends to the list (an unused name starts an empty one).
    static void addObject(const QVariant& object, const QString& name, bool synchronize);
    // Removes every element equal to the object.
    static void removeObject(const QVariant& object, const QString& name, bool synchronize);
    // The first element; an invalid QVariant when the list is missing or empty.
    static QVariant firstObjectForKey(const QString& name);
    static void synchronize();
};
