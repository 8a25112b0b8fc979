#include "platform/AttributedLabel.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The character format the label's rich text gives the character at a position.
QTextCharFormat formatAt(const AttributedLabel& label, int position) {
    QTextDocument document;
    document.setHtml(label.text());
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QString plainTextOf(const AttributedLabel& label) {
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

} // namespace

class TestAttributedLabel : public QObject {
    Q_OBJECT

private slots:
    void rangesAreStyledAndLaterOnesWin() {
        QFont big;
        big.setFamily(QStringLiteral("Serif"));
        big.setPixelSize(20);
        big.setBold(true);
        QFont small;
        small.setPixelSize(9);
        AttributedString text{QStringLiteral("Du har 12 poeng"), {}};
        text.addAttributes(7, 8, Qt::blue, big);
        text.addAttributes(7, 2, Qt::red, small);
        text.addAttributes(14, 50, Qt::green, small); // past the end: only the last letter

        AttributedLabel label;
        label.setAttributedText(text);
        QCOMPARE(label.attributedText().styles.size(), 3);
        QCOMPARE(plainTextOf(label), QStringLiteral("Du har 12 poeng"));
        QVERIFY(!formatAt(label, 0).foreground().color().isValid() ||
                formatAt(label, 0).foreground().color() != QColor(Qt::blue));
        QCOMPARE(formatAt(label, 7).foreground().color(), QColor(Qt::red));
        QCOMPARE(formatAt(label, 7).font().pixelSize(), 9);
        const QTextCharFormat word = formatAt(label, 10);
        QCOMPARE(word.foreground().color(), QColor(Qt::blue));
        QCOMPARE(word.font().pixelSize(), 20);
        QCOMPARE(word.font().weight(), QFont::Bold);
        QCOMPARE(word.font().families().value(0), QStringLiteral("Serif"));
        QCOMPARE(formatAt(label, 14).foreground().color(), QColor(Qt::green));
    }

    void markupIsShownAsTextAndLineBreaksStay() {
        AttributedString text{QStringLiteral("<b>1 & 2</b>\nneste linje"), {}};
        text.addAttributes(0, 3, Qt::red, QFont());
        AttributedLabel label;
        label.setAttributedText(text);
        QVERIFY(label.text().contains(QStringLiteral("&lt;b&gt;")));
        QCOMPARE(plainTextOf(label).replace(QChar::LineSeparator, QLatin1Char('\n')),
                 QStringLiteral("<b>1 & 2</b>\nneste linje"));
    }
};

QTEST_MAIN(TestAttributedLabel)
#include "tst_attributedlabel.moc"
