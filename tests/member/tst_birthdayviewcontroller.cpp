#include "member/BirthdayViewController.h"
#include "member/KeyboardNotifications.h"
#include "platform/AlertView.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "platform/Window.h"
#include "screens/CustomNavigationController.h"
#include "screens/PrivacyViewController.h"
#include "service/RedireServer.h"
#include "storage/SettingsKeys.h"
#include "tests/support/ScriptedService.h"
#include "tests/support/SimulatedService.h"
#include "tests/support/TestHome.h"
#include "ui_BirthdayViewController.h"

#include <QScrollBar>
#include <QtTest>

#include <memory>

namespace {

const QString firstTimeMessage =
    QStringLiteral("Få tilgang til blant annet unike tilbud, digitale lojalitetskort og bursdagstilbud. "
                   "Informasjonen som registreres gjør at du ikke mister dine digitale stempler eller "
                   "verdikuponger dersom du bytter telefon.");

QStringList alertMessages() {
    QStringList messages;
    for (const AlertView* alert : AlertView::visibleAlerts())
        messages.append(alert->message());
    return messages;
}

void closeAlerts() {
    for (AlertView* alert : AlertView::visibleAlerts())
        alert->dismissWithClickedButtonIndex(0);
}

AlertView* alertTitled(const QString& title) {
    for (AlertView* alert : AlertView::visibleAlerts()) {
        if (alert->title() == title)
            return alert;
    }
    return nullptr;
}

void saveRegisteredMember(const QString& postCode) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(QStringLiteral("m1"), kUserIdKey);
    defaults.setObject(QStringLiteral("41234567"), kPhoneKey);
    defaults.setObject(QStringLiteral("24.12.1990"), kDobKey);
    defaults.setObject(postCode, kPostCodeKey);
    defaults.setBool(true, kConfirmedKey);
}

} // namespace

