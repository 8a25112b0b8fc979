#pragma once

#include "platform/WeakDelegate.h"
#include <QList>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class AlertView;
class QWidget;

class AlertViewDelegate {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(AlertView* alertView, int buttonIndex) = 0;
};

// An alert over the application's window that does not block the event loop: title, message, buttons
// (the cancel button first, index 0), a tag and a delegate told the clicked index. It deletes itself once
// dismissed. Visible alerts can be listed and answered by tests.
class AlertView : public QObject {
    Q_OBJECT
public:
    AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
              const QString& cancelButtonTitle, const QStringList& otherButtonTitles = {});
    ~AlertView() override;

    QString title() const { return m_title; }
    QString message() const { return m_message; }
    QStringList buttonTitles() const { return m_buttonTitles; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    AlertViewDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(AlertViewDelegate* delegate) { m_delegate = delegate; }

    void show();
    bool isVisible() const { return m_visible; }
    // As if the person pressed the button: hides the alert, tells the delegate, then deletes the alert.
    void dismissWithClickedButtonIndex(int buttonIndex);

    static QList<AlertView*> visibleAlerts();

private:
    QWidget* makeWidget();

    QString m_title;
    QString m_message;
    QStringList m_buttonTitles;
    int m_tag = 0;
    WeakDelegate<AlertViewDelegate> m_delegate;
    bool m_visible = false;
    bool m_dismissed = false;
    QPointer<QWidget> m_widget;
};
