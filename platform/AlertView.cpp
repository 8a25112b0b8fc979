#include "platform/AlertView.h"

#include "platform/Overlay.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QList<AlertView*>& shownAlerts() {
    static QList<AlertView*> alerts;
    return alerts;
}

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
    QWidget* host = Overlay::hostWindow();
    auto* overlay = new Overlay(host);
    if (!host)
        overlay->resize(320, 240);

    auto* box = new QWidget(overlay);
    box->setObjectName(QStringLiteral("AlertViewBox"));
    box->setAttribute(Qt::WA_StyledBackground);
    box->setStyleSheet(QStringLiteral("#AlertViewBox { background: white; border-radius: 10px; }"));
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
    Overlay::close(m_widget);
    const QPointer<AlertView> self(this);
    if (AlertViewDelegate* delegate = m_delegate.get())
        delegate->alertViewClickedButtonAtIndex(this, buttonIndex);
    if (self)
        deleteLater();
}
