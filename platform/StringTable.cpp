#include "platform/StringTable.h"

#include "platform/DebugLog.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kTablePath = QStringLiteral(":/strings/Localizable.json");

QHash<QString, QString> readTable() {
    QHash<QString, QString> table;
    QFile file(kTablePath);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject()) {
        DebugLog::write(
            QStringLiteral("String table %1 is not a JSON object: %2").arg(kTablePath, error.errorString()));
        return table;
    }
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString())
            table.insert(it.key(), it.value().toString());
    }
    return table;
}

} // namespace

QString localizedString(const QString& key) {
    static const QHash<QString, QString> table = readTable();
    return table.value(key);
}
