#pragma once

#include <QList>
#include <QStringList>

// The schema's history: migration i (0-based) brings a file from schema version i to i + 1.
// Append new steps; never change a step that has shipped, files out there were made by it.
namespace DatabaseMigrations {

const QList<QStringList>& steps();
int latestVersion();

} // namespace DatabaseMigrations
