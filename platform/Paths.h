#pragma once

#include <QString>

// The application's documents directory: settings, the local database and the picture cache live here.
namespace Paths {

// The platform's app-data location until set (by --home, KORVO_HOME or a test fixture).
QString documentsDirectory();
void setDocumentsDirectory(const QString& directory);

} // namespace Paths
