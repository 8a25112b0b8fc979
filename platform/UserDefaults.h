#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

// The persistent settings store: one map from text keys to values of distinct types (text, integer, real,
// boolean, date, bytes, list, map). Writes are visible to every reader at once and reach the disk on
// synchronize(), which replaces the whole file atomically.
class UserDefaults {
public:
    // The store of the documents directory's settings file, opened on first use.
    static UserDefaults& standardUserDefaults();
    // Forgets the shared store, so that the next standardUserDefaults() reopens it (tests, a new home).
    static void resetStandardUserDefaults();

    explicit UserDefaults(const QString& filePath);

    QVariant objectForKey(const QString& key) const;
    QString stringForKey(const QString& key) const;
    qint64 integerForKey(const QString& key) const;
    double doubleForKey(const QString& key) const;
    bool boolForKey(const QString& key) const;
    QDateTime dateForKey(const QString& key) const;
    QByteArray dataForKey(const QString& key) const;
    QVariantList arrayForKey(const QString& key) const;
    QVariantMap dictionaryForKey(const QString& key) const;

    // An invalid (null) QVariant removes the key.
    void setObject(const QVariant& value, const QString& key);
    void setBool(bool value, const QString& key);
    void setInteger(qint64 value, const QString& key);
    void setDouble(double value, const QString& key);
    void removeObjectForKey(const QString& key);

    // Writes the whole store to disk atomically; false when the write failed (the old file stays).
    bool synchronize();

    QString filePath() const;

private:
    void load();

    QString m_filePath;
    QVariantMap m_values;
};
