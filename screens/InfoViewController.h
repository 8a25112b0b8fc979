#pragma once

#include "platform/AlertView.h"
#include "platform/MailComposeViewController.h"
#include "screens/BaseViewController.h"

#include <memory>

class ImageView;
namespace Ui {
class InfoViewController;
}

// About the app: feedback by mail to the maker with the member's and the device's details filled in, and
// the maker's and the coupon service provider's web sites, each opened in the browser after a question.
class InfoViewController : public BaseViewController,
                           public AlertViewDelegate,
                           public MailComposeViewControllerDelegate {
    Q_OBJECT
public:
    explicit InfoViewController(QObject* parent = nullptr);
    ~InfoViewController() override;

    // Actions of the layout
    void dismiss();
    void leaveFeedback();
    void showRedire();
    void showBrisvik();

    // The feedback mail's subject and HTML body for the member and device of the moment.
    static QString feedbackSubject();
    static QString feedbackBody();

    ImageView* backgroundImage() const;
    Ui::InfoViewController& ui() const { return *m_ui; }

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;

private:
    void askBeforeOpeningWebSite(int tag);
    void alertViewClickedButtonAtIndex(AlertView* alertView, int buttonIndex) override;
    void mailComposeControllerDidFinishWithResult(MailComposeViewController* controller,
                                                  MailComposeResult result) override;

    std::unique_ptr<Ui::InfoViewController> m_ui;
};
