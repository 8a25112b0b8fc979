#include "platform/PeoplePickerNavigationController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

PeoplePickerNavigationController::PeoplePickerNavigationController(QObject* parent)
    : ViewController(parent)
    , m_people(AddressBook::contacts()) {}

void PeoplePickerNavigationController::selectPerson(int index) {
    if (index < 0 || index >= m_people.size())
        return;
    if (m_delegate && !m_delegate->peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
                          this, m_people[index]))
        return;
    m_shownPerson = index;
    if (!m_list)
        return;
    m_list->clear();
    for (const QString& number : m_people[index].phoneNumbers)
        m_list->addItem(QStringLiteral("mobil  %1").arg(number));
}

void PeoplePickerNavigationController::selectPhoneNumber(int identifier) {
    if (m_shownPerson < 0 || identifier < 0 || identifier >= m_people[m_shownPerson].phoneNumbers.size())
        return;
    const Contact person = m_people[m_shownPerson];
    if (m_delegate)
        m_delegate->peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
            this, person, ContactProperty::Phone, identifier);
}

void PeoplePickerNavigationController::cancel() {
    if (m_delegate)
        m_delegate->peoplePickerNavigationControllerDidCancel(this);
    else
        dismissViewControllerAnimated(true);
}

QWidget* PeoplePickerNavigationController::loadView() {
    QWidget* view = ViewController::loadView();
    view->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(view);
    auto* bar = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("Kontakter"), view);
    auto* cancelButton = new QPushButton(QStringLiteral("Avbryt"), view);
    connect(cancelButton, &QPushButton::clicked, this, &PeoplePickerNavigationController::cancel);
    bar->addWidget(title, 1);
    bar->addWidget(cancelButton);
    layout->addLayout(bar);
    m_list = new QListWidget(view);
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = m_list->row(item);
        if (m_shownPerson < 0)
            selectPerson(row);
        else
            selectPhoneNumber(row);
    });
    layout->addWidget(m_list, 1);
    showPeople();
    return view;
}

void PeoplePickerNavigationController::showPeople() {
    m_list->clear();
    for (const Contact& person : std::as_const(m_people))
        m_list->addItem(person.name.isEmpty() ? person.phoneNumbers.value(0) : person.name);
    if (m_people.isEmpty()) {
        auto* none = new QListWidgetItem(QStringLiteral("Ingen kontakter (%1)").arg(AddressBook::filePath()));
        none->setFlags(Qt::NoItemFlags);
        m_list->addItem(none);
    }
}
