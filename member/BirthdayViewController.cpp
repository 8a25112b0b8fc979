#include "member/BirthdayViewController.h"

#include "member/BirthdayCountdown.h"
#include "member/KeyboardNotifications.h"
#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "platform/NotificationCenter.h"
#include "platform/Reachability.h"
#include "platform/SetSizes.h"
#include "platform/UserDefaults.h"
#include "screens/PrivacyViewController.h"
#include "screens/SplashViewController.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "storage/SettingsKeys.h"
#include "ui_BirthdayViewController.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QRegularExpression>
#include <QScrollBar>

namespace {

const QString dateFormat = QStringLiteral("dd.MM.yyyy");
constexpr int datePickerSlideMs = 500;
constexpr int mobileFieldMargin = 5;
constexpr int registeredViewOffsetOverKeyboard = 95;

enum AlertTag { LogOutQuestion = 1, ConfirmationQuestion = 2 };

// Only tabs and spaces: what a person types or pastes around the number.
QString trimTabsAndSpaces(const QString& text) {
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QVariantMap memberRecord() {
    return RedireServer::sharedServer().dictUserInfo().value_or(QVariantMap());
}

} // namespace

BirthdayViewController::BirthdayViewController(QObject* parent)
    : BaseViewController(parent)
    , m_ui(std::make_unique<Ui::BirthdayViewController>()) {
    setTitle(QStringLiteral("Medlem"));
}

BirthdayViewController::~BirthdayViewController() = default;

int BirthdayViewController::daysToBirthday() {
    return ::daysToBirthday();
}

bool BirthdayViewController::isValidPhoneNumber(const QString& text) {
    if (text.isEmpty())
        return false;
    static const QRegularExpression phonePattern(QStringLiteral("^\\+*[0-9]*$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = phonePattern.match(text);
    return match.hasMatch() && match.capturedStart() == 0 && match.capturedLength() == text.size();
}

bool BirthdayViewController::dateInThisYear(const QDate& date) {
    return date.year() == QDate::currentDate().year();
}

QWidget* BirthdayViewController::loadView() {
    auto* view = new QWidget;
    m_ui->setupUi(view);
    view->resize(320, Configuration::current().screenHeight);
    setTopBarImage(m_ui->topBarImage);
    return view;
}

void BirthdayViewController::viewDidLoad() {
    BaseViewController::viewDidLoad();
    // The layout is drawn for a 480-point screen: the forms reach down to the bottom edge, the picker
    // waits below it.
    for (QScrollArea* scrollView : {m_ui->unregisteredScrollView, m_ui->registeredScrollView}) {
        setHeight(scrollView, height(view()) - y(scrollView));
        scrollView->widget()->resize(scrollView->size());
    }
    setY(m_ui->datePickerView, height(view()));

    m_ui->postalCodeField->setMaxLength(4);
    m_ui->updatePostalCodeField->setMaxLength(4);
    m_ui->mobileField->setInputMethodHints(Qt::ImhDialableCharactersOnly);
    m_ui->passwordField->setInputMethodHints(Qt::ImhDigitsOnly);
    // The birth date is picked, never typed.
    m_ui->birthdayField->setReadOnly(true);
    m_ui->birthdayField->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* field : textFields()) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, &BirthdayViewController::enableButtons);
        connect(field, &QLineEdit::returnPressed, this, [this, field] { textFieldShouldReturn(field); });
    }

    QCalendarWidget* picker = m_ui->datePicker;
    picker->setDateRange(QDate(1900, 1, 1), QDate::currentDate());
    picker->setSelectedDate(QDate(1990, 1, 1));
    connect(picker, &QCalendarWidget::selectionChanged, this,
            [this, picker] { dateChanged(picker->selectedDate()); });
    // Tapping the date already shown picks it too.
    connect(picker, &QCalendarWidget::clicked, this, &BirthdayViewController::dateChanged);
    connect(m_ui->doneButton, &QAbstractButton::clicked, this, &BirthdayViewController::doneSelectingDate);

