#include "screens/PlaceholderViewController.h"

#include "ui_PlaceholderViewController.h"

PlaceholderViewController::PlaceholderViewController(const QString& title, const QString& text,
                                                     QObject* parent)
    : BaseViewController(parent)
    , m_ui(std::make_unique<Ui::PlaceholderViewController>())
    , m_text(text) {
    setTitle(title);
}

PlaceholderViewController::~PlaceholderViewController() = default;

QWidget* PlaceholderViewController::loadView() {
    auto* view = new QWidget;
    m_ui->setupUi(view);
    setTopBarImage(m_ui->topBarImage);
    return view;
}

void PlaceholderViewController::viewDidLoad() {
    m_ui->labelTitle->setText(title());
    m_ui->labelText->setText(m_text);
    connect(m_ui->dismissButton, &QAbstractButton::clicked, this,
            [this] { dismissViewControllerAnimated(true); });
    BaseViewController::viewDidLoad();
}
