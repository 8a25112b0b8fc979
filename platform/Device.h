#pragma once

#include <QString>

// Facts about the phone the app runs as, from the configuration.
namespace Device {

QString model();
QString systemVersion();
int screenHeight(); // 480 or 568 points
bool canSendMail(); // whether a mail account is set up
bool canSendText(); // whether text messages can be sent

// Compares dotted version texts numerically ("10.0" is after "9.1", "6" equals "6.0"); <0, 0, >0.
int compareVersions(const QString& left, const QString& right);
bool systemVersionLessThan(const QString& version);

// A stable text that names this installation, made once and kept in the documents directory.
QString identifier();

} // namespace Device
