#include "screens/InfoViewController.h"

#include "platform/Application.h"
#include "platform/Configuration.h"
#include "platform/Device.h"
#include "platform/ImageView.h"
#include "platform/SetSizes.h"
#include "service/RedireServer.h"
#include "storage/SettingsKeys.h"
#include "ui_InfoViewController.h"

#include <QCoreApplication>

namespace {

enum WebSiteTag { ProviderWebSite = 1, MakerWebSite = 2 };

// The version the app is built as, unless the application object was told another.
QString bundleVersion() {
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("1.0.0") : version;
}

// "korvo.example/kundeservice": how the address is read out to a person, without its scheme.
QString withoutScheme(const QUrl& address) {
    QString text = address.toString(QUrl::RemoveScheme);
    if (text.startsWith(QStringLiteral("//")))
        text.remove(0, 2);
    return text;
}

} // namespace

InfoViewController::InfoViewController(QObject* parent)
    : BaseViewController(parent)
    , m_ui(std::make_unique<Ui::InfoViewController>()) {
    setTitle(QStringLiteral("Info"));
}

InfoViewController::~InfoViewController() = default;

QWidget* InfoViewController::loadView() {
    auto* view = new QWidget;
    m_ui->setupUi(view);
    view->resize(320, Configuration::current().screenHeight);
    return view;
}

ImageView* InfoViewController::backgroundImage() const {
    return isViewLoaded() ? m_ui->backgroundImage : nullptr;
}

void InfoViewController::viewDidLoad() {
    BaseViewController::viewDidLoad();
    if (Configuration::current().screenHeight == 568) {
        m_ui->backgroundImage->setImage(imageNamed(QStringLiteral("InfoBackground-568h@2x.png")));
        setHeight(m_ui->backgroundImage, 568);
    }
    connect(m_ui->dismissButton, &QAbstractButton::clicked, this, &InfoViewController::dismiss);
    connect(m_ui->feedbackButton, &QAbstractButton::clicked, this, &InfoViewController::leaveFeedback);
    connect(m_ui->redireButton, &QAbstractButton::clicked, this, &InfoViewController::showRedire);
    connect(m_ui->brisvikButton, &QAbstractButton::clicked, this, &InfoViewController::showBrisvik);
}

void InfoViewController::dismiss() {
    dismissViewControllerAnimated(true);
}

QString InfoViewController::feedbackSubject() {
    return QStringLiteral("%1 v%2 %3 iOS %4")
        .arg(QStringLiteral("Tilbakemelding Korvo Store"), bundleVersion(), Device::model(),
             Device::systemVersion());
}

QString InfoViewController::feedbackBody() {
    const RedireServer& server = RedireServer::sharedServer();
    if (!server.isUserRegistered())
        return QString();
    const QVariantMap record = server.dictUserInfo().value_or(QVariantMap());
    // The values go into HTML: escaped, so that whatever the service sent stays text.
    return QStringLiteral("Medlemsnummer: %1<br>Telefonnummer: %2<br>Bursdag: %3<br>")
        .arg(server.userId().toHtmlEscaped(), record.value(kPhoneKey).toString().toHtmlEscaped(),
             record.value(kDobKey).toString().toHtmlEscaped());
}

void InfoViewController::leaveFeedback() {
    if (!MailComposeViewController::canSendMail()) {
        const QString message =
            QStringLiteral("Du trenger en epostkonto for å bruke denne funksjonen. \nGi oss gjerne "
                           "tilbakemeldinger på ") +
            withoutScheme(Configuration::current().supportPage);
        (new AlertView(QString(), message, nullptr, QStringLiteral("OK")))->show();
        return;
    }
    auto* composer = new MailComposeViewController;
    composer->setSubject(feedbackSubject());
    composer->setToRecipients({Configuration::current().feedbackAddress});
    composer->setMessageBody(feedbackBody(), true);
    composer->setMailComposeDelegate(this);
    presentViewController(composer, true);
}

void InfoViewController::mailComposeControllerDidFinishWithResult(MailComposeViewController*,
                                                                  MailComposeResult) {
    dismissViewControllerAnimated(true);
}

void InfoViewController::showRedire() {
    askBeforeOpeningWebSite(ProviderWebSite);
}

void InfoViewController::showBrisvik() {
    askBeforeOpeningWebSite(MakerWebSite);
}

void InfoViewController::askBeforeOpeningWebSite(int tag) {
    auto* question = new AlertView(QString(), QStringLiteral("Nettsiden vil åpnes i Safari"), this,
                                   QStringLiteral("Avbryt"), {QStringLiteral("OK")});
    question->setTag(tag);
    question->show();
}

void InfoViewController::alertViewClickedButtonAtIndex(AlertView* alertView, int buttonIndex) {
    if (buttonIndex != 1)
        return;
    const Configuration& configuration = Configuration::current();
    if (alertView->tag() == ProviderWebSite)
        Application::shared().openUrl(configuration.providerWebSite);
    else if (alertView->tag() == MakerWebSite)
        Application::shared().openUrl(configuration.makerWebSite);
}
