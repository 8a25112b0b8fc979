#include "screens/CouponsViewController.h"

#include "app/KorvoAppDelegate.h"
#include "platform/ActivityIndicator.h"
#include "platform/AlertView.h"
#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "platform/Device.h"
#include "platform/NotificationCenter.h"
#include "platform/PageControl.h"
#include "platform/SetSizes.h"
#include "screens/CouponView.h"
#include "screens/PlaceholderViewController.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "service/RequestType.h"
#include "ui_CouponsViewController.h"

#include <QClipboard>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QPropertyAnimation>

namespace {

constexpr int updateGuardMs = 1500;
constexpr int rateButtonFadeMs = 300;
const QString coffeeUniverse = QStringLiteral("KAFFE");
const QString composerText = QStringLiteral(
    "Hei! Ønsker å sende deg denne kupongen fra Korvo Store. Ta den med til nærmeste Korvo Store eller "
    "Brennor/Korvo Store butikk og benytt tilbudet! %@ Sendt fra min Korvo Store iPhone-app");
const QString pastedText = QStringLiteral(
    "Hei! Ønsker å sende deg denne kupongen fra Korvo Store. Ta den med til nærmeste Korvo Store eller "
    "Brennor/Korvo Store butikk og benytt tilbudet!\n\n %@ \n\nSendt fra min Korvo Store iPhone-app");

// What one coupon kind shows, asks for and listens to.
struct CouponKind {
    const std::optional<RedireCouponList>& (RedireServer::*list)() const;
    int requestType;
    QString notification;
};

std::optional<CouponKind> kindOf(int type) {
    switch (type) {
    case 143:
    case 144:
        return CouponKind{&RedireServer::arrayPromotions, RequestTypeGetPromotions,
                          RedirePromotionsNotification};
    case 145:
        return CouponKind{&RedireServer::arrayLoyaltyCards, RequestTypeGetLoyaltyCards,
                          RedireLoyaltyCardsNotification};
    case 146:
        return CouponKind{&RedireServer::arrayRewards, RequestTypeGetRewards, RedireRewardsNotification};
    case 147:
    case 148:
        return CouponKind{&RedireServer::arrayOffers, RequestTypeGetOffers, RedireOffersNotification};
    default:
        return std::nullopt;
    }
}

bool showsOfflineBanner(int type) {
    return type >= 145 && type <= 147;
}

bool isCoffee(const QSharedPointer<RedireCoupon>& coupon) {
    return coupon && coupon->universeString() == coffeeUniverse;
}

CouponView* cardIn(QWidget* container) {
    return container ? container->findChild<CouponView*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

CouponsViewController::CouponsViewController(QObject* parent)
    : BaseViewController(parent)
    , m_ui(std::make_unique<Ui::CouponsViewController>()) {
    m_updateTimer.setSingleShot(true);
    m_updateTimer.setInterval(updateGuardMs);
    connect(&m_updateTimer, &QTimer::timeout, this, &CouponsViewController::allowUpdate);
}

CouponsViewController::~CouponsViewController() {
    NotificationCenter::defaultCenter().removeObserver(this);
    if (isViewLoaded()) {
        m_ui->carousel->setDataSource(nullptr);
        m_ui->carousel->setDelegate(nullptr);
    }
}

QWidget* CouponsViewController::loadView() {
    auto* view = new QWidget;
    m_ui->setupUi(view);
    view->resize(320, Configuration::current().screenHeight);
    setTopBarImage(m_ui->topBarImage);
    return view;
}

void CouponsViewController::viewDidLoad() {
    Carousel* carousel = m_ui->carousel;
    carousel->setType(Carousel::Type::CoverFlow);
    carousel->setDecelerationRate(2.5);
    carousel->setBounceDistance(0.25);
    carousel->setStopAtItemBoundary(true);
    carousel->setScrollToItemBoundary(true);
    m_shouldRefresh = true;

    QPushButton* rate = m_ui->rateCoffeeButton;
    if (Device::screenHeight() == 568)
        setY(rate, 360);
    if (!Device::systemVersionLessThan(QStringLiteral("7.0")))
        setY(rate, y(rate) + 20);
    m_rateButtonOpacity = new QGraphicsOpacityEffect(rate);
    rate->setGraphicsEffect(m_rateButtonOpacity);
    rate->hide();
    m_rateButtonWanted = false;

    observeNotifications();
    connect(m_ui->dismissButton, &QAbstractButton::clicked, this, &CouponsViewController::dismissView);
    connect(m_ui->buttonUpdate, &QAbstractButton::clicked, this, &CouponsViewController::update);
    connect(m_ui->buttonShare, &QAbstractButton::clicked, this, &CouponsViewController::shareCoupon);
    connect(rate, &QAbstractButton::clicked, this, &CouponsViewController::rateCoffeeButtonClick);
    connect(m_ui->pageControl, &PageControl::valueChanged, this, &CouponsViewController::pageChanged);
    carousel->setDelegate(this);
    carousel->setDataSource(this);
    BaseViewController::viewDidLoad();
}

void CouponsViewController::viewDidUnload() {
    NotificationCenter::defaultCenter().removeObserver(this);
    BaseViewController::viewDidUnload();
}

void CouponsViewController::observeNotifications() {
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, RedireCouponForFriendNotification,
                       [this](const Notification& n) { receiveCouponForFriend(n.object.toString()); });
    if (const std::optional<CouponKind> kind = kindOf(m_type))
        center.addObserver(this, kind->notification, [this](const Notification&) { couponsUpdated(); });
}

void CouponsViewController::viewWillAppear(bool animated) {
    BaseViewController::viewWillAppear(animated);
    view(); // presentation may announce the appearance before it asks for the view
    m_ui->buttonShare->setHidden(!m_visibleShareButton);
    m_ui->buttonUpdate->setHidden(!m_visibleUpdateButton);
    m_ui->labelTitle->setText(m_caption);
    m_ui->labelEmpty->setText(m_empty);
    setX(m_ui->activityIndicator, m_visibleUpdateButton ? 65 : 15);
}

void CouponsViewController::viewDidAppear(bool animated) {
    BaseViewController::viewDidAppear(animated);
    if (!m_shouldRefresh)
        return;
    reloadCoupons();
    updateCoupons();
}

RedireCouponList CouponsViewController::coupons() const {
    const std::optional<CouponKind> kind = kindOf(m_type);
    if (!kind)
        return {};
    return (RedireServer::sharedServer().*(kind->list))().value_or(RedireCouponList());
}

QSharedPointer<RedireCoupon> CouponsViewController::currentCoupon() const {
    return coupons().value(m_ui->carousel->currentItemIndex());
}

void CouponsViewController::reloadCoupons() {
    m_ui->activityIndicator->show();
    m_ui->activityIndicator->startAnimating();
    m_shouldRefresh = false;
    QPushButton* share = m_ui->buttonShare;
    QPushButton* update = m_ui->buttonUpdate;
    share->setHidden(!m_visibleShareButton);
    update->setHidden(!m_visibleUpdateButton);
    const RedireCouponList list = coupons();

    KorvoAppDelegate* delegate = KorvoAppDelegate::shared();
    if (KorvoAppDelegate::isOnline()) {
        if (showsOfflineBanner(m_type))
            delegate->removeOfflineWarning();
        m_shareAllowed = m_visibleShareButton &&
                         Application::shared().canOpenUrl(QUrl(QStringLiteral("tel:0123456789"))) &&
                         !list.isEmpty();
        if (m_shareAllowed)
            share->setEnabled(true);
        else
            share->hide();
        // Not while the guard after a request runs: the button comes back no sooner than it ends.
        if (m_visibleUpdateButton && !m_updateTimer.isActive())
            update->setEnabled(true);
    } else {
        if (showsOfflineBanner(m_type) && delegate)
            delegate->showOfflineWarningInView(view());
        m_shareAllowed = m_visibleShareButton;
        if (m_visibleShareButton)
            share->setEnabled(false);
        if (m_visibleUpdateButton)
            update->setEnabled(false);
    }

    m_ui->labelEmpty->setVisible(m_updated && list.isEmpty());
    m_ui->carousel->reloadData();
    m_ui->pageControl->setNumberOfPages(int(list.size()));
    m_ui->pageControl->setCurrentPage(m_ui->carousel->currentItemIndex());
    m_ui->activityIndicator->stopAnimating();
    m_ui->activityIndicator->hide();
    if (const QSharedPointer<RedireCoupon> current = currentCoupon())
        setRateButtonVisible(isCoffee(current));
    hideShareButtonWhereItDoesNotBelong();
}

// The rate button takes the share button's place, and the coupon with identifier 1 is never given away.
void CouponsViewController::hideShareButtonWhereItDoesNotBelong() {
    const QSharedPointer<RedireCoupon> current = currentCoupon();
    if (m_rateButtonWanted || (current && current->ID().toInt() == 1))
        m_ui->buttonShare->hide();
}

void CouponsViewController::updateCoupons() {
    const std::optional<CouponKind> kind = kindOf(m_type);
    if (!kind)
        return;
    m_ui->buttonUpdate->setEnabled(false);
    m_updated = false;
    RedireServer::sharedServer().requestDataOfType(kind->requestType);
    m_ui->activityIndicator->show();
    m_ui->activityIndicator->startAnimating();
    m_updateTimer.start();
}

void CouponsViewController::couponsUpdated() {
    m_updated = true;
    reloadCoupons();
    m_ui->activityIndicator->stopAnimating();
    m_ui->activityIndicator->hide();
    if (!m_updateTimer.isActive())
        m_ui->buttonUpdate->setEnabled(true);
}

void CouponsViewController::allowUpdate() {
    m_updateTimer.stop();
    m_ui->buttonUpdate->setEnabled(m_updated);
}

void CouponsViewController::setRateButtonVisible(bool visible) {
    if (m_rateButtonWanted == visible)
        return;
    m_rateButtonWanted = visible;
    QPushButton* rate = m_ui->rateCoffeeButton;
    if (visible) {
        m_rateButtonOpacity->setOpacity(0);
        rate->show();
        m_ui->buttonShare->hide();
    }
    delete m_rateButtonFade;
    m_rateButtonFade = new QPropertyAnimation(m_rateButtonOpacity, "opacity", this);
    m_rateButtonFade->setDuration(rateButtonFadeMs);
    m_rateButtonFade->setEndValue(visible ? 1.0 : 0.0);
    connect(m_rateButtonFade, &QPropertyAnimation::finished, this, [this, rate] {
        if (!m_rateButtonWanted)
            rate->hide();
    });
    m_rateButtonFade->start(QAbstractAnimation::DeleteWhenStopped);
}

ActivityIndicator* CouponsViewController::activityIndicator() const {
    return m_ui->activityIndicator;
}

QPushButton* CouponsViewController::rateCoffeeButton() const {
    return m_ui->rateCoffeeButton;
}

qreal CouponsViewController::rateCoffeeButtonAlpha() const {
    return m_rateButtonOpacity ? m_rateButtonOpacity->opacity() : 1;
}

// Actions

void CouponsViewController::dismissView() {
    dismissViewControllerAnimated(true);
}

void CouponsViewController::update() {
    updateCoupons();
}

void CouponsViewController::shareCoupon() {
    const QSharedPointer<RedireCoupon> current = currentCoupon();
    const QString id = current ? current->ID() : QString();
    // Without a coupon to give away there is no answer to wait for: the button must not stay disabled.
    if (id.isEmpty()) {
        DebugLog::write(
            QStringLiteral("ERROR::%1::curentCoupomId == nil").arg(QStringLiteral("shareCoupon")));
        return;
    }
    m_ui->activityIndicator->show();
    m_ui->activityIndicator->startAnimating();
    m_ui->buttonShare->setEnabled(false);
    RedireServer::sharedServer().getCouponForFriend(id);
}

void CouponsViewController::receiveCouponForFriend(const QString& text) {
    m_couponForFriend = text;
    m_ui->activityIndicator->stopAnimating();
    m_ui->activityIndicator->hide();
    m_ui->buttonShare->setEnabled(true);
    const QString choice =
        m_type == 146 ? QStringLiteral("Gi bort kupongen på sms") : QStringLiteral("Del kupongen på sms");
    auto* sheet = new ActionSheet(QString(), this, QStringLiteral("Avbryt"), QString(), {choice});
    sheet->setStyle(ActionSheet::Style::BlackTranslucent);
    sheet->showInView(view());
}

void CouponsViewController::actionSheetClickedButtonAtIndex(ActionSheet*, int buttonIndex) {
    if (buttonIndex == 0)
        shareViaSMS();
}

void CouponsViewController::shareViaSMS() {
    if (supportsInAppSms()) {
        displaySMSComposerSheet();
        return;
    }
    auto* picker = new PeoplePickerNavigationController;
    picker->setPeoplePickerDelegate(this);
    presentViewController(picker, true);
}

bool CouponsViewController::supportsInAppSms() const {
    return MessageComposeViewController::canSendText();
}

void CouponsViewController::displaySMSComposerSheet() {
    auto* composer = new MessageComposeViewController;
    composer->setMessageComposeDelegate(this);
    composer->setRecipients({});
    composer->setBody(QString(composerText).replace(QStringLiteral("%@"), m_couponForFriend));
    presentViewController(composer, true);
}

void CouponsViewController::messageComposeViewControllerDidFinishWithResult(
    MessageComposeViewController* controller, MessageComposeResult result) {
    if (result == MessageComposeResult::Failed)
        alertMessage(QStringLiteral("SMS sendingen feilet"));
    controller->dismissViewControllerAnimated(true);
    updateCoupons();
}

void CouponsViewController::peoplePickerNavigationControllerDidCancel(
    PeoplePickerNavigationController* picker) {
    picker->dismissViewControllerAnimated(true);
}

bool CouponsViewController::peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
    PeoplePickerNavigationController*, const Contact&) {
    return true;
}

