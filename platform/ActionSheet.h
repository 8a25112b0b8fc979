#pragma once

#include "platform/WeakDelegate.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class ActionSheet;
class QWidget;

class ActionSheetDelegate {
public:
    virtual ~ActionSheetDelegate() = default;
    virtual void actionSheetClickedButtonAtIndex(ActionSheet* actionSheet, int buttonIndex) = 0;
};

// A sheet of choices sliding up from the bottom of a view, not blocking the event loop. Button indexes:
// the destructive button (if any) first, then the other buttons, the cancel button last. It deletes itself
// once dismissed. Visible sheets can be listed and answered by tests.
class ActionSheet : public QObject {
    Q_OBJECT
public:
    enum class Style { Default, BlackTranslucent, BlackOpaque };

    ActionSheet(const QString& title, ActionSheetDelegate* delegate, const QString& cancelButtonTitle,
                const QString& destructiveButtonTitle, const QStringList& otherButtonTitles);
    ~ActionSheet() override;

    QString title() const { return m_title; }
    QStringList buttonTitles() const { return m_buttonTitles; }
    int cancelButtonIndex() const { return m_cancelButtonIndex; }           // -1 without one
    int destructiveButtonIndex() const { return m_destructiveButtonIndex; } // -1 without one
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    Style style() const { return m_style; }
    void setStyle(Style style) { m_style = style; }
    ActionSheetDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(ActionSheetDelegate* delegate) { m_delegate = delegate; }

    void showInView(QWidget* view);
    bool isVisible() const { return !m_widget.isNull(); }
    // As if the person chose the button: hides the sheet, tells the delegate, then deletes the sheet.
    void dismissWithClickedButtonIndex(int buttonIndex);

    static QList<ActionSheet*> visibleSheets();

private:
    QWidget* makeWidget(QWidget* host);

    QString m_title;
    QStringList m_buttonTitles;
    int m_cancelButtonIndex = -1;
    int m_destructiveButtonIndex = -1;
    int m_tag = 0;
    Style m_style = Style::Default;
    WeakDelegate<ActionSheetDelegate> m_delegate;
    QPointer<QWidget> m_widget;
    bool m_dismissed = false;
};
