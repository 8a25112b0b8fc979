#include "screens/PrivacyViewController.h"

#include "platform/Configuration.h"
#include "platform/SetSizes.h"
#include "ui_PrivacyViewController.h"

PrivacyViewController::PrivacyViewController(QObject* parent)
    : BaseViewController(parent)
    , m_ui(std::make_unique<Ui::PrivacyViewController>()) {
    setTitle(QStringLiteral("Personvern"));
}

PrivacyViewController::~PrivacyViewController() = default;

QWidget* PrivacyViewController::loadView() {
    auto* view = new QWidget;
    m_ui->setupUi(view);
    view->resize(320, Configuration::current().screenHeight);
    setTopBarImage(m_ui->topBarImage);
    return view;
}

void PrivacyViewController::viewDidLoad() {
    BaseViewController::viewDidLoad();
    setHeight(m_ui->textScrollView, height(view()) - y(m_ui->textScrollView));
    connect(m_ui->closeButton, &QAbstractButton::clicked, this, &PrivacyViewController::close);
}

void PrivacyViewController::close() {
    dismissViewControllerAnimated(true);
}
