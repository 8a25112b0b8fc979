#pragma once

#include "screens/BaseViewController.h"

#include <memory>

namespace Ui {
class PrivacyViewController;
}

// What the app and the chain keep about a member, as a page of text; opened from the member screen.
class PrivacyViewController : public BaseViewController {
    Q_OBJECT
public:
    explicit PrivacyViewController(QObject* parent = nullptr);
    ~PrivacyViewController() override;

    void close();

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::PrivacyViewController> m_ui;
};
