#include "platform/ActionSheet.h"

#include "platform/Overlay.h"
#include "platform/Slide.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QList<ActionSheet*>& shownSheets() {
    static QList<ActionSheet*> sheets;
    return sheets;
}

QString styleSheetOf(ActionSheet::Style style) {
    const QString buttonRoles = QStringLiteral("QPushButton[role=\"destructive\"] { color: #ff3b30; }"
                                               "QPushButton[role=\"cancel\"] { font-weight: bold; }");
    if (style == ActionSheet::Style::Default)
        return QStringLiteral("#ActionSheetPanel { background: rgba(240, 240, 240, 245); }"
                              "QLabel { color: #6d6d72; }"
                              "QPushButton { background: white; color: #007aff; border-radius: 6px; "
                              "padding: 10px; }") +
               buttonRoles;
    const QString panel = style == ActionSheet::Style::BlackTranslucent ? QStringLiteral("rgba(0, 0, 0, 180)")
                                                                        : QStringLiteral("black");
    return QStringLiteral(
               "#ActionSheetPanel { background: %1; }"
               "QLabel { color: white; }"
               "QPushButton { background: rgba(255, 255, 255, 40); color: white; border-radius: 6px; "
               "padding: 10px; }")
               .arg(panel) +
           buttonRoles;
}

} // namespace

ActionSheet::ActionSheet(const QString& title, ActionSheetDelegate* delegate,
                         const QString& cancelButtonTitle, const QString& destructiveButtonTitle,
                         const QStringList& otherButtonTitles)
    : m_title(title)
    , m_delegate(delegate) {
    if (!destructiveButtonTitle.isEmpty()) {
        m_destructiveButtonIndex = 0;
        m_buttonTitles.append(destructiveButtonTitle);
    }
    m_buttonTitles.append(otherButtonTitles);
    if (!cancelButtonTitle.isEmpty()) {
        m_cancelButtonIndex = int(m_buttonTitles.size());
        m_buttonTitles.append(cancelButtonTitle);
    }
}

ActionSheet::~ActionSheet() {
    shownSheets().removeAll(this);
    delete m_widget;
}

QList<ActionSheet*> ActionSheet::visibleSheets() {
    return shownSheets();
}

void ActionSheet::showInView(QWidget* view) {
    if (shownSheets().contains(this) || m_dismissed)
        return;
    shownSheets().append(this);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        m_widget = makeWidget(view ? view->window() : Overlay::hostWindow());
}

QWidget* ActionSheet::makeWidget(QWidget* host) {
    auto* overlay = new Overlay(host);
    if (!host)
        overlay->resize(320, 480);

    auto* panel = new QWidget(overlay);
    panel->setObjectName(QStringLiteral("ActionSheetPanel"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(styleSheetOf(m_style));
    auto* layout = new QVBoxLayout(panel);
    if (!m_title.isEmpty()) {
        auto* label = new QLabel(m_title, panel);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    for (int index = 0; index < m_buttonTitles.size(); ++index) {
        auto* button = new QPushButton(m_buttonTitles[index], panel);
        if (index == m_destructiveButtonIndex)
            button->setProperty("role", QStringLiteral("destructive"));
        if (index == m_cancelButtonIndex) {
            button->setProperty("role", QStringLiteral("cancel"));
            layout->addSpacing(6);
        }
        connect(button, &QPushButton::clicked, this, [this, index] { dismissWithClickedButtonIndex(index); });
        layout->addWidget(button);
    }
    panel->setFixedWidth(overlay->width());
    panel->adjustSize();
    panel->move(0, overlay->height());
    overlay->show();
    overlay->raise();
    slideView(panel, QPoint(0, overlay->height() - panel->height()), true, [] {});
    return overlay;
}

void ActionSheet::dismissWithClickedButtonIndex(int buttonIndex) {
    if (m_dismissed)
        return;
    m_dismissed = true;
    shownSheets().removeAll(this);
    Overlay::close(m_widget);
    const QPointer<ActionSheet> self(this);
    if (ActionSheetDelegate* delegate = m_delegate.get())
        delegate->actionSheetClickedButtonAtIndex(this, buttonIndex);
    if (self)
        deleteLater();
}
