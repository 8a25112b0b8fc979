#pragma once

#include "platform/AlertView.h"
#include "screens/BaseViewController.h"

#include <QDate>
#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

class QAbstractButton;
class QLineEdit;
class QPropertyAnimation;
class Reachability;
struct Notification;
namespace Ui {
class BirthdayViewController;
}

// The member screen. A customer who is not a member yet asks the service for a verification code for a
// mobile number and birth date (and optionally a postal code), then confirms the registration with the code
// from the SMS. A registered member sees the registered data, can change the postal code and log out.
// Until the registration is confirmed the screen cannot be closed.
class BirthdayViewController : public BaseViewController, public AlertViewDelegate {
    Q_OBJECT
public:
    explicit BirthdayViewController(QObject* parent = nullptr);
    ~BirthdayViewController() override;

    // Whole days to the member's next birthday; negative when there is no countdown to show.
    static int daysToBirthday();

    // At least eight characters: leading plus signs, then digits only.
    static bool isValidPhoneNumber(const QString& text);
    static bool dateInThisYear(const QDate& date);

    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Actions of the layout
    void submitData(QAbstractButton* button);
    void logOutButtonAction();
    void updatePostCodeButtonAction();
    void showPrivacy();
    void dismiss();
    void dateChanged(const QDate& date);
    void doneSelectingDate();

    // Whether the field may take input focus; the birth date opens the date picker instead.
    bool textFieldShouldBeginEditing(QLineEdit* field);
    void textFieldShouldReturn(QLineEdit* field);

    // Keyboard handlers; their notifications carry the keyboard's start frame and slide duration.
    void keyboardWillShow(const Notification& notification);
    void keyboardWillHide(const Notification& notification);

    bool isDatePickerShown() const { return m_datePickerShown; }
    Ui::BirthdayViewController& ui() const { return *m_ui; }

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void observeServiceNotifications();
    void setUpButtons();
    void updateView();
    void enableButtons();
    void showDatePicker(bool show);
    void hideKeyboard();
    void logOut();
    void showError(const QString& message);
    void showAlertForFirstTime();
    void checkAndShowAlertForFirstTime();
    void redireRegistrationCodeSent(const Notification& notification);
    void redirePostalCodeUpdated();
    void redireGetUserInfo();
    void alertViewClickedButtonAtIndex(AlertView* alertView, int buttonIndex) override;
    static int keyboardAnimationDurationForNotification(const Notification& notification);
    void resizeScrollViews(int newHeight, int durationMs, const std::function<void()>& then);
    QList<QLineEdit*> textFields() const;
    QList<QAbstractButton*> privacyButtonsArray() const;

    std::unique_ptr<Ui::BirthdayViewController> m_ui;
    Reachability* m_reachability = nullptr;
    QPointer<QPropertyAnimation> m_datePickerSlide;
    bool m_datePickerShown = false;
    QString m_requestedPostalCode;
};