class TestBirthdayViewController : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        UserDefaults::standardUserDefaults().setObject(QStringLiteral("m1"), kUserIdKey);
        UserDefaults::standardUserDefaults().setBool(true, kAlertAboutRegistrationAlreadyWasShownKey);
    }
    void cleanup() {
        closeAlerts();
        m_window.reset();
        m_service.reset();
        m_home.reset();
    }

    void mobileNumbers_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent"); // empty: refused
        QTest::newRow("spaces and tab around") << " 41234567\t"
                                               << "41234567";
        QTest::newRow("eight digits") << "41234567"
                                      << "41234567";
        QTest::newRow("plus and ten digits") << "+4741234567"
                                             << "+4741234567";
        QTest::newRow("two groups of four") << "4123 4567"
                                            << "";
        QTest::newRow("seven digits") << "4123456"
                                      << "";
        QTest::newRow("dash") << "412-34567"
                              << "";
    }
    void mobileNumbers() {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        BirthdayViewController& screen = showScreen();
        fillForm(screen, typed, QStringLiteral("24.12.1990"), QString());
        screen.submitData(screen.ui().passwordButton);
        if (sent.isEmpty()) {
            QCOMPARE(alertMessages(), QStringList{QStringLiteral("Telefonnummer er ikke gyldig")});
            QVERIFY(!RedireServer::sharedServer().dictUserInfo());
        } else {
            QCOMPARE(alertMessages(), QStringList());
            QCOMPARE(screen.ui().mobileField->text(), sent);
            QCOMPARE(RedireServer::sharedServer().dictUserInfo()->value(kPhoneKey).toString(), sent);
            QVERIFY(screen.ui().loadingIndicator->isAnimating());
        }
    }

    void formChecks_data() {
        const int lastYear = QDate::currentDate().year() - 1;
        QTest::addColumn<QString>("birthday");
        QTest::addColumn<QString>("postalCode");
        QTest::addColumn<QString>("refusal"); // empty: the code request goes out
        QTest::newRow("no birth date") << ""
                                       << ""
                                       << "Fødselsdato må registreres";
        QTest::newRow("born this year") << QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) << ""
                                        << "Fødselsår kan ikke være iår.";
        QTest::newRow("31 December last year") << QStringLiteral("31.12.%1").arg(lastYear) << ""
                                               << "";
        QTest::newRow("three-digit postal code") << "24.12.1990"
                                                 << "015"
                                                 << "Postnummer er ikke gyldig.";
        QTest::newRow("four-digit postal code") << "24.12.1990"
                                                << "0150"
                                                << "";
    }
    void formChecks() {
        QFETCH(QString, birthday);
        QFETCH(QString, postalCode);
        QFETCH(QString, refusal);
        BirthdayViewController& screen = showScreen();
        fillForm(screen, QStringLiteral("41234567"), birthday, postalCode);
        screen.submitData(screen.ui().passwordButton);
        QCOMPARE(alertMessages(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(bool(RedireServer::sharedServer().dictUserInfo()), refusal.isEmpty());
    }

    void noConnectionSendsNothing() {
        BirthdayViewController& screen = showScreen();
        fillForm(screen, QStringLiteral("41234567"), QStringLiteral("24.12.1990"), QString());
        qputenv("KORVO_OFFLINE", "1");
        screen.submitData(screen.ui().passwordButton);
        qunsetenv("KORVO_OFFLINE");
        QCOMPARE(alertMessages(),
                 QStringList{QStringLiteral("Applikasjonen trenger nettverksforbindelse for å fungere")});
        QVERIFY(!RedireServer::sharedServer().dictUserInfo());
    }

    void postalCodeFieldsTakeFourCharacters() {
        saveRegisteredMember(QStringLiteral("0150"));
        BirthdayViewController& screen = showScreen();
        for (QLineEdit* field : {screen.ui().postalCodeField, screen.ui().updatePostalCodeField}) {
            field->setFocus();
            QTest::keyClicks(field, QStringLiteral("01502"));
            QCOMPARE(field->text(), QStringLiteral("0150"));
        }
    }

    void enableRuleAndDatePicker() {
        BirthdayViewController& screen = showScreen();
        const Ui::BirthdayViewController& ui = screen.ui();
        QVERIFY(!ui.passwordButton->isEnabled());
        QVERIFY(!ui.registerButton->isEnabled());
        QVERIFY(!ui.dismissButton->isEnabled());

        QTest::keyClicks(ui.mobileField, QStringLiteral("41234567"));
        QVERIFY(!ui.passwordButton->isEnabled());
        // The birth date is never typed: the field opens the picker instead.
        QTest::mouseClick(ui.birthdayField, Qt::LeftButton);
        QVERIFY(screen.isDatePickerShown());
        QVERIFY(!ui.birthdayField->hasFocus());
        ui.datePicker->setSelectedDate(QDate(1990, 12, 24));
        QCOMPARE(ui.birthdayField->text(), QStringLiteral("24.12.1990"));
        QVERIFY(ui.passwordButton->isEnabled());
        screen.doneSelectingDate();
        QVERIFY(!screen.isDatePickerShown());
        QTRY_COMPARE(ui.datePickerView->y(), screen.view()->height());

        QVERIFY(!ui.registerButton->isEnabled());
        QTest::keyClicks(ui.passwordField, QStringLiteral("1234"));
        QVERIFY(ui.registerButton->isEnabled());
        QVERIFY(!ui.dismissButton->isEnabled());
    }

    void registerWithoutCodeSendsNothing() {
        BirthdayViewController& screen = showScreen();
        fillForm(screen, QStringLiteral("41234567"), QStringLiteral("24.12.1990"), QString());
        screen.submitData(screen.ui().registerButton);
        QCOMPARE(alertMessages(), QStringList{QStringLiteral("Skriv inn koden du fikk på SMS")});
        QVERIFY(!RedireServer::sharedServer().dictUserInfo());
    }

    void registrationWithTheServiceAndLogOut() {
        SimulatedService simulator;
        BirthdayViewController& screen = showScreen();
        const Ui::BirthdayViewController& ui = screen.ui();
        fillForm(screen, QStringLiteral("98765432"), QStringLiteral("24.12.1990"), QStringLiteral("0150"));
        ui.passwordButton->click();
        QTRY_VERIFY(!simulator->verificationCode(QStringLiteral("98765432")).isEmpty());
        const QString code = simulator->verificationCode(QStringLiteral("98765432"));
        QTRY_VERIFY(!ui.loadingIndicator->isAnimating());
        closeAlerts();
        QCOMPARE(ui.mobileField->text(), QStringLiteral("98765432"));
        QVERIFY(!ui.dismissButton->isEnabled());

        QTest::keyClicks(ui.passwordField, code);
        ui.registerButton->click();
        AlertView* question = alertTitled(QStringLiteral("Din bursdag: 24.12.1990"));
        QVERIFY(question);
        QCOMPARE(question->buttonTitles(),
                 (QStringList{QStringLiteral("Avbryt"), QStringLiteral("Ja, registrer")}));
        question->dismissWithClickedButtonIndex(1);
        QTRY_VERIFY(RedireServer::sharedServer().isUserRegistered());
        QTRY_VERIFY(ui.registeredScrollView->isVisible());
        QVERIFY(!ui.unregisteredScrollView->isVisible());
        QVERIFY(ui.dismissButton->isEnabled());
        QCOMPARE(ui.mobileLabel->text(), QStringLiteral("98765432"));
        QCOMPARE(ui.birthLabel->text(), QStringLiteral("24.12.1990"));
        QCOMPARE(ui.postalCodeLabel->text(), QStringLiteral("0150"));
        QCOMPARE(ui.mobileField->text(), QString());
        QVERIFY(BirthdayViewController::daysToBirthday() >= 0);
        closeAlerts();

        screen.logOutButtonAction();
        AlertView* logOut = alertTitled(QStringLiteral("Er du sikker på at du vil logge ut?"));
        QVERIFY(logOut);
        logOut->dismissWithClickedButtonIndex(1);
        QVERIFY(!RedireServer::sharedServer().isUserRegistered());
        QVERIFY(ui.unregisteredScrollView->isVisible());
        QVERIFY(!ui.dismissButton->isEnabled());
        // The flag says it was shown already; logging out shows it again all the same.
        QCOMPARE(alertMessages(), QStringList{firstTimeMessage});
    }

    void questionOutlivingTheScreenIsHarmless() {
        saveRegisteredMember(QStringLiteral("0150"));
        showScreen().logOutButtonAction();
        m_window.reset();
        const QList<AlertView*> alerts = AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), 1);
        alerts.first()->dismissWithClickedButtonIndex(1);
        QVERIFY(RedireServer::sharedServer().isUserRegistered());
    }

    void firstTimeAlertOnlyOnce() {
        UserDefaults::standardUserDefaults().setBool(false, kAlertAboutRegistrationAlreadyWasShownKey);
        BirthdayViewController& screen = showScreen();
        QCOMPARE(alertMessages(), QStringList{firstTimeMessage});
        closeAlerts();
        screen.viewWillAppear(false);
        QCOMPARE(alertMessages(), QStringList());
    }

    void postalCodeUpdate_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("serviceResult"); // null: nothing is sent
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "" << QString() << "Postnummer må fylles ut"
                               << "0150";
        QTest::newRow("three digits") << "015" << QString() << "Postnummer er ikke gyldig"
                                      << "0150";
        QTest::newRow("accepted") << "0151"
                                  << ""
                                  << "Postnummer er oppdatert"
                                  << "0151";
        // The service answered, but with a refusal: the member must not be told that it worked.
        QTest::newRow("refused by the service") << "0151"
                                                << "Ugyldig postnummer"
                                                << "Postnummeret ble ikke oppdatert. Prøv igjen senere."
                                                << "0150";
    }
    void postalCodeUpdate() {
        QFETCH(QString, typed);
        QFETCH(QString, serviceResult);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        m_service = std::make_unique<ScriptedService>();
        if (!serviceResult.isNull())
            m_service->answerSoap(QStringLiteral("UpdateUserSettings"), serviceResult);
        saveRegisteredMember(QStringLiteral("0150"));
        BirthdayViewController& screen = showScreen();
        QTest::keyClicks(screen.ui().updatePostalCodeField, typed);
        screen.updatePostCodeButtonAction();
        QTRY_COMPARE(alertMessages(), QStringList{message});
        QCOMPARE(screen.ui().postalCodeLabel->text(), shown);
        QVERIFY(!screen.ui().loadingIndicator->isAnimating());
        QCOMPARE(UserDefaults::standardUserDefaults().stringForKey(kPostCodeKey), shown);
    }

    void privacyButtonsOpenThePrivacyText() {
        BirthdayViewController& screen = showScreen();
        for (QPushButton* button : {screen.ui().privacyButton, screen.ui().registeredPrivacyButton}) {
            button->click();
            auto* privacy = qobject_cast<PrivacyViewController*>(screen.presentedViewController());
            QVERIFY(privacy);
            const auto* text = privacy->view()->findChild<QLabel*>(QStringLiteral("privacyText"));
            QVERIFY(text && text->text().contains(QStringLiteral("Mobilnummeret ditt")));
            privacy->close();
            QTRY_VERIFY(!screen.presentedViewController());
        }
    }

    void keyboardMakesRoom() {
        BirthdayViewController& screen = showScreen();
        const Ui::BirthdayViewController& ui = screen.ui();
        const int full = ui.unregisteredScrollView->height();
        NotificationCenter& center = NotificationCenter::defaultCenter();
        const QVariantMap keyboard{{KeyboardFrameBeginUserInfoKey, QRect(0, 568, 320, 216)},
                                   {KeyboardAnimationDurationUserInfoKey, 0.05}};
        center.postNotification(KeyboardWillShowNotification, {}, keyboard);
        QTRY_COMPARE(ui.unregisteredScrollView->height(), full - 216);
        QCOMPARE(ui.registeredScrollView->height(), full - 216);
        QTRY_COMPARE(ui.unregisteredScrollView->verticalScrollBar()->value(), ui.mobileField->y() - 5);
        center.postNotification(KeyboardWillHideNotification, {}, keyboard);
        QTRY_COMPARE(ui.unregisteredScrollView->height(), full);
        QTRY_COMPARE(ui.unregisteredScrollView->verticalScrollBar()->value(), 0);
    }

private:
    BirthdayViewController& showScreen() {
        m_window = std::make_unique<Window>(568);
        auto* screen = new BirthdayViewController;
        auto* navigation = new CustomNavigationController(screen, m_window.get());
        // Presented over the whole window, as the app does.
        navigation->setNavigationBarHidden(true);
        m_window->setRootViewController(navigation);
        m_window->makeKeyAndVisible();
        screen->view();
        return *screen;
    }

    static void fillForm(BirthdayViewController& screen, const QString& mobile, const QString& birthday,
                         const QString& postalCode) {
        screen.ui().mobileField->setText(mobile);
        screen.ui().birthdayField->setText(birthday);
        screen.ui().postalCodeField->setText(postalCode);
    }

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedService> m_service;
    std::unique_ptr<Window> m_window;
};

QTEST_MAIN(TestBirthdayViewController)
#include "tst_birthdayviewcontroller.moc"
