#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One person of the address book: the name to show and the telephone numbers as written.
struct Contact {
    QString name;
    QStringList phoneNumbers;
};

// The desktop's address book: the vCard file "contacts.vcf" in the documents directory, when present.
namespace AddressBook {

QString filePath();
// The people of the file, in file order; nothing when it is missing or unreadable.
QList<Contact> contacts();
// The people of vCard text: the formatted name (FN) and every telephone number (TEL) of each card.
QList<Contact> contactsFromVCard(const QByteArray& text);

} // namespace AddressBook