    connect(m_ui->passwordButton, &QAbstractButton::clicked, this,
            [this] { submitData(m_ui->passwordButton); });
    connect(m_ui->registerButton, &QAbstractButton::clicked, this,
            [this] { submitData(m_ui->registerButton); });
    connect(m_ui->logOutButton, &QAbstractButton::clicked, this, &BirthdayViewController::logOutButtonAction);
    connect(m_ui->updatePostCodeButton, &QAbstractButton::clicked, this,
            &BirthdayViewController::updatePostCodeButtonAction);
    connect(m_ui->dismissButton, &QAbstractButton::clicked, this, &BirthdayViewController::dismiss);
    for (QAbstractButton* button : privacyButtonsArray())
        connect(button, &QAbstractButton::clicked, this, &BirthdayViewController::showPrivacy);

    m_reachability = Reachability::reachabilityForInternetConnection(this);
    observeServiceNotifications();
    setUpButtons();
    updateView();
}

void BirthdayViewController::observeServiceNotifications() {
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, RedireVerificationCodeSentNotification,
                       [this](const Notification& n) { redireRegistrationCodeSent(n); });
    center.addObserver(this, RedireUserUpdatedNotification,
                       [this](const Notification&) { redirePostalCodeUpdated(); });
    center.addObserver(this, RedireGetUserInfoNotification,
                       [this](const Notification&) { redireGetUserInfo(); });
}

void BirthdayViewController::setUpButtons() {
    // Until the registration is confirmed the close button does nothing; it should look that way.
    QIcon closeIcon = m_ui->dismissButton->icon();
    const QPixmap closePicture = closeIcon.pixmap(m_ui->dismissButton->iconSize(), 2.0);
    QPixmap faded(closePicture.size());
    faded.setDevicePixelRatio(closePicture.devicePixelRatio());
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(0.35);
    painter.drawPixmap(0, 0, closePicture);
    painter.end();
    closeIcon.addPixmap(faded, QIcon::Disabled);
    m_ui->dismissButton->setIcon(closeIcon);

    // Stretchable black faces: 20-point caps at both ends, pictures drawn at two pixels per point.
    const QString face = QStringLiteral(
        "QPushButton { border-image: url(:/pictures/BlackButton.png) 0 40 0 40 stretch; border-width: 0 "
        "20px; "
        "color: white; font-family: \"Helvetica\"; font-size: 15px; font-weight: bold; }"
        "QPushButton:pressed { border-image: url(:/pictures/BlackButtonPressed.png) 0 40 0 40 stretch; }"
        "QPushButton:disabled { color: #8A8A8A; }");
    QList<QAbstractButton*> buttons = privacyButtonsArray();
    buttons << m_ui->passwordButton << m_ui->registerButton << m_ui->updatePostCodeButton
            << m_ui->logOutButton;
    for (QAbstractButton* button : buttons)
        button->setStyleSheet(face);
}

QList<QLineEdit*> BirthdayViewController::textFields() const {
    return {m_ui->mobileField, m_ui->birthdayField, m_ui->postalCodeField, m_ui->passwordField,
            m_ui->updatePostalCodeField};
}

QList<QAbstractButton*> BirthdayViewController::privacyButtonsArray() const {
    return {m_ui->privacyButton, m_ui->registeredPrivacyButton};
}

void BirthdayViewController::viewWillAppear(bool animated) {
    BaseViewController::viewWillAppear(animated);
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, KeyboardWillShowNotification,
                       [this](const Notification& n) { keyboardWillShow(n); });
    center.addObserver(this, KeyboardWillHideNotification,
                       [this](const Notification& n) { keyboardWillHide(n); });
    checkAndShowAlertForFirstTime();
}

void BirthdayViewController::viewWillDisappear(bool animated) {
    BaseViewController::viewWillDisappear(animated);
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.removeObserver(this, KeyboardWillShowNotification);
    center.removeObserver(this, KeyboardWillHideNotification);
}

