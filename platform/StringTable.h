#pragma once

#include <QString>

// The application's Norwegian string table: the text of a dotted key, or the empty text when the key is
// not in the table.
QString localizedString(const QString& key);
