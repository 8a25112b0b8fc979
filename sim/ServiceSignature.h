#pragma once

#include <QString>
#include <QStringList>

// The ten-digit signature every call carries: the first ten lower-case hexadecimal digits of the MD5 of
// the call's values joined without separator and followed by the shared secret.
namespace ServiceSignature {

QString compute(const QStringList& values, const QString& secret);

} // namespace ServiceSignature
