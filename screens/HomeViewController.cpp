#include "screens/HomeViewController.h"

#include "app/KorvoAppDelegate.h"
#include "member/BirthdayViewController.h"
#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/Device.h"
#include "platform/ImageView.h"
#include "platform/NotificationCenter.h"
#include "platform/SetSizes.h"
#include "platform/StringTable.h"
#include "platform/UserDefaults.h"
#include "screens/ButtonWithBadge.h"
#include "screens/CouponsViewController.h"
#include "screens/CustomNavigationController.h"
#include "screens/InfoViewController.h"
#include "screens/PlaceholderViewController.h"
#include "screens/RatingTeaser.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "service/RequestType.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"
#include "ui_HomeViewController.h"

#include <QHash>

namespace {

const QList<qint64> loyaltyCardTypes = {145};
const QList<qint64> promotionTypes = {143, 144};
const QList<qint64> valueCouponTypes = {146};
const QList<qint64> campaignTypes = {147, 148};

// Which saved list keeps the coupons a notification announces.
const QHash<QString, QString>& cacheKeyForNotification() {
    static const QHash<QString, QString> keys = {
        {RedirePromotionsNotification, kCachedPromotionsKey},
        {RedireLoyaltyCardsNotification, kCachedLoyaltyCardsKey},
        {RedireRewardsNotification, kCachedRewardsKey},
        {RedireOffersNotification, kCachedOffersKey},
    };
    return keys;
}

} // namespace

struct HomeViewController::CouponMenuEntry {
    QString caption;
    QString empty;
    bool shareButton;
    bool updateButton;
    int type;
    QList<qint64> typeIds;
};

HomeViewController::HomeViewController(QObject* parent)
    : BaseViewController(parent)
    , m_ui(std::make_unique<Ui::HomeViewController>()) {
    m_rateStatsTimer.setInterval(60 * 1000);
    connect(&m_rateStatsTimer, &QTimer::timeout, this, &HomeViewController::updateRateStates);
}

HomeViewController::~HomeViewController() = default;

QWidget* HomeViewController::loadView() {
    auto* view = new QWidget;
    m_ui->setupUi(view);
    view->resize(320, Configuration::current().screenHeight);
    setTopBarImage(m_ui->topBarImage);
    return view;
}

void HomeViewController::viewDidLoad() {
    BaseViewController::viewDidLoad();
    RedireServer& server = RedireServer::sharedServer();
    if (server.isUserRegistered())
        server.loadDataFromCaches();
    observeNotifications();
    layoutForTallScreen();

    m_ui->loyaltyCardsButton->setIsBig(true);
    m_ui->promotionButton->setIsBig(true);

    const QList<std::pair<QAbstractButton*, void (HomeViewController::*)()>> actions = {
        {m_ui->loyaltyCardsButton, &HomeViewController::loyaltyCardsButtonAction},
        {m_ui->promotionButton, &HomeViewController::promotionButtonAction},
        {m_ui->myCouponsButton, &HomeViewController::myCouponsButtonAction},
        {m_ui->competitionButton, &HomeViewController::competitionButtonAction},
        {m_ui->newsButton, &HomeViewController::newsButtonAction},
        {m_ui->storeFinderButton, &HomeViewController::storeFinderButtonAction},
        {m_ui->ratingButton, &HomeViewController::ratingButtonClick},
        {m_ui->bottomBarButton, &HomeViewController::bottomBarAction},
        {m_ui->infoButton, &HomeViewController::showInfo},
        {m_ui->tipsButton, &HomeViewController::showTips},
    };
    for (const auto& [button, action] : actions)
        connect(button, &QAbstractButton::clicked, this, action);

    reqCommonDataFromServer();
    m_ui->adTitleLabel->setText(localizedString(QStringLiteral("homeView.ad.title")));
    m_ui->adTextLabel->setText(localizedString(QStringLiteral("homeView.ad.text")));
    reloadRatingView();
    m_rateStatsTimer.start();
}

void HomeViewController::observeNotifications() {
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, ApplicationDidBecomeActiveNotification,
                       [this](const Notification&) { reqCommonDataFromServer(); });
    center.addObserver(this, RedireAllCouponsNotification,
                       [this](const Notification&) { updateMenuBadgesAll(); });
    for (const QString& name :
         {RedireLoyaltyCardsNotification, RedireNewsNotification, RedireOffersNotification,
          RedirePromotionsNotification, RedireRewardsNotification}) {
        center.addObserver(this, name, [this](const Notification& n) { updateMenuBadges(n.name, n.object); });
    }
    for (const QString& name : {RedireGetUserInfoNotification, RedireUserLoggedOutNotification})
        center.addObserver(this, name, [this](const Notification&) { updateUserInfo(); });
    center.addObserver(this, RedireRatingStateNotification,
                       [this](const Notification&) { reloadRatingView(); });
}