void BirthdayViewController::submitData(QAbstractButton* button) {
    hideKeyboard();
    if (m_reachability->currentReachabilityStatus() == Reachability::NotReachable) {
        showError(QStringLiteral("Applikasjonen trenger nettverksforbindelse for å fungere"));
        return;
    }
    const QString mobile = trimTabsAndSpaces(m_ui->mobileField->text());
    m_ui->mobileField->setText(mobile);
    if (mobile.size() < 8 || !isValidPhoneNumber(mobile)) {
        showError(QStringLiteral("Telefonnummer er ikke gyldig"));
        return;
    }
    const QString birthday = m_ui->birthdayField->text();
    if (birthday.isEmpty()) {
        showError(QStringLiteral("Fødselsdato må registreres"));
        return;
    }
    if (dateInThisYear(QDate::fromString(birthday, dateFormat))) {
        showError(QStringLiteral("Fødselsår kan ikke være iår."));
        return;
    }
    const QString postalCode = m_ui->postalCodeField->text();
    if (!postalCode.isEmpty() && postalCode.size() <= 3) {
        showError(QStringLiteral("Postnummer er ikke gyldig."));
        return;
    }

    if (button == m_ui->passwordButton) {
        DebugLog::write(QStringLiteral("request password"));
        if (RedireServer::sharedServer().registerUserWithMobile(mobile, birthday, postalCode))
            m_ui->loadingIndicator->startAnimating();
    } else if (button == m_ui->registerButton) {
        if (m_ui->passwordField->text().isEmpty()) {
            showError(QStringLiteral("Skriv inn koden du fikk på SMS"));
            return;
        }
        auto* question = new AlertView(
            QStringLiteral("Din bursdag: %1").arg(birthday),
            QStringLiteral(
                "Er du sikker på at du har oppgitt riktig informasjon? Den kan ikke endres i etterkant "
                "av registreringen. Har du registrert deg tidligere vil den første registrerte "
                "bursdagsdatoen gjelde."),
            this, QStringLiteral("Avbryt"), {QStringLiteral("Ja, registrer")});
        question->setTag(ConfirmationQuestion);
        question->show();
    }
}

void BirthdayViewController::alertViewClickedButtonAtIndex(AlertView* alertView, int buttonIndex) {
    if (buttonIndex != 1)
        return;
    if (alertView->tag() == ConfirmationQuestion) {
        DebugLog::write(QStringLiteral("register"));
        if (RedireServer::sharedServer().completeRegistrationWithMobile(
                m_ui->mobileField->text(), m_ui->birthdayField->text(), m_ui->postalCodeField->text(),
                m_ui->passwordField->text()))
            m_ui->loadingIndicator->startAnimating();
    } else if (alertView->tag() == LogOutQuestion) {
        DebugLog::write(QStringLiteral("logout"));
        logOut();
    }
}

void BirthdayViewController::logOutButtonAction() {
    auto* question = new AlertView(QStringLiteral("Er du sikker på at du vil logge ut?"), QString(), this,
                                   QStringLiteral("Avbryt"), {QStringLiteral("Ja, logg ut")});
    question->setTag(LogOutQuestion);
    question->show();
}

void BirthdayViewController::logOut() {
    hideKeyboard();
    RedireServer::sharedServer().logOut();
    updateView();
    showAlertForFirstTime();
}

void BirthdayViewController::updatePostCodeButtonAction() {
    hideKeyboard();
    const QString postalCode = m_ui->updatePostalCodeField->text();
    if (postalCode.isEmpty()) {
        showError(QStringLiteral("Postnummer må fylles ut"));
        return;
    }
    if (postalCode.size() <= 3) {
        showError(QStringLiteral("Postnummer er ikke gyldig"));
        return;
    }
    m_requestedPostalCode = postalCode;
    if (RedireServer::sharedServer().updateUserPostalCode(postalCode))
        m_ui->loadingIndicator->startAnimating();
}

