#include "screens/SplashViewController.h"

#include "member/BirthdayViewController.h"
#include "platform/Configuration.h"
#include "platform/ImageView.h"
#include "platform/NavigationController.h"
#include "platform/NotificationCenter.h"
#include "screens/HomeViewController.h"
#include "service/RedireNotifications.h"
#include "service/RedireServer.h"
#include "ui_SplashViewController.h"

#include <QPropertyAnimation>
#include <QTimer>

SplashViewController::SplashViewController(QObject* parent)
    : BaseViewController(parent)
    , m_ui(std::make_unique<Ui::SplashViewController>()) {}

SplashViewController::~SplashViewController() = default;

bool SplashViewController::showRegisterAtStart() {
    return !RedireServer::sharedServer().isUserRegistered();
}

QWidget* SplashViewController::loadView() {
    auto* view = new QWidget;
    m_ui->setupUi(view);
    return view;
}

ImageView* SplashViewController::backgroundImageView() const {
    return isViewLoaded() ? m_ui->backgroundImageView : nullptr;
}

ImageView* SplashViewController::adView() const {
    return isViewLoaded() ? m_ui->adView : nullptr;
}

void SplashViewController::viewDidLoad() {
    BaseViewController::viewDidLoad();
    if (Configuration::current().screenHeight == 568)
        m_ui->backgroundImageView->setImage(imageNamed(QStringLiteral("Default-568h@2x.png")));
    m_ui->adView->setAlpha(0);
    NotificationCenter::defaultCenter().addObserver(
        this, RedireSplashAdNotification,
        [this](const Notification& n) { advertismentLoaded(n.object.toString()); });
    showRoot();
}

void SplashViewController::showRoot() {
    if (m_home || !navigationController())
        return;
    m_home = new HomeViewController;
    if (showRegisterAtStart()) {
        navigationController()->pushViewController(m_home, false);
        presentViewController(new BirthdayViewController, true);
    } else {
        navigationController()->pushViewController(m_home, true);
    }
}

// The advert is fetched without holding up the screen; what follows is the same as once it is there.
void SplashViewController::advertismentLoaded(const QString& address) {
    m_advertBytes.clear();
    UrlRequest request;
    request.url = QUrl(address);
    m_advertDownload = std::make_unique<UrlConnection>(request, this);
}

void SplashViewController::connectionDidReceiveData(UrlConnection*, const QByteArray& data) {
    m_advertBytes.append(data);
}

void SplashViewController::connectionDidFailWithError(UrlConnection*, const Error&) {
    m_advertDownload.release()->deleteLater();
    showRoot();
}

void SplashViewController::connectionDidFinishLoading(UrlConnection*) {
    m_advertDownload.release()->deleteLater();
    QPixmap picture;
    if (m_advertBytes.isEmpty() || !picture.loadFromData(m_advertBytes)) {
        showRoot();
        return;
    }
    showAd(picture);
}

void SplashViewController::showAd(const QPixmap& picture) {
    m_ui->adView->setImage(picture);
    m_ui->adView->show();
    m_ui->adView->raise();
    auto* fade = new QPropertyAnimation(m_ui->adView, "alpha", this);
    fade->setDuration(500);
    fade->setStartValue(m_ui->adView->alpha());
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    QTimer::singleShot(1000, this, [this] { showRoot(); });
}
