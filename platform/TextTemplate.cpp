#include "platform/TextTemplate.h"

QString fillPlaceholders(QString text, const QStringList& values) {
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype textPosition = text.indexOf(QStringLiteral("%@"), from);
        const qsizetype numberPosition = text.indexOf(QStringLiteral("%d"), from);
        qsizetype position = textPosition;
        if (position < 0 || (numberPosition >= 0 && numberPosition < position))
            position = numberPosition;
        if (position < 0)
            break;
        text.replace(position, 2, value);
        from = position + value.size(); // a value that itself holds "%@" is not filled again
    }
    return text;
}