void HomeViewController::layoutForTallScreen() {
    // The layout is drawn for a 480-point screen: the bottom bar keeps to the bottom edge whatever the
    // height.
    QWidget* bottomBar = m_ui->viewBottomBar;
    setY(bottomBar, height(view()) - height(bottomBar));
    if (Configuration::current().screenHeight != 568)
        return;
    const int systemOffset = Device::systemVersionLessThan(QStringLiteral("7.0")) ? 0 : 20;
    QWidget* buttons = m_ui->buttonsView;
    setY(buttons, y(buttons) + 44 + systemOffset);
    setHeight(buttons, height(buttons) + 20);
    QWidget* advert = m_ui->viewAd;
    const double advertShift = 12 + systemOffset;
    setY(advert, y(advert) + advertShift);
    setHeight(advert, height(advert) + 24);
    // The top bar grows down to the advert; its stretchable picture keeps its bottom 42 points, and what
    // sits on the bar moves down with them.
    setHeight(m_ui->topBarImage, height(m_ui->topBarImage) + advertShift);
    for (QWidget* onBar : {static_cast<QWidget*>(m_ui->logoLabel), static_cast<QWidget*>(m_ui->tipsButton),
                           static_cast<QWidget*>(m_ui->infoButton)})
        setY(onBar, y(onBar) + advertShift);
}

void HomeViewController::viewWillAppear(bool animated) {
    BaseViewController::viewWillAppear(animated);
    updateUserInfo();
}

void HomeViewController::reqCommonDataFromServer() {
    RedireServer& server = RedireServer::sharedServer();
    if (!KorvoAppDelegate::isOnline() || !server.isUserRegistered())
        return;
    server.requestDataOfType(RequestTypeGetAllCoupons);
    server.requestRatingState();
    server.requestDataOfType(RequestTypeGetNews);
}

void HomeViewController::updateRateStates() {
    if (KorvoAppDelegate::isOnline() && RedireServer::sharedServer().isUserRegistered())
        RedireServer::sharedServer().requestRatingState();
}

void HomeViewController::updateMenuBadgesAll() {
    const Database& database = Database::shared();
    m_ui->loyaltyCardsButton->setBadgeCount(unsigned(database.countNewBadges(loyaltyCardTypes)));
    m_ui->promotionButton->setBadgeCount(unsigned(database.countNewBadges(promotionTypes)));
    m_ui->myCouponsButton->setBadgeCount(unsigned(database.countNewBadges(valueCouponTypes)));
    m_ui->competitionButton->setBadgeCount(unsigned(database.countNewBadges(campaignTypes)));
}

void HomeViewController::updateMenuBadges(const QString& notificationName, const QVariant& object) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (notificationName == RedireNewsNotification) {
        if (object.isNull())
            return;
        qint64 unseen = defaults.integerForKey(kNewNewsInCacheKey);
        const QVariantList savedIds = defaults.arrayForKey(kCachedNewsKey);
        QVariantList ids;
        for (const QVariantMap& item : object.value<ElementRecords>()) {
            const QString id = item.value(QStringLiteral("id")).toString();
            if (!savedIds.contains(id))
                ++unseen;
            ids.append(id);
        }
        defaults.setObject(ids, kCachedNewsKey);
        defaults.setInteger(unseen, kNewNewsInCacheKey);
        m_ui->newsButton->setBadgeCount(unsigned(unseen));
    } else {
        const QString key = cacheKeyForNotification().value(notificationName);
        if (key.isEmpty())
            return;
        QVariantList saved;
        for (const QSharedPointer<RedireCoupon>& coupon : object.value<RedireCouponList>())
            saved.append(coupon->dictionaryForCaching());
        defaults.setObject(saved, key);
    }
    defaults.synchronize();
}

void HomeViewController::updateUserInfo() {
    reqCommonDataFromServer();
    const int days = BirthdayViewController::daysToBirthday();
    QLabel* title = m_ui->labelBottomTitle;
    QLabel* text = m_ui->labelBottomText;
    QLabel* counter = m_ui->labelBottomCounter;
    if (days < 0) {
        text->hide();
        counter->hide();
        setY(title, 23);
        return;
    }
    text->show();
    counter->show();
    setY(title, 15);
    if (days >= 1) {
        text->setGeometry(36, 27, 200, 15);
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        text->setText(QStringLiteral("Antall dager til bursdagsgave:"));
        counter->setText(QString::number(days));
    } else {
        text->setGeometry(30, 27, 260, 15);
        text->setAlignment(Qt::AlignCenter);
        text->setText(QStringLiteral("Gratulerer! Bursdagskupong kommer!"));
        counter->setText(QString());
    }
}

