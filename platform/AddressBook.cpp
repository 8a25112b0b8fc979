#include "platform/AddressBook.h"

#include "platform/DebugLog.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>

namespace AddressBook {

namespace {

// A long vCard line continues on lines that start with a space or a tab.
QStringList unfoldedLines(const QString& text) {
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!lines.isEmpty() && (line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t'))))
            lines.last() += line.mid(1);
        else
            lines.append(line);
    }
    return lines;
}

QString unescaped(const QString& value) {
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            result +=
                (next == QLatin1Char('n') || next == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : next;
        } else {
            result += value[i];
        }
    }
    return result;
}

// "item1.TEL;TYPE=CELL" names the property TEL.
QString propertyName(const QString& head) {
    QString name = head.section(QLatin1Char(';'), 0, 0);
    name = name.section(QLatin1Char('.'), -1);
    return name.trimmed().toUpper();
}

} // namespace

QString filePath() {
    return QDir(Paths::documentsDirectory()).filePath(QStringLiteral("contacts.vcf"));
}

QList<Contact> contacts() {
    QFile file(filePath());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog::write(
            QStringLiteral("Contacts cannot be read from %1: %2").arg(file.fileName(), file.errorString()));
        return {};
    }
    return contactsFromVCard(file.readAll());
}

QList<Contact> contactsFromVCard(const QByteArray& text) {
    QList<Contact> result;
    bool inCard = false;
    Contact current;
    for (const QString& line : unfoldedLines(QString::fromUtf8(text))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString name = propertyName(line.left(colon));
        const QString value = line.mid(colon + 1).trimmed();
        if (name == u"BEGIN" && value.compare(u"VCARD", Qt::CaseInsensitive) == 0) {
            inCard = true;
            current = Contact();
        } else if (name == u"END" && inCard) {
            inCard = false;
            if (!current.name.isEmpty() || !current.phoneNumbers.isEmpty())
                result.append(current);
        } else if (inCard && name == u"FN") {
            current.name = unescaped(value);
        } else if (inCard && name == u"TEL" && !value.isEmpty()) {
            QString number = value;
            if (number.startsWith(u"tel:", Qt::CaseInsensitive))
                number = number.mid(4);
            current.phoneNumbers.append(number);
        }
    }
    return result;
}

} // namespace AddressBook
