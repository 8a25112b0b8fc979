#include "platform/AlertView.h"
#include "tests/support/ButtonFinder.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace {

struct RecordingDelegate : AlertViewDelegate {
    QList<std::pair<int, int>> clicks; // button index, tag
    void alertViewClickedButtonAtIndex(AlertView* alertView, int buttonIndex) override {
        clicks.append({buttonIndex, alertView->tag()});
        QVERIFY(!AlertView::visibleAlerts().contains(alertView));
    }
};

} // namespace

class TestAlertView : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(AlertView::visibleAlerts().size(), 0); }

    void aDestroyedScreenIsNotCalled() {
        struct Screen : QObject, AlertViewDelegate {
            bool* called;
            explicit Screen(bool* flag)
                : called(flag) {}
            void alertViewClickedButtonAtIndex(AlertView*, int) override { *called = true; }
        };
        bool called = false;
        auto* screen = new Screen(&called);
        auto* alert = new AlertView(QString(), QStringLiteral("Logg ut?"), screen, QStringLiteral("Nei"),
                                    {QStringLiteral("Ja")});
        alert->show();
        delete screen;
        QCOMPARE(alert->delegate(), nullptr);
        alert->dismissWithClickedButtonIndex(1);
        QVERIFY(!called);
    }

    void dismissTellsDelegateIndexAndTag() {
        RecordingDelegate delegate;
        QPointer<AlertView> alert = new AlertView({}, QStringLiteral("Ingen internettforbindelse"), &delegate,
                                                  QStringLiteral("OK"), {QStringLiteral("Prøv igjen")});
        alert->setTag(3);
        QCOMPARE(alert->buttonTitles(), (QStringList{"OK", "Prøv igjen"}));
        QVERIFY(AlertView::visibleAlerts().isEmpty());
        alert->show();
        QCOMPARE(AlertView::visibleAlerts(), QList<AlertView*>{alert});

        alert->dismissWithClickedButtonIndex(1);
        alert->dismissWithClickedButtonIndex(0); // a second press before it is gone changes nothing
        QCOMPARE(delegate.clicks, (QList<std::pair<int, int>>{{1, 3}}));
        QVERIFY(AlertView::visibleAlerts().isEmpty());
        QTRY_VERIFY(alert.isNull());
    }

    void clickingButtonOverWindowDismisses() {
        QWidget window;
        window.resize(320, 568);
        window.show();
        RecordingDelegate delegate;
        auto* alert = new AlertView(QStringLiteral("Takk!"), QStringLiteral("Din vurdering er registrert."),
                                    &delegate, QStringLiteral("Avbryt"), {QStringLiteral("Del")});
        alert->show();
        QPushButton* share = buttonTitled(&window, QStringLiteral("Del"));
        QVERIFY(share);
        QVERIFY(share->isVisible());
        QTest::mouseClick(share, Qt::LeftButton);
        QCOMPARE(delegate.clicks, (QList<std::pair<int, int>>{{1, 0}}));
        QTRY_VERIFY(!buttonTitled(&window, QStringLiteral("Del")));
    }

    void worksWithoutWindowOrDelegate() {
        QPointer<AlertView> alert = new AlertView({}, QStringLiteral("Feil"), nullptr, QStringLiteral("OK"));
        alert->show();
        QCOMPARE(AlertView::visibleAlerts().size(), 1);
        alert->dismissWithClickedButtonIndex(0);
        QTRY_VERIFY(alert.isNull());
    }

    void secondAlertWithoutWindowIsNotInsideTheFirst() {
        RecordingDelegate delegate;
        auto* first = new AlertView({}, QStringLiteral("En"), &delegate, QStringLiteral("OK"));
        first->show();
        auto* second = new AlertView({}, QStringLiteral("To"), &delegate, QStringLiteral("Lukk"));
        second->show();
        first->dismissWithClickedButtonIndex(0);
        QTest::qWait(50);
        QCOMPARE(AlertView::visibleAlerts(), QList<AlertView*>{second});
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
            return window->isVisible() && buttonTitled(window, QStringLiteral("Lukk"));
        }));
        second->dismissWithClickedButtonIndex(0);
    }

    void alertOutlivesItsWindow() {
        auto* window = new QWidget;
        window->show();
        QPointer<AlertView> alert = new AlertView({}, QStringLiteral("Feil"), nullptr, QStringLiteral("OK"));
        alert->show();
        delete window;
        alert->dismissWithClickedButtonIndex(0);
        QTRY_VERIFY(alert.isNull());
    }
};

QTEST_MAIN(TestAlertView)
#include "tst_alertview.moc"
