#pragma once

#include "screens/BaseViewController.h"

#include <memory>

namespace Ui {
class PlaceholderViewController;
}

// A screen that is still to come: its title, a short note and a close button.
class PlaceholderViewController : public BaseViewController {
    Q_OBJECT
public:
    PlaceholderViewController(const QString& title, const QString& text, QObject* parent = nullptr);
    ~PlaceholderViewController() override;

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::PlaceholderViewController> m_ui;
    QString m_text;
};
