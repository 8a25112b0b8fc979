#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/MailComposeViewController.h"
#include "tests/support/ButtonFinder.h"

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>

namespace {

struct RecordingDelegate : MailComposeViewControllerDelegate {
    QList<MailComposeResult> results;
    void mailComposeControllerDidFinishWithResult(MailComposeViewController*,
                                                  MailComposeResult result) override {
        results.append(result);
    }
};

} // namespace

class TestMailCompose : public QObject {
    Q_OBJECT

private slots:
    void init() { Application::shared().setRecordsOpenedUrls(true); }

    void mailtoLink_data() {
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QString>("link");
        QTest::newRow("html body")
            << QStringList{"app@korvo.example"} << "Tips & triks"
            << "Hei!<br>Last ned <a href=\"https://korvo.example/app?a=1&b=2\">appen</a><br/>"
               "Hilsen Ola"
            << true
            << "mailto:app@korvo.example?subject=Tips%20%26%20triks&body=Hei%21%0ALast%20ned%"
               "20appen%0AHilsen%20Ola";
        QTest::newRow("plain body keeps markup")
            << QStringList{"a@b.example", "c@d.example"} << ""
            << "1 < 2 = sant" << false << "mailto:a@b.example,c@d.example?body=1%20%3C%202%20%3D%20sant";
        QTest::newRow("nothing but a recipient") << QStringList{"app@korvo.example"} << ""
                                                 << "" << false << "mailto:app@korvo.example";
        QTest::newRow("recipient with query characters")
            << QStringList{"x?cc=y@z.example"} << "Ø"
            << "" << false << "mailto:x%3Fcc%3Dy@z.example?subject=%C3%98";
    }

    void mailtoLink() {
        QFETCH(QStringList, recipients);
        QFETCH(QString, subject);
        QFETCH(QString, body);
        QFETCH(bool, html);
        MailComposeViewController composer;
        composer.setToRecipients(recipients);
        composer.setSubject(subject);
        composer.setMessageBody(body, html);
        QTEST(QString::fromLatin1(composer.mailtoUrl().toEncoded()), "link");
    }

    void sendHandsLinkToSystem() {
        RecordingDelegate delegate;
        MailComposeViewController composer;
        composer.setMailComposeDelegate(&delegate);
        composer.setToRecipients({QStringLiteral("app@korvo.example")});
        composer.setSubject(QStringLiteral("Tilbakemelding"));
        composer.setMessageBody(QStringLiteral("<p>Bra <b>app</b></p>"), true);
        const auto opened = Application::shared().openedUrls().size();

        QWidget* view = composer.view();
        QCOMPARE(view->findChild<QTextBrowser*>()->toPlainText(), QStringLiteral("Bra app"));
        QTest::mouseClick(buttonTitled(view, QStringLiteral("Avbryt")), Qt::LeftButton);
        QCOMPARE(Application::shared().openedUrls().size(), opened);
        QTest::mouseClick(buttonTitled(view, QStringLiteral("Send")), Qt::LeftButton);
        QCOMPARE(delegate.results,
                 (QList<MailComposeResult>{MailComposeResult::Cancelled, MailComposeResult::Sent}));
        QCOMPARE(Application::shared().openedUrls().value(opened), composer.mailtoUrl());
    }

    void turnsEveryWayAndFollowsDeviceFact() {
        MailComposeViewController composer;
        QVERIFY(composer.shouldAutorotate());
        QCOMPARE(composer.supportedInterfaceOrientations(), unsigned(InterfaceOrientationMaskAll));
        QVERIFY(composer.shouldAutorotateToInterfaceOrientation(InterfaceOrientation::PortraitUpsideDown));

        QVERIFY(MailComposeViewController::canSendMail());
        Configuration configuration;
        configuration.canSendMail = false;
        Configuration::setCurrent(configuration);
        QVERIFY(!MailComposeViewController::canSendMail());
        Configuration::setCurrent(Configuration());
    }
};

QTEST_MAIN(TestMailCompose)
#include "tst_mailcompose.moc"
