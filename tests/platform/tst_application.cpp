#include "platform/Application.h"

#include <QSignalSpy>
#include <QTest>

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void canOpenUrl_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("expected");
        QTest::newRow("web") << "https://korvo.example/kundeservice" << true;
        QTest::newRow("telephone") << "tel:22334455" << true;
        QTest::newRow("sms") << "sms:+4799887766" << true;
        QTest::newRow("mail") << "mailto:app@korvo.example" << true;
        QTest::newRow("file") << "file:///tmp/x.html" << true;
        QTest::newRow("empty telephone") << "tel:" << false;
        QTest::newRow("web without host") << "http://" << false;
        QTest::newRow("other application") << "fb://profile" << false;
        QTest::newRow("nothing") << "" << false;
    }

    void canOpenUrl() {
        QFETCH(QString, address);
        QTEST(Application::shared().canOpenUrl(QUrl(address)), "expected");
    }

    void testsOnlyRecordOpenedAddresses() {
        Application& application = Application::shared();
        QVERIFY(application.openUrl(QUrl(QStringLiteral("tel:22334455"))));
        QCOMPARE(application.openedUrls(), QList<QUrl>{QUrl(QStringLiteral("tel:22334455"))});
    }

    void stateChangeIsSignalledOnce() {
        Application& application = Application::shared();
        QSignalSpy spy(&application, &Application::applicationStateChanged);
        application.setApplicationState(Application::State::Background);
        application.setApplicationState(Application::State::Background);
        application.setApplicationState(Application::State::Active);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(application.applicationState(), Application::State::Active);
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"