bool CouponsViewController::peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
    PeoplePickerNavigationController* picker, const Contact& person, ContactProperty property,
    int identifier) {
    if (property == ContactProperty::Phone) {
        const QString number = person.phoneNumbers.value(identifier).remove(QLatin1Char(' '));
        sendSmsWithMessage(QString(pastedText).replace(QStringLiteral("%@"), m_couponForFriend), number);
    }
    picker->dismissViewControllerAnimated(true);
    updateCoupons();
    return false;
}

void CouponsViewController::sendSmsWithMessage(const QString& message, const QString& number) {
    QGuiApplication::clipboard()->setText(message);
    // Encoded, so that whatever the number holds stays the number and cannot add to the link.
    Application::shared().openUrl(QUrl::fromEncoded("sms:" + QUrl::toPercentEncoding(number, "+")));
}

void CouponsViewController::alertMessage(const QString& message) {
    auto* alert = new AlertView(QString(), message, nullptr, QStringLiteral("OK"));
    alert->show();
}

void CouponsViewController::pageChanged() {
    m_ui->carousel->scrollToItemAtIndex(m_ui->pageControl->currentPage(), true);
}

void CouponsViewController::rateCoffeeButtonClick() {
    presentViewController(new PlaceholderViewController(QStringLiteral("Kaffe"),
                                                        QStringLiteral("Kaffevurdering kommer snart.")),
                          true);
}

