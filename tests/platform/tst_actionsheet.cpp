#include "platform/ActionSheet.h"
#include "tests/support/ButtonFinder.h"

#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace {

struct RecordingDelegate : ActionSheetDelegate {
    QList<std::pair<int, int>> clicks; // button index, tag
    void actionSheetClickedButtonAtIndex(ActionSheet* actionSheet, int buttonIndex) override {
        clicks.append({buttonIndex, actionSheet->tag()});
        QVERIFY(!ActionSheet::visibleSheets().contains(actionSheet));
    }
};

} // namespace

class TestActionSheet : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(ActionSheet::visibleSheets().size(), 0); }

    void buttonIndexes_data() {
        QTest::addColumn<QString>("destructive");
        QTest::addColumn<QStringList>("others");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("destructiveIndex");
        QTest::addColumn<int>("cancelIndex");
        QTest::newRow("all kinds") << "Slett" << QStringList{"Facebook", "Twitter"} << "Avbryt"
                                   << QStringList{"Slett", "Facebook", "Twitter", "Avbryt"} << 0 << 3;
        QTest::newRow("no destructive") << "" << QStringList{"Facebook", "Twitter"} << "Avbryt"
                                        << QStringList{"Facebook", "Twitter", "Avbryt"} << -1 << 2;
        QTest::newRow("no cancel") << "Slett" << QStringList{"Facebook"} << ""
                                   << QStringList{"Slett", "Facebook"} << 0 << -1;
        QTest::newRow("cancel only") << "" << QStringList{} << "Avbryt" << QStringList{"Avbryt"} << -1 << 0;
    }

    void buttonIndexes() {
        QFETCH(QString, destructive);
        QFETCH(QStringList, others);
        QFETCH(QString, cancel);
        ActionSheet sheet(QStringLiteral("Del"), nullptr, cancel, destructive, others);
        QTEST(sheet.buttonTitles(), "titles");
        QTEST(sheet.destructiveButtonIndex(), "destructiveIndex");
        QTEST(sheet.cancelButtonIndex(), "cancelIndex");
    }

    void clickingButtonTellsDelegateAndDeletesSheet() {
        QWidget window;
        window.resize(320, 480);
        auto* screen = new QWidget(&window);
        window.show();
        RecordingDelegate delegate;
        QPointer<ActionSheet> sheet = new ActionSheet(QStringLiteral("Del vurderingen"), &delegate,
                                                      QStringLiteral("Avbryt"), {}, {"Facebook", "Twitter"});
        sheet->setTag(7);
        sheet->setStyle(ActionSheet::Style::BlackTranslucent);
        sheet->showInView(screen);
        QCOMPARE(ActionSheet::visibleSheets(), QList<ActionSheet*>{sheet});

        // The sheet comes up from below the window and ends resting on its bottom edge.
        QPushButton* cancel = buttonTitled(&window, QStringLiteral("Avbryt"));
        QVERIFY(cancel);
        QWidget* panel = cancel->parentWidget();
        QVERIFY(panel->y() >= window.height() - 1);
        QTRY_COMPARE(panel->geometry().bottom(), window.rect().bottom());

        QTest::mouseClick(buttonTitled(&window, QStringLiteral("Twitter")), Qt::LeftButton);
        QCOMPARE(delegate.clicks, (QList<std::pair<int, int>>{{1, 7}}));
        QVERIFY(ActionSheet::visibleSheets().isEmpty());
        QTRY_VERIFY(sheet.isNull());
        QTRY_VERIFY(!buttonTitled(&window, QStringLiteral("Twitter")));
    }

    void dismissingTwiceTellsOnce() {
        RecordingDelegate delegate;
        QPointer<ActionSheet> sheet =
            new ActionSheet({}, &delegate, QStringLiteral("Avbryt"), {}, {QStringLiteral("Ring")});
        sheet->showInView(nullptr);
        sheet->dismissWithClickedButtonIndex(sheet->cancelButtonIndex());
        sheet->dismissWithClickedButtonIndex(0);
        QCOMPARE(delegate.clicks, (QList<std::pair<int, int>>{{1, 0}}));
        QTRY_VERIFY(sheet.isNull());
    }
};

QTEST_MAIN(TestActionSheet)
#include "tst_actionsheet.moc"
