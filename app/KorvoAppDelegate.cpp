#include "app/KorvoAppDelegate.h"

#include "app/AnalyticsClient.h"
#include "app/FacebookSession.h"
#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "platform/Device.h"
#include "platform/NotificationCenter.h"
#include "platform/Paths.h"
#include "platform/Reachability.h"
#include "platform/StringTable.h"
#include "platform/UserDefaults.h"
#include "platform/Window.h"
#include "push/BRHelper.h"
#include "screens/CustomNavigationController.h"
#include "screens/SplashViewController.h"
#include "storage/Database.h"
#include "storage/SettingsKeys.h"
#include "ui_OfflineWarningView.h"

#include <QDir>
#include <QFileInfo>
#include <QPropertyAnimation>

KorvoAppDelegate::KorvoAppDelegate() {
    Application::shared().setDelegate(this);
}

KorvoAppDelegate::~KorvoAppDelegate() {
    NotificationCenter::defaultCenter().removeObserver(this);
    delete m_viewOfflineWarning;
    if (Application::shared().delegate() == this)
        Application::shared().setDelegate(nullptr);
}

KorvoAppDelegate* KorvoAppDelegate::shared() {
    return qobject_cast<KorvoAppDelegate*>(Application::shared().delegate());
}

bool KorvoAppDelegate::isOnline() {
    const KorvoAppDelegate* delegate = shared();
    return delegate && delegate->connectionStatus() != 0;
}

bool KorvoAppDelegate::applicationDidFinishLaunching() {
    const Configuration& configuration = Configuration::current();
    Database::shared();
    createCache(QStringLiteral("imageCache"));

    m_parseHelper = &BRHelper::sharedHelper();
    m_parseHelper->setApplicationId(configuration.pushApplicationId);
    m_parseHelper->setClientKey(configuration.pushClientKey);
    m_parseHelper->setupParse();

    AnalyticsClient::startSession(configuration.analyticsKey);
    AnalyticsClient::setBackgroundSessionsEnabled(false);

    setup();

    m_window = std::make_unique<Window>(configuration.screenHeight);
    m_navCon = new CustomNavigationController(new SplashViewController, this);
    m_navCon->setNavigationBarHidden(true);
    m_window->setRootViewController(m_navCon);
    m_window->makeKeyAndVisible();

    if (Device::systemVersionLessThan(QStringLiteral("6.0")))
        m_facebook = new FacebookClient(configuration.facebookAppId, this, this);

    watchApplicationState();
    return true;
}

void KorvoAppDelegate::watchApplicationState() {
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, ApplicationWillEnterForegroundNotification,
                       [this](const Notification&) { applicationWillEnterForeground(); });
    center.addObserver(this, ApplicationDidBecomeActiveNotification,
                       [this](const Notification&) { applicationDidBecomeActive(); });
    Application::shared().followPlatformState();
}

void KorvoAppDelegate::applicationWillEnterForeground() {
    setup();
}

void KorvoAppDelegate::applicationDidBecomeActive() {
    DebugLog::write(QStringLiteral("Facebook: app activation reported for %1")
                        .arg(Configuration::current().facebookAppId));
}

void KorvoAppDelegate::applicationWillTerminate() {
    Database::resetShared();
    removeOfflineWarning();
    m_window.reset();
    delete m_navCon;
}

unsigned KorvoAppDelegate::supportedInterfaceOrientationsForWindow() const {
    return InterfaceOrientationMaskAll;
}

void KorvoAppDelegate::setup() {
    Application::shared().setApplicationIconBadgeNumber(0);
    if (m_internet)
        return;
    m_internet = Reachability::reachabilityForInternetConnection(this);
    NotificationCenter::defaultCenter().addObserver(
        this, kReachabilityChangedNotification,
        [this](const Notification& n) { connectionStatusChanged(n.object); });
    m_internet->startNotifier();
    m_connectionStatus = m_internet->currentReachabilityStatus();
}

void KorvoAppDelegate::connectionStatusChanged(const QVariant& monitor) {
    if (auto* reachability = qobject_cast<Reachability*>(monitor.value<QObject*>()))
        m_connectionStatus = reachability->currentReachabilityStatus();
}