void BirthdayViewController::showPrivacy() {
    hideKeyboard();
    auto* privacy = new PrivacyViewController;
    privacy->view()->setGeometry(view()->geometry());
    presentViewController(privacy, true);
}

void BirthdayViewController::dismiss() {
    showDatePicker(false);
    dismissViewControllerAnimated(true);
}

void BirthdayViewController::dateChanged(const QDate& date) {
    m_ui->birthdayField->setText(date.toString(dateFormat));
    enableButtons();
}

void BirthdayViewController::doneSelectingDate() {
    showDatePicker(false);
    enableButtons();
}

bool BirthdayViewController::textFieldShouldBeginEditing(QLineEdit* field) {
    if (field != m_ui->birthdayField) {
        // The keyboard that comes up would cover the picker.
        showDatePicker(false);
        return true;
    }
    hideKeyboard();
    showDatePicker(true);
    return false;
}

void BirthdayViewController::textFieldShouldReturn(QLineEdit* field) {
    field->clearFocus();
    enableButtons();
}

bool BirthdayViewController::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    const bool beginsEditing = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn;
    if (field && beginsEditing && !textFieldShouldBeginEditing(field))
        return true;
    return BaseViewController::eventFilter(watched, event);
}

void BirthdayViewController::updateView() {
    RedireServer& server = RedireServer::sharedServer();
    const QVariantMap record = memberRecord();
    if (server.isUserRegistered()) {
        m_ui->registeredScrollView->show();
        m_ui->unregisteredScrollView->hide();
        m_ui->birthLabel->setText(record.value(kDobKey).toString());
        m_ui->mobileLabel->setText(record.value(kPhoneKey).toString());
        m_ui->postalCodeLabel->setText(record.value(kPostCodeKey).toString());
        m_ui->updatePostalCodeField->clear();
        DebugLog::write(QStringLiteral("def - %1, user - %2")
                            .arg(UserDefaults::standardUserDefaults().stringForKey(kDobKey),
                                 record.value(kDobKey).toString()));
        for (QLineEdit* field :
             {m_ui->mobileField, m_ui->postalCodeField, m_ui->birthdayField, m_ui->passwordField})
            field->clear();
        m_ui->dismissButton->setEnabled(true);
        return;
    }
    if (server.dictUserInfo()) {
        m_ui->mobileField->setText(record.value(kPhoneKey).toString());
        m_ui->birthdayField->setText(record.value(kDobKey).toString());
        m_ui->postalCodeField->setText(record.value(kPostCodeKey).toString());
    }
    m_ui->registeredScrollView->hide();
    m_ui->unregisteredScrollView->show();
    enableButtons();
}

void BirthdayViewController::enableButtons() {
    m_ui->passwordButton->setEnabled(!m_ui->mobileField->text().isEmpty() &&
                                     !m_ui->birthdayField->text().isEmpty());
    m_ui->registerButton->setEnabled(!m_ui->passwordField->text().isEmpty());
    m_ui->dismissButton->setEnabled(!SplashViewController::showRegisterAtStart());
}

void BirthdayViewController::showDatePicker(bool show) {
    m_datePickerShown = show;
    QWidget* panel = m_ui->datePickerView;
    const int target = show ? height(view()) - height(panel) : height(view());
    if (m_datePickerSlide)
        m_datePickerSlide->stop();
    if (panel->y() == target)
        return;
    panel->raise();
    m_datePickerSlide = new QPropertyAnimation(panel, "pos", this);
    m_datePickerSlide->setDuration(datePickerSlideMs);
    m_datePickerSlide->setEndValue(QPoint(panel->x(), target));
    m_datePickerSlide->start(QAbstractAnimation::DeleteWhenStopped);
}

void BirthdayViewController::hideKeyboard() {
    for (QLineEdit* field : textFields())
        field->clearFocus();
}

