#pragma once

#include <QString>
#include <QStringList>

// Fills the placeholders of a string-table text ("%@" for a text, "%d" for a number), in order of
// appearance, with the given values; extra placeholders stay as they are.
QString fillPlaceholders(QString text, const QStringList& values);
