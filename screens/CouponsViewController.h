#pragma once

#include "platform/ActionSheet.h"
#include "platform/Carousel.h"
#include "platform/MessageComposeViewController.h"
#include "platform/PeoplePickerNavigationController.h"
#include "screens/BaseViewController.h"
#include "service/RedireCoupon.h"

#include <QPointer>
#include <QTimer>

#include <memory>

class ActivityIndicator;
class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QPushButton;
namespace Ui {
class CouponsViewController;
}

// One kind of coupon as a carousel of cards with a page indicator. It shows what the service client holds
// at once, asks for a fresh list on first display and on the update button (which stays disabled for at
// least 1.5 seconds after a request, and until the answer), lets the member give a coupon away by SMS,
// and offers the coffee rating for a coffee coupon in place of the share button.
class CouponsViewController : public BaseViewController,
                              public CarouselDataSource,
                              public CarouselDelegate,
                              public ActionSheetDelegate,
                              public MessageComposeViewControllerDelegate,
                              public PeoplePickerNavigationControllerDelegate {
    Q_OBJECT
public:
    explicit CouponsViewController(QObject* parent = nullptr);
    ~CouponsViewController() override;

    // Configuration, set before presentation
    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    QString empty() const { return m_empty; }
    void setEmpty(const QString& empty) { m_empty = empty; }
    bool visibleShareButton() const { return m_visibleShareButton; }
    void setVisibleShareButton(bool visible) { m_visibleShareButton = visible; }
    bool visibleUpdateButton() const { return m_visibleUpdateButton; }
    void setVisibleUpdateButton(bool visible) { m_visibleUpdateButton = visible; }

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    // The list of this kind, as the service client holds it now.
    RedireCouponList coupons() const;
    void reloadCoupons();
    void updateCoupons();
    void allowUpdate();
    void setRateButtonVisible(bool visible);
    QString couponForFriend() const { return m_couponForFriend; }
    void shareViaSMS();
    bool supportsInAppSms() const;
    void displaySMSComposerSheet();
    void sendSmsWithMessage(const QString& message, const QString& number);
    void alertMessage(const QString& message);

    // Actions
    void dismissView();
    void update();
    void shareCoupon();
    void pageChanged();
    void rateCoffeeButtonClick();

    // Carousel
    int numberOfItemsInCarousel(Carousel* carousel) override;
    int numberOfVisibleItemsInCarousel(Carousel* carousel) override;
    qreal carouselItemWidth(Carousel* carousel) override;
    QWidget* carouselViewForItemAtIndex(Carousel* carousel, int index, QWidget* reusingView) override;
    bool carouselShouldSelectItemAtIndex(Carousel* carousel, int index) override;
    void carouselDidSelectItemAtIndex(Carousel* carousel, int index) override;
    void carouselCurrentItemIndexUpdated(Carousel* carousel) override;

    void actionSheetClickedButtonAtIndex(ActionSheet* actionSheet, int buttonIndex) override;
    void messageComposeViewControllerDidFinishWithResult(MessageComposeViewController* controller,
                                                         MessageComposeResult result) override;
    void peoplePickerNavigationControllerDidCancel(PeoplePickerNavigationController* picker) override;
    bool peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
        PeoplePickerNavigationController* picker, const Contact& person) override;
    bool peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
        PeoplePickerNavigationController* picker, const Contact& person, ContactProperty property,
        int identifier) override;

    Ui::CouponsViewController& ui() const { return *m_ui; }
    ActivityIndicator* activityIndicator() const;
    QPushButton* rateCoffeeButton() const;
    qreal rateCoffeeButtonAlpha() const;
    const QTimer& updateTimer() const { return m_updateTimer; }
    bool isUpdated() const { return m_updated; }

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    void viewDidUnload() override;

private:
    void observeNotifications();
    void couponsUpdated();
    void receiveCouponForFriend(const QString& text);
    void hideShareButtonWhereItDoesNotBelong();
    QSharedPointer<RedireCoupon> currentCoupon() const;

    std::unique_ptr<Ui::CouponsViewController> m_ui;
    int m_type = 0;
    QString m_caption;
    QString m_empty;
    bool m_visibleShareButton = false;
    bool m_visibleUpdateButton = false;

    bool m_shouldRefresh = false;
    bool m_updated = false;
    bool m_shareAllowed = false; // the last refresh found the share button usable here
    bool m_rateButtonWanted = false;
    QTimer m_updateTimer;
    QString m_couponForFriend;
    QPointer<QGraphicsOpacityEffect> m_rateButtonOpacity;
    QPointer<QPropertyAnimation> m_rateButtonFade;
};
