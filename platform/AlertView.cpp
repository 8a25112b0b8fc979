#include "platform/AlertView.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QList<AlertView*>& shownAlerts() {
    static QList<AlertView*> alerts;
    return alerts;
}

const QString kOverlayName = QStringLiteral("AlertViewOverlay");

// The window an alert covers; an alert shown without any window is a window of its own, never a host.
QWidget* hostWindow() {
    QWidgetList candidates{QApplication::activeWindow()};
    candidates.append(QApplication::topLevelWidgets());
    for (QWidget* window : std::as_const(candidates)) {
        if (window && window->isWindow() && !window->isHidden() && window->objectName() != kOverlayName)
            return window;
    }
    return nullptr;
}

// Keeps the dimming overlay the size of the window it covers.
class Overlay : public QWidget {
public:
    explicit Overlay(QWidget* host)
        : QWidget(host) {
        setObjectName(kOverlayName);
        setAttribute(Qt::WA_StyledBackground);
        setStyleSheet(QStringLiteral("#AlertViewOverlay { background: rgba(0, 0, 0, 110); }"
                                     "#AlertViewBox { background: white; border-radius: 10px; }"));
        if (host) {
            host->installEventFilter(this);
            setGeometry(host->rect());
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return false;
    }
};

} // namespace

AlertView::AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
                     const QString& cancelButtonTitle, const QStringList& otherButtonTitles)
    : m_title(title)
    , m_message(message)
    , m_delegate(delegate) {
    if (!cancelButtonTitle.isEmpty())
        m_buttonTitles.append(cancelButtonTitle);
    m_buttonTitles.append(otherButtonTitles);
}

AlertView::~AlertView() {
    shownAlerts().removeAll(this);
    delete m_widget;
}

QList<AlertView*> AlertView::visibleAlerts() {
    return shownAlerts();
}

void AlertView::show() {
    if (m_visible)
        return;
    m_visible = true;
    shownAlerts().append(this);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        m_widget = makeWidget();
}

QWidget* AlertView::makeWidget() {
    QWidget* host = hostWindow();
    auto* overlay = new Overlay(host);
    if (!host)
        overlay->resize(320, 240);

    auto* box = new QWidget(overlay);
    box->setObjectName(QStringLiteral("AlertViewBox"));
    box->setAttribute(Qt::WA_StyledBackground);
    box->setMaximumWidth(280);
    auto* boxLayout = new QVBoxLayout(box);
    for (const auto& [text, bold] : {std::pair{m_title, true}, std::pair{m_message, false}}) {
        if (text.isEmpty())
            continue;
        auto* label = new QLabel(text, box);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        if (bold) {
            QFont font = label->font();
            font.setBold(true);
            label->setFont(font);
        }
        boxLayout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    for (int index = 0; index < m_buttonTitles.size(); ++index) {
        auto* button = new QPushButton(m_buttonTitles[index], box);
        connect(button, &QPushButton::clicked, this, [this, index] { dismissWithClickedButtonIndex(index); });
        buttons->addWidget(button);
    }
    boxLayout->addLayout(buttons);

    auto* overlayLayout = new QVBoxLayout(overlay);
    overlayLayout->addWidget(box, 0, Qt::AlignCenter);
    overlay->show();
    overlay->raise();
    return overlay;
}

void AlertView::dismissWithClickedButtonIndex(int buttonIndex) {
    if (m_dismissed)
        return;
    m_dismissed = true;
    m_visible = false;
    shownAlerts().removeAll(this);
    // The clicked button belongs to the widget: it goes once its click has been handled.
    if (m_widget) {
        m_widget->hide();
        m_widget->deleteLater();
    }
    const QPointer<AlertView> self(this);
    if (m_delegate)
        m_delegate->alertViewClickedButtonAtIndex(this, buttonIndex);
    if (self)
        deleteLater();
}
