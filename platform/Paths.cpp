#include "platform/Paths.h"

#include <QStandardPaths>

namespace Paths {

namespace {
QString& overriddenDirectory() {
    static QString directory;
    return directory;
}
} // namespace

QString documentsDirectory() {
    if (!overriddenDirectory().isEmpty())
        return overriddenDirectory();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void setDocumentsDirectory(const QString& directory) {
    overriddenDirectory() = directory;
}

} // namespace Paths