void KorvoAppDelegate::createCache(const QString& name) {
    const QString path = QStringLiteral("%1/%2").arg(Paths::documentsDirectory(), name);
    const QFileInfo existing(path);
    if (existing.isDir())
        return;
    if (existing.exists() || existing.isSymLink())
        QFile::remove(path);
    QDir().mkpath(path);
}

void KorvoAppDelegate::showOfflineWarningInView(QWidget* view) {
    if (!m_viewOfflineWarning) {
        // The banner goes wherever it is shown and may be destroyed with that view: made again on demand.
        m_viewOfflineWarning = new QWidget;
        Ui::OfflineWarningView().setupUi(m_viewOfflineWarning);
    }
    QWidget* banner = m_viewOfflineWarning;
    removeOfflineWarning();
    banner->setParent(view);
    banner->move(banner->x(), -banner->height());
    banner->show();
    banner->raise();
    auto* slide = new QPropertyAnimation(banner, "pos", banner);
    slide->setDuration(500);
    slide->setEndValue(QPoint(banner->x(), 35));
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

void KorvoAppDelegate::removeOfflineWarning() {
    if (!m_viewOfflineWarning)
        return;
    for (auto* running : m_viewOfflineWarning->findChildren<QPropertyAnimation*>(Qt::FindDirectChildrenOnly))
        running->stop();
    m_viewOfflineWarning->hide();
    m_viewOfflineWarning->setParent(nullptr);
}

void KorvoAppDelegate::facebookAuthorize() {
    const QStringList permissions = {QStringLiteral("email"), QStringLiteral("publish_stream")};
    FacebookSession* session = FacebookSession::activeSession();
    switch (session->state()) {
    case FacebookSession::CreatedTokenLoaded:
        DebugLog::write(QStringLiteral("FBSessionStateCreatedTokenLoaded"));
        break;
    case FacebookSession::CreatedOpening:
        DebugLog::write(QStringLiteral("session created opening"));
        session->close();
        break;
    case FacebookSession::ClosedLoginFailed:
        DebugLog::write(QStringLiteral("session failed"));
        session->closeAndClearTokenInformation();
        session = new FacebookSession(permissions);
        FacebookSession::setActiveSession(session);
        break;
    case FacebookSession::Closed:
        DebugLog::write(QStringLiteral("session closed"));
        break;
    default:
        break;
    }
    if (session->isOpen()) {
        NotificationCenter::defaultCenter().postNotification(FBSessionStateChangedNotification,
                                                             QVariant::fromValue<QObject*>(session));
        return;
    }
    if (session->state() != FacebookSession::CreatedTokenLoaded) {
        session = new FacebookSession(permissions);
        FacebookSession::setActiveSession(session);
    }
    session->openWithCompletion([this](FacebookSession* opened, FacebookSession::State state) {
        fbSessionStateChanged(opened, state);
    });
}

void KorvoAppDelegate::fbSessionStateChanged(FacebookSession* session, int state) {
    if (state == FacebookSession::CreatedOpening)
        session->close();
    NotificationCenter::defaultCenter().postNotification(FBSessionStateChangedNotification,
                                                         QVariant::fromValue<QObject*>(session));
}

void KorvoAppDelegate::storeFacebookAuthData(const QString& accessToken, const QDateTime& expiresAt) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(accessToken, kFBAccessTokenKey);
    defaults.setObject(expiresAt, kFBExpirationDateKey);
    defaults.synchronize();
}

void KorvoAppDelegate::removeFacebookAuthData() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.removeObjectForKey(kFBAccessTokenKey);
    defaults.removeObjectForKey(kFBExpirationDateKey);
    defaults.synchronize();
}

void KorvoAppDelegate::fbDidLogin(const QString& accessToken, const QDateTime& expirationDate) {
    storeFacebookAuthData(accessToken, expirationDate);
}

void KorvoAppDelegate::fbDidExtendToken(const QString& accessToken, const QDateTime& expiresAt) {
    storeFacebookAuthData(accessToken, expiresAt);
}

void KorvoAppDelegate::fbDidLogout() {
    removeFacebookAuthData();
}

void KorvoAppDelegate::fbDidNotLogin(bool) {}

void KorvoAppDelegate::fbSessionInvalidated() {
    auto* alert =
        new AlertView(QString(), localizedString(QStringLiteral("alert.share.facebook.session_expired")),
                      nullptr, localizedString(QStringLiteral("common.ok")));
    alert->show();
    removeFacebookAuthData();
}
