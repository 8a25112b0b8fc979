#include "platform/AddressBook.h"
#include "platform/MessageComposeViewController.h"

#include <QtTest>

class TestAddressBook : public QObject {
    Q_OBJECT

private slots:
    void readsNamesAndNumbersOfEveryCard() {
        const QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN;CHARSET=UTF-8:Kari Nordmann\\, jr.\r\n"
                                "TEL;TYPE=CELL:+47 412 34 567\r\nitem1.TEL:22 33\r\n 44 55\r\nEND:VCARD\r\n"
                                "TEL:999\r\n"
                                "BEGIN:VCARD\nFN:Ola\nTEL;VALUE=uri:tel:+4798765432\nEND:VCARD\n";
        const QList<Contact> people = AddressBook::contactsFromVCard(text);
        QCOMPARE(people.size(), 2);
        QCOMPARE(people[0].name, QStringLiteral("Kari Nordmann, jr."));
        QCOMPARE(people[0].phoneNumbers, QStringList({"+47 412 34 567", "22 3344 55"}));
        QCOMPARE(people[1].phoneNumbers, QStringList({"+4798765432"}));
    }

    void smsLinkCarriesTheNumberAndBodyIntact() {
        MessageComposeViewController composer;
        composer.setRecipients({"+47 41234567"});
        composer.setBody(QStringLiteral("Hei & takk?\nKode: 50%"));
        const QUrl link = composer.smsUrl();
        QCOMPARE(link.scheme(), QStringLiteral("sms"));
        QCOMPARE(link.path(), QStringLiteral("+47 41234567"));
        QCOMPARE(QUrlQuery(link).queryItemValue("body", QUrl::FullyDecoded),
                 QStringLiteral("Hei & takk?\nKode: 50%"));
    }
};

QTEST_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