// Carousel

int CouponsViewController::numberOfItemsInCarousel(Carousel*) {
    return int(coupons().size());
}

int CouponsViewController::numberOfVisibleItemsInCarousel(Carousel*) {
    return 3;
}

qreal CouponsViewController::carouselItemWidth(Carousel*) {
    return 240;
}

QWidget* CouponsViewController::carouselViewForItemAtIndex(Carousel*, int index, QWidget* reusingView) {
    QWidget* container = reusingView;
    CouponView* card = cardIn(container);
    if (!card) {
        container = new QWidget;
        container->resize(230, 355);
        auto [loaded, bottom] = CouponView::loadFromLayout();
        card = loaded;
        card->setParent(container);
        card->setViewBottom(bottom);
        bottom->setParent(container);
        bottom->setGeometry(0, card->height() - 5, container->width(), bottom->height());
    }
    card->prepareForReuse();
    card->setCoupon(coupons().value(index));
    return container;
}

bool CouponsViewController::carouselShouldSelectItemAtIndex(Carousel*, int) {
    return true;
}

void CouponsViewController::carouselDidSelectItemAtIndex(Carousel* carousel, int index) {
    if (index != carousel->currentItemIndex())
        return;
    if (CouponView* card = cardIn(carousel->itemViewAtIndex(index)))
        card->flip();
}

void CouponsViewController::carouselCurrentItemIndexUpdated(Carousel* carousel) {
    const RedireCouponList list = coupons();
    const int index = carousel->currentItemIndex();
    if (index < 0 || index >= list.size())
        return;
    const QSharedPointer<RedireCoupon> current = list[index];
    setRateButtonVisible(isCoffee(current));
    m_ui->pageControl->setCurrentPage(index);
    if (m_visibleShareButton && !m_rateButtonWanted)
        m_ui->buttonShare->setVisible(m_shareAllowed && current->ID().toInt() != 1);
}