void HomeViewController::reloadRatingView() {
    const RatingTeaser teaser = RatingTeaser::forState(Database::shared().lastRatingState());
    m_ui->ratingTitleLabel->setText(teaser.title);
    m_ui->ratingTextLabel->setAttributedText(teaser.text);
    setHeight(m_ui->ratingTextLabel, teaser.textHeight);
    m_ui->ratingButton->setText(teaser.buttonTitle);
    m_ui->ratingButton->setStyleSheet(
        QStringLiteral("QPushButton { border-image: url(:/pictures/%1) 8 8 8 8 stretch; color: white; }")
            .arg(teaser.buttonImage));
    m_ui->ratingButton->setProperty("backgroundImage", teaser.buttonImage);
}

void HomeViewController::openCoupons(const CouponMenuEntry& entry, ButtonWithBadge* button) {
    auto* coupons = new CouponsViewController;
    coupons->setCaption(entry.caption);
    coupons->setEmpty(entry.empty);
    coupons->setVisibleShareButton(entry.shareButton);
    coupons->setVisibleUpdateButton(entry.updateButton);
    coupons->setType(entry.type);
    presentViewController(coupons, true);
    button->setBadgeCount(0);
    Database::shared().clearNewBadges(entry.typeIds);
}

void HomeViewController::loyaltyCardsButtonAction() {
    openCoupons({QStringLiteral("Lojalitetskort"), QStringLiteral("Du har ingen lojalitetskort akkurat nå"),
                 false, true, 145, loyaltyCardTypes},
                m_ui->loyaltyCardsButton);
}

void HomeViewController::promotionButtonAction() {
    openCoupons({QStringLiteral("Tilbud"), QStringLiteral("Du har ingen tilbud akkurat nå"), true, false, 143,
                 promotionTypes},
                m_ui->promotionButton);
}

void HomeViewController::myCouponsButtonAction() {
    openCoupons({QStringLiteral("Verdikuponger"), QStringLiteral("Du har ingen verdikuponger akkurat nå"),
                 true, false, 146, valueCouponTypes},
                m_ui->myCouponsButton);
}

void HomeViewController::competitionButtonAction() {
    openCoupons({QStringLiteral("Først til Korvo Store"),
                 QStringLiteral("Det er ingen Først til Korvo Store aktiviteter nå. Følg med!"), false, true,
                 147, campaignTypes},
                m_ui->competitionButton);
}

void HomeViewController::newsButtonAction() {
    auto* navigation = new CustomNavigationController(
        new PlaceholderViewController(QStringLiteral("Nyheter"), QStringLiteral("Det er ingen nyheter nå")));
    navigation->setNavigationBarHidden(true);
    presentViewController(navigation, true);
    m_ui->newsButton->setBadgeCount(0);
    UserDefaults::standardUserDefaults().setInteger(0, kNewNewsInCacheKey);
    UserDefaults::standardUserDefaults().synchronize();
}

void HomeViewController::storeFinderButtonAction() {
    presentViewController(new PlaceholderViewController(QStringLiteral("Finn butikk"),
                                                        QStringLiteral("Butikkfinneren kommer snart.")),
                          true);
}

void HomeViewController::ratingButtonClick() {
    presentViewController(new PlaceholderViewController(QStringLiteral("Kaffe"),
                                                        QStringLiteral("Kaffevurdering kommer snart.")),
                          true);
}

void HomeViewController::bottomBarAction() {
    presentViewController(new BirthdayViewController, true);
}

void HomeViewController::showInfo() {
    presentViewController(new InfoViewController, true);
}

void HomeViewController::showTips() {
    auto* sheet = new ActionSheet(QString(), this, QStringLiteral("Avbryt"), QString(),
                                  {QStringLiteral("Tips en venn")});
    sheet->setStyle(ActionSheet::Style::BlackTranslucent);
    sheet->showInView(view());
}

void HomeViewController::actionSheetClickedButtonAtIndex(ActionSheet*, int buttonIndex) {
    if (buttonIndex != 0 || !MailComposeViewController::canSendMail())
        return;
    const QString link = Configuration::current().tellAFriendLink.toString();
    auto* composer = new MailComposeViewController;
    composer->setSubject(QStringLiteral("Sjekk ut Korvo Store på iPhone, iPod Touch og Android!"));
    composer->setMessageBody(
        QStringLiteral("Hei! <br><br>Jeg anbefaler denne applikasjonen fra Korvo Store. "
                       "Lojalitetskort, gode tilbud, nyheter samt butikkfinner er bare noen av "
                       "godbitene!<br><br>Last ned her: <a href=\"%1\">%1</a>")
            .arg(link),
        true);
    composer->setMailComposeDelegate(this);
    presentViewController(composer, true);
}

void HomeViewController::mailComposeControllerDidFinishWithResult(MailComposeViewController*,
                                                                  MailComposeResult) {
    dismissViewControllerAnimated(true);
}
