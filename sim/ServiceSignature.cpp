#include "sim/ServiceSignature.h"

#include <QCryptographicHash>

QString ServiceSignature::compute(const QStringList& values, const QString& secret) {
    const QByteArray joined = (values.join(QString()) + secret).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(joined, QCryptographicHash::Md5).toHex().left(10));
}
