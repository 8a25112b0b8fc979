#pragma once

#include "platform/AddressBook.h"
#include "platform/ViewController.h"

#include <QPointer>

class PeoplePickerNavigationController;
class QListWidget;

enum class ContactProperty { Phone };

class PeoplePickerNavigationControllerDelegate {
public:
    virtual ~PeoplePickerNavigationControllerDelegate() = default;
    virtual void peoplePickerNavigationControllerDidCancel(PeoplePickerNavigationController* picker) = 0;
    // Whether the picker goes on to the person's details.
    virtual bool peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
        PeoplePickerNavigationController* picker, const Contact& person) = 0;
    // A value of the person was chosen (identifier: its position among the property's values); whether
    // the picker takes its own action for it (on the desktop it has none).
    virtual bool peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
        PeoplePickerNavigationController* picker, const Contact& person, ContactProperty property,
        int identifier) = 0;
};

// The contact picker: the people of the address book, then the chosen person's telephone numbers.
// "Avbryt" cancels (the delegate dismisses it, or the picker itself without one).
class PeoplePickerNavigationController : public ViewController {
    Q_OBJECT
public:
    explicit PeoplePickerNavigationController(QObject* parent = nullptr);

    void setPeoplePickerDelegate(PeoplePickerNavigationControllerDelegate* delegate) {
        m_delegate = delegate;
    }
    QList<Contact> people() const { return m_people; }

    // As if the person tapped a row, a number of the shown person, or "Avbryt".
    void selectPerson(int index);
    void selectPhoneNumber(int identifier);
    void cancel();

protected:
    QWidget* loadView() override;

private:
    void showPeople();

    PeoplePickerNavigationControllerDelegate* m_delegate = nullptr;
    QList<Contact> m_people;
    int m_shownPerson = -1;
    QPointer<QListWidget> m_list;
};
