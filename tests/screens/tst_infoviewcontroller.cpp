#include "platform/AlertView.h"
#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/MailComposeViewController.h"
#include "platform/UserDefaults.h"
#include "platform/Window.h"
#include "screens/CustomNavigationController.h"
#include "screens/InfoViewController.h"
#include "service/RedireServer.h"
#include "storage/SettingsKeys.h"
#include "tests/support/TestHome.h"

#include <QtTest>

#include <memory>

class TestInfoViewController : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        Application::shared().setRecordsOpenedUrls(true);
        UserDefaults::standardUserDefaults().setObject(QStringLiteral("m1"), kUserIdKey);
    }
    void cleanup() {
        for (AlertView* alert : AlertView::visibleAlerts())
            alert->dismissWithClickedButtonIndex(0);
        m_window.reset();
        m_home.reset();
        Configuration::setCurrent(Configuration());
    }

    void feedbackMail_data() {
        QTest::addColumn<bool>("registered");
        QTest::addColumn<QString>("body");
        QTest::newRow("registered")
            << true << "Medlemsnummer: m1<br>Telefonnummer: 41234567<br>Bursdag: 24.12.1990<br>";
        QTest::newRow("not registered") << false << "";
    }
    void feedbackMail() {
        QFETCH(bool, registered);
        QFETCH(QString, body);
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        defaults.setObject(QStringLiteral("41234567"), kPhoneKey);
        defaults.setObject(QStringLiteral("24.12.1990"), kDobKey);
        defaults.setBool(registered, kConfirmedKey);
        Configuration configuration;
        configuration.deviceModel = QStringLiteral("iPhone5,2");
        configuration.systemVersion = QStringLiteral("7.0.4");
        Configuration::setCurrent(configuration);

        InfoViewController& info = showInfo();
        info.leaveFeedback();
        auto* composer = qobject_cast<MailComposeViewController*>(info.presentedViewController());
        QVERIFY(composer);
        QVERIFY(composer->isHTML());
        QCOMPARE(composer->messageBody(), body);
        QVERIFY(composer->subject().startsWith(QStringLiteral("Tilbakemelding Korvo Store v")));
        QVERIFY(composer->subject().endsWith(QStringLiteral(" iPhone5,2 iOS 7.0.4")));
        QCOMPARE(composer->toRecipients(), QStringList{configuration.feedbackAddress});
        composer->finish(MailComposeResult::Cancelled);
        QTRY_VERIFY(!info.presentedViewController());
    }

    void withoutMailAccountPointsToTheSupportPage() {
        Configuration configuration;
        configuration.canSendMail = false;
        configuration.supportPage = QUrl(QStringLiteral("https://korvo.example/kundeservice"));
        Configuration::setCurrent(configuration);
        InfoViewController& info = showInfo();
        info.leaveFeedback();
        QVERIFY(!info.presentedViewController());
        const QList<AlertView*> alerts = AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts.first()->message(),
                 QStringLiteral("Du trenger en epostkonto for å bruke denne funksjonen. "
                                "\nGi oss gjerne tilbakemeldinger på "
                                "korvo.example/kundeservice"));
    }

    void webSitesOpenAfterTheQuestion_data() {
        QTest::addColumn<bool>("maker");
        QTest::addColumn<int>("button");
        QTest::addColumn<QUrl>("opened"); // empty: nothing opens
        const Configuration configuration;
        QTest::newRow("provider, OK") << false << 1 << configuration.providerWebSite;
        QTest::newRow("maker, OK") << true << 1 << configuration.makerWebSite;
        QTest::newRow("maker, Avbryt") << true << 0 << QUrl();
    }
    void webSitesOpenAfterTheQuestion() {
        QFETCH(bool, maker);
        QFETCH(int, button);
        QFETCH(QUrl, opened);
        InfoViewController& info = showInfo();
        maker ? info.showBrisvik() : info.showRedire();
        const QList<AlertView*> alerts = AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts.first()->message(), QStringLiteral("Nettsiden vil åpnes i Safari"));
        QCOMPARE(alerts.first()->buttonTitles(),
                 (QStringList{QStringLiteral("Avbryt"), QStringLiteral("OK")}));
        const auto before = Application::shared().openedUrls().size();
        alerts.first()->dismissWithClickedButtonIndex(button);
        const QList<QUrl> now = Application::shared().openedUrls().mid(before);
        QCOMPARE(now, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{opened});
    }

private:
    InfoViewController& showInfo() {
        m_window = std::make_unique<Window>(Configuration::current().screenHeight);
        auto* info = new InfoViewController;
        m_window->setRootViewController(new CustomNavigationController(info, m_window.get()));
        m_window->makeKeyAndVisible();
        info->view();
        return *info;
    }

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Window> m_window;
};

QTEST_MAIN(TestInfoViewController)
#include "tst_infoviewcontroller.moc"