void BirthdayViewController::showError(const QString& message) {
    (new AlertView(QString(), message, nullptr, QStringLiteral("OK")))->show();
}

void BirthdayViewController::showAlertForFirstTime() {
    showError(QStringLiteral("Få tilgang til blant annet unike tilbud, digitale lojalitetskort og "
                             "bursdagstilbud. Informasjonen som registreres gjør at du ikke mister dine "
                             "digitale stempler eller verdikuponger dersom du bytter telefon."));
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(true, kAlertAboutRegistrationAlreadyWasShownKey);
    defaults.synchronize();
}

void BirthdayViewController::checkAndShowAlertForFirstTime() {
    if (!UserDefaults::standardUserDefaults().boolForKey(kAlertAboutRegistrationAlreadyWasShownKey))
        showAlertForFirstTime();
}

void BirthdayViewController::redireRegistrationCodeSent(const Notification& notification) {
    m_ui->loadingIndicator->stopAnimating();
    if (!notification.object.isNull())
        showError(notification.object.toString());
    updateView();
}

void BirthdayViewController::redirePostalCodeUpdated() {
    m_ui->loadingIndicator->stopAnimating();
    updateView();
    // The service client announces every answer alike; only a saved postal code means the service took it.
    const QString saved = UserDefaults::standardUserDefaults().stringForKey(kPostCodeKey);
    if (saved == m_requestedPostalCode) {
        showError(QStringLiteral("Postnummer er oppdatert"));
        return;
    }
    m_ui->postalCodeLabel->setText(saved);
    showError(QStringLiteral("Postnummeret ble ikke oppdatert. Prøv igjen senere."));
}

void BirthdayViewController::redireGetUserInfo() {
    const QVariantMap record = memberRecord();
    m_ui->birthLabel->setText(record.value(kDobKey).toString());
    m_ui->postalCodeLabel->setText(record.value(kPostCodeKey).toString());
    m_ui->mobileLabel->setText(record.value(kPhoneKey).toString());
}

int BirthdayViewController::keyboardAnimationDurationForNotification(const Notification& notification) {
    return qRound(notification.userInfo.value(KeyboardAnimationDurationUserInfoKey).toDouble() * 1000);
}

void BirthdayViewController::keyboardWillShow(const Notification& notification) {
    const QRect keyboard = notification.userInfo.value(KeyboardFrameBeginUserInfoKey).toRect();
    const int visible = height(view()) - y(m_ui->unregisteredScrollView) - keyboard.height();
    showDatePicker(false);
    resizeScrollViews(visible, keyboardAnimationDurationForNotification(notification), [this] {
        m_ui->unregisteredScrollView->verticalScrollBar()->setValue(y(m_ui->mobileField) - mobileFieldMargin);
        m_ui->registeredScrollView->verticalScrollBar()->setValue(registeredViewOffsetOverKeyboard);
    });
}

void BirthdayViewController::keyboardWillHide(const Notification& notification) {
    const int full = height(view()) - y(m_ui->unregisteredScrollView);
    resizeScrollViews(full, keyboardAnimationDurationForNotification(notification), [this] {
        m_ui->unregisteredScrollView->verticalScrollBar()->setValue(0);
        m_ui->registeredScrollView->verticalScrollBar()->setValue(0);
    });
}

void BirthdayViewController::resizeScrollViews(int newHeight, int durationMs,
                                               const std::function<void()>& then) {
    // The content can only scroll once the views have their new height.
    for (QScrollArea* scrollView : {m_ui->unregisteredScrollView, m_ui->registeredScrollView}) {
        auto* resize = new QPropertyAnimation(scrollView, "size", this);
        resize->setDuration(durationMs);
        resize->setEndValue(QSize(width(scrollView), newHeight));
        if (scrollView == m_ui->registeredScrollView)
            connect(resize, &QPropertyAnimation::finished, this, then);
        resize->start(QAbstractAnimation::DeleteWhenStopped);
    }
}
