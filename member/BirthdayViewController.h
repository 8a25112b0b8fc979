#pragma once

#include "screens/PlaceholderViewController.h"

// The member screen: registration with a verification code, and the registered member's data.
class BirthdayViewController : public PlaceholderViewController {
    Q_OBJECT
public:
    explicit BirthdayViewController(QObject* parent = nullptr);

    // Whole days to the member's next birthday; negative when there is no countdown to show.
    static int daysToBirthday();
};
