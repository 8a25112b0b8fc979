#pragma once

#include "platform/ActionSheet.h"
#include "platform/MailComposeViewController.h"
#include "screens/BaseViewController.h"

#include <QTimer>

#include <memory>

class ButtonWithBadge;
namespace Ui {
class HomeViewController;
}

// The main menu, at the bottom of the navigation stack for the life of the process: the coupon kinds and
// the news with counts of new items, the store finder, the birthday countdown, the coffee-rating teaser and
// tell-a-friend. It also keeps the service fed (common data on every appearance and activation, the rating
// state every minute) and writes the saved copies of the lists it is told about.
class HomeViewController : public BaseViewController,
                           public ActionSheetDelegate,
                           public MailComposeViewControllerDelegate {
    Q_OBJECT
public:
    explicit HomeViewController(QObject* parent = nullptr);
    ~HomeViewController() override;

    void viewWillAppear(bool animated) override;

    void reqCommonDataFromServer();
    void updateMenuBadgesAll();
    void updateMenuBadges(const QString& notificationName, const QVariant& object);
    void updateUserInfo();
    void reloadRatingView();
    void updateRateStates();

    // Button actions
    void loyaltyCardsButtonAction();
    void promotionButtonAction();
    void myCouponsButtonAction();
    void competitionButtonAction();
    void newsButtonAction();
    void storeFinderButtonAction();
    void ratingButtonClick();
    void bottomBarAction();
    void showInfo();
    void showTips();

    Ui::HomeViewController& ui() const { return *m_ui; }
    QTimer& rateStatsTimer() { return m_rateStatsTimer; }

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;

private:
    struct CouponMenuEntry;
    void openCoupons(const CouponMenuEntry& entry, ButtonWithBadge* button);
    void layoutForTallScreen();
    void observeNotifications();
    void actionSheetClickedButtonAtIndex(ActionSheet* actionSheet, int buttonIndex) override;
    void mailComposeControllerDidFinishWithResult(MailComposeViewController* controller,
                                                  MailComposeResult result) override;

    std::unique_ptr<Ui::HomeViewController> m_ui;
    QTimer m_rateStatsTimer;
};
